#pragma once
// A sound as a WAV file: 48 kHz, 16 bits, two channels.

#include <cstdint>
#include <string>

#include "tools/sound/model/sound_plan.h"

namespace orvinda {

inline constexpr int kShortestSoundSeconds = 1;
inline constexpr int kLongestSoundSeconds = 60;

// The file's bytes: the RIFF header and frames stereo frames (little-endian
// samples, left first).
std::string wav_header(long long frames);

// The whole file of seconds of plan, starting with the usual 10 ms fade in.
std::string wav_file(const SoundPlan& plan, int seconds);

}  // namespace orvinda
