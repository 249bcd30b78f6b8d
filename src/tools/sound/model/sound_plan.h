#pragma once
// The figure as a stereo sound: x(t) on the left channel, y(t) on the right,
// both sped up by one time factor k = 2π·f₀/ωx so that ωx sounds at the base
// pitch f₀. One factor keeps the ratio, the phases and Ax : Ay.

#include "model/characteristics.h"

namespace orvinda {

inline constexpr int kSoundRate = 48000;  // frames per second
inline constexpr int kSoundPitches[] = {110, 220, 440};
inline constexpr int kDefaultSoundPitch = 220;
inline constexpr double kSoundPeak = 0.5;     // −6 dBFS for the louder channel
inline constexpr int kSoundFadeFrames = 480;  // 10 ms
inline constexpr double kLowestAudibleHz = 20;
inline constexpr double kHighestAudibleHz = 20000;

enum class SoundAudibility { Audible, TooLow, TooHigh };

struct SoundPlan {
  int pitch_hz = kDefaultSoundPitch;  // where ωx sounds
  double y_hz = 0;                    // where ωy sounds
  double x_peak = 0;                  // each channel's peak, a fraction of full scale
  double y_peak = 0;
  double fix = 0;  // the initial phases, as the characteristics give them
  double fiy = 0;
  // A closing figure: ωy/ωx = p/q, and the sound repeats after loop_frames,
  // the smallest whole number of closing spans that is a whole number of
  // frames. 0 when the figure never closes.
  int p = 0;
  int q = 0;
  long long loop_frames = 0;
  SoundAudibility audibility = SoundAudibility::Audible;

  bool audible() const { return audibility == SoundAudibility::Audible; }
};

// pitch_hz is one of kSoundPitches. A frequency of 0 or less plays nothing.
SoundPlan plan_sound(const MotionParameters& p, int pitch_hz);

bool is_sound_pitch(int hz);

}  // namespace orvinda
