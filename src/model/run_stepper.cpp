#include "model/run_stepper.h"

#include <cmath>
#include <limits>

#include "model/numbers.h"

namespace orvinda {

double segment_coordinate(double value) {
  if (std::fabs(value) > std::numeric_limits<float>::max()) return value;
  return static_cast<double>(static_cast<float>(value));
}

RunStepper::RunStepper(const MotionParameters& p, float wywx, float dt)
    : p_(p), wywx_(wywx), dt_(dt) {}

RunStep RunStepper::next() {
  t_ = t_ + dt_;
  const double t = t_;
  x_ = saturate(p_.x0 * std::cos(t) + saturate(p_.vx0 / p_.wx) * std::sin(t));
  const float phase = wywx_ * t_;
  const double ty = phase;
  y_ = saturate(p_.y0 * std::cos(ty) + saturate(p_.vy0 / p_.wy) * std::sin(ty));

  RunStep step;
  step.x = x_;
  step.y = y_;
  step.segment_x = segment_coordinate(x_);
  step.segment_y = segment_coordinate(y_);
  if (k_ == 2) {
    step.move_device = true;
    k_ = 0;
  }
  k_ = static_cast<std::int16_t>(k_ + 1);
  return step;
}

}  // namespace orvinda
