#pragma once
// The arithmetic of one run: time as a float running sum of dt, the point on
// its trajectory, and the counter that moves the device every second step.

#include <cstdint>

#include "model/characteristics.h"

namespace orvinda {

struct RunStep {
  double x = 0, y = 0;                  // the new point, metres
  double segment_x = 0, segment_y = 0;  // the same, as the segment is drawn (single precision)
  bool move_device = false;             // steps 3, 5, 7 ...
};

class RunStepper {
 public:
  RunStepper(const MotionParameters& p, float wywx, float dt);
  RunStep next();
  float t() const { return t_; }
  std::int16_t k() const { return k_; }

 private:
  MotionParameters p_;
  float wywx_;
  float dt_;
  float t_ = 0;
  double x_ = 0, y_ = 0;
  std::int16_t k_ = 0;
};

// A coordinate in single precision as the segment's ends are passed, left as
// it is where a float cannot hold it.
double segment_coordinate(double value);

}  // namespace orvinda
