#include "tools/lab/model/beam.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvinda {

namespace {
constexpr double kTurn = 2 * std::numbers::pi;
constexpr double kMostSamples = 1e6;  // a frame after a long pause stays bounded
}  // namespace

double wrap_phase(double radians) {
  if (!std::isfinite(radians)) return 0;
  double r = std::fmod(radians, kTurn);
  if (r < 0) r += kTurn;
  return r >= kTurn ? 0 : r;
}

void Beam::set_phases(double phase_x, double phase_y) {
  phase_ = {wrap_phase(phase_x), wrap_phase(phase_y)};
}

BeamPoint Beam::at_phases(double phase_x, double phase_y) const {
  return {0, x.amplitude * std::cos(phase_x - x.offset),
          y.amplitude * std::cos(phase_y - y.offset)};
}

std::vector<BeamPoint> Beam::advance(double dt, double keep) {
  std::vector<BeamPoint> points;
  if (!(dt > 0) || !std::isfinite(dt)) return points;
  const double fx = std::fabs(x.frequency_hz), fy = std::fabs(y.frequency_hz);
  // The part older than `keep` only moves the phases.
  const double skipped = keep > 0 && dt > keep ? dt - keep : 0;
  const double span = dt - skipped;
  const double fastest = std::max({fx, fy, 1e-9});
  const double wanted = std::ceil(span * fastest * kSamplesPerPeriod);
  const int steps = static_cast<int>(std::clamp(wanted, 1.0, kMostSamples));
  // Each step from the frame's start phases, not from the previous step, so
  // no rounding accumulates within a frame.
  const double start_x = wrap_phase(phase_[0] + kTurn * x.frequency_hz * skipped);
  const double start_y = wrap_phase(phase_[1] + kTurn * y.frequency_hz * skipped);
  points.reserve(static_cast<std::size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) {
    const double t = span * i / steps;
    BeamPoint p =
        at_phases(start_x + kTurn * x.frequency_hz * t, start_y + kTurn * y.frequency_hz * t);
    p.t = skipped + t;
    points.push_back(p);
  }
  phase_ = {wrap_phase(start_x + kTurn * x.frequency_hz * span),
            wrap_phase(start_y + kTurn * y.frequency_hz * span)};
  return points;
}

double drift_period(double fx, double fgen, int p, int q) {
  const double beat = std::fabs(q * fgen - p * fx);
  return beat > 0 ? 1 / beat : HUGE_VAL;
}

double afterglow_brightness(double age, double persistence) {
  if (!(age > 0)) return 1;
  if (!(persistence > 0)) return 0;
  return std::exp(-std::log(20.0) * age / persistence);
}

}  // namespace orvinda
