#include "tools/lab/model/ellipse_phase.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvinda {

namespace {
constexpr double kDeg = 180 / std::numbers::pi;
}

ChordReading phase_from_chords(double b, double a, double delta) {
  ChordReading r;
  if (!std::isfinite(b) || !(b > 0)) {
    r.refusal = "Хорда b должна быть больше нуля.";
    return r;
  }
  if (!std::isfinite(a) || !(a > 0)) {
    r.refusal = "Высота a должна быть больше нуля.";
    return r;
  }
  if (b > a + 2 * delta + 1e-9) {  // the limit itself is a reading
    r.refusal = "Хорда b не может быть больше высоты a: проверьте отсчёты.";
    return r;
  }
  r.sin_phi0 = std::min(b / a, 1.0);
  r.phi0_deg = std::asin(r.sin_phi0) * kDeg;
  if (r.phi0_deg > 90 - kIntervalNearRightDeg) {
    r.interval = true;
    r.low_deg = std::asin(std::clamp((b - delta) / (a + delta), 0.0, 1.0)) * kDeg;
    return r;
  }
  const double relative = std::hypot(delta / b, delta / a);
  r.error_deg = std::fabs(std::tan(r.phi0_deg / kDeg)) * relative * kDeg;
  return r;
}

double phase_for_tilt(double phi0_deg, Tilt tilt) {
  return tilt == Tilt::kFirstThird ? phi0_deg : 180 - phi0_deg;
}

}  // namespace orvinda
