#include "tools/sound/model/sound_plan.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

#include "model/figure_period.h"

namespace orvinda {

bool is_sound_pitch(int hz) { return std::ranges::count(kSoundPitches, hz) > 0; }

SoundPlan plan_sound(const MotionParameters& p, int pitch_hz) {
  SoundPlan plan;
  plan.pitch_hz = pitch_hz;
  if (!(p.wx > 0 && p.wy > 0)) {  // nothing oscillates; never divided by
    plan.audibility = SoundAudibility::TooLow;
    return plan;
  }
  const Characteristics c = compute_characteristics(p, 0, false);
  plan.fix = c.fix;
  plan.fiy = c.fiy;
  const double louder = std::max(c.ax, c.ay);
  if (louder > 0 && std::isfinite(louder)) {
    plan.x_peak = kSoundPeak * c.ax / louder;
    plan.y_peak = kSoundPeak * c.ay / louder;
  }

  plan.y_hz = pitch_hz * (p.wy / p.wx);
  if (!(plan.y_hz >= kLowestAudibleHz)) {
    plan.audibility = SoundAudibility::TooLow;
    return plan;
  }
  if (!(plan.y_hz <= kHighestAudibleHz)) {
    plan.audibility = SoundAudibility::TooHigh;
    return plan;
  }

  // Closing is decided as everywhere else; the loop then uses the exact
  // ratio p/q, so that it joins sample for sample.
  if (const std::optional<int> turns = turns_to_close(c.wywx)) {
    plan.q = *turns;
    plan.p = static_cast<int>(std::lround(*turns * static_cast<double>(c.wywx)));
    const long long span = static_cast<long long>(plan.q) * kSoundRate;  // × 1/f₀ s
    plan.loop_frames = span / std::gcd(span, static_cast<long long>(pitch_hz));
    plan.y_hz = static_cast<double>(pitch_hz) * plan.p / plan.q;
  }
  return plan;
}

}  // namespace orvinda
