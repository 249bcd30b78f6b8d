#pragma once
// How the documents teach to read the phase difference off a figure, with the
// numbers and points the window marks. For 1 : 1, the intercepts: the ellipse
// x = Ax cos t, y = Ay cos(t - dphi) crosses the vertical axis at y = ±b with
// b = Ay |sin dphi|, so |sin dphi| = b / B with B = Ay its half height; its
// tilt gives the sign of cos dphi and the direction the sign of dphi. For the
// other ratios, the start point and the direction: the point starts on the
// right side at y0 = Ay cos dphi and moves up while sin dphi > 0.

#include <string>

#include "model/figure_sampling.h"
#include "tools/self_check/model/self_check_task.h"

namespace orvinda {

struct PhaseReading {
  PlanePoint start;               // metres: (x0, y0)
  PlanePoint start_velocity;      // m/s: (vx0, vy0); zero at a corner
  double start_height_ratio = 0;  // y0 / Ay = cos dphi

  bool by_intercepts = false;  // 1 : 1
  double intercept = 0;        // b, metres, 0 for a segment
  double half_height = 0;      // B = Ay
  PlanePoint upper_intercept;  // (0, b)
  PlanePoint lower_intercept;  // (0, -b)

  // One Russian sentence that ends in the task's dphi.
  std::string sentence;
};

PhaseReading read_phase(const Task& task);

}  // namespace orvinda
