#include "tools/experiment/model/initial_conditions.h"

#include <cmath>
#include <numbers>

#include "model/numbers.h"

namespace orvinda {

CosSin cos_sin_pi(double phase_in_pi) {
  // fmod is exact, so reducing first loses nothing and keeps large phases
  // as accurate as small ones.
  const double reduced = std::fmod(phase_in_pi, 2.0);
  const double quarters = reduced * 4;
  if (quarters == std::floor(quarters)) {
    constexpr double h = std::numbers::sqrt2 / 2;
    static constexpr CosSin kEighths[8] = {{1, 0},  {h, h},   {0, 1},  {-h, h},
                                           {-1, 0}, {-h, -h}, {0, -1}, {h, -h}};
    const int index = (static_cast<int>(quarters) % 8 + 8) % 8;
    return kEighths[index];
  }
  const double angle = reduced * std::numbers::pi;
  return {std::cos(angle) + 0.0, std::sin(angle) + 0.0};
}

MotionParameters initial_conditions(const AmplitudesAndPhases& a) {
  const CosSin x = cos_sin_pi(a.fix);
  const CosSin y = cos_sin_pi(a.fiy);
  MotionParameters p;
  p.wx = a.wx;
  p.x0 = saturate(a.ax * x.cos) + 0.0;
  // The sine first: A sin never overflows, so only a velocity that is truly
  // beyond the range saturates.
  p.vx0 = saturate(a.ax * x.sin * a.wx) + 0.0;
  p.wy = a.wy;
  p.y0 = saturate(a.ay * y.cos) + 0.0;
  p.vy0 = to_single(a.ay * y.sin * a.wy);
  return p;
}

}  // namespace orvinda
