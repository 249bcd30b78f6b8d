#include "model/figure_period.h"

#include <cmath>

#include "model/characteristics.h"

namespace orvinda {

std::optional<int> turns_to_close(float wywx, int max_turns) {
  const double ratio = wywx;
  if (!std::isfinite(ratio) || ratio <= 0) return std::nullopt;
  for (int q = 1; q <= max_turns; ++q) {
    const double cycles = q * ratio;
    if (std::fabs(cycles - std::round(cycles)) <= 1e-6) return q;
  }
  return std::nullopt;
}

long long steps_for_turns(float dt, double turns, long long max_steps) {
  if (!(dt > 0) || !(turns > 0)) return 0;
  const double end = turns * kTruncatedTwoPi;
  // The same float running sum as the run; stop at the step nearest the end.
  float t = 0;
  long long steps = 0;
  while (steps < max_steps && static_cast<double>(t) + dt / 2.0 < end) {
    const float next = t + dt;
    if (next == t) break;
    t = next;
    ++steps;
  }
  return steps;
}

}  // namespace orvinda
