#pragma once
// Points of the complete figure, from the same closed-form solution the run
// uses: x = x0 cos t + (vx0/wx) sin t, y = y0 cos(r t) + (vy0/wy) sin(r t),
// with t the horizontal phase and r = wy / wx, here in double precision.

#include <vector>

#include "model/characteristics.h"
#include "model/frequency_ratio.h"

namespace orvinda {

struct PlanePoint {
  double x = 0;
  double y = 0;
};

PlanePoint figure_point(const MotionParameters& p, double t);

// Horizontal phase after which a figure of this ratio closes: 2 pi wx_part
// of the reduced ratio.
double figure_period(FrequencyRatio ratio);

// samples points (at least 1) evenly in time over one period, the first at
// t = 0; the last does not repeat the first.
std::vector<PlanePoint> sample_figure(const MotionParameters& p, FrequencyRatio ratio, int samples);

// The amplitudes (ax, ay) that normalise a figure, 1 in place of a zero one.
PlanePoint figure_scale(const MotionParameters& p);

// The same divided by the amplitudes, so the figure fills the square
// [-1, 1] x [-1, 1] whatever its size. A zero amplitude is left undivided.
std::vector<PlanePoint> normalised_figure(const MotionParameters& p, FrequencyRatio ratio,
                                          int samples);

}  // namespace orvinda
