#include "model/figure_sampling.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvinda {

PlanePoint figure_point(const MotionParameters& p, double t) {
  const double r = p.wy / p.wx;
  return {p.x0 * std::cos(t) + (p.vx0 / p.wx) * std::sin(t),
          p.y0 * std::cos(r * t) + (static_cast<double>(p.vy0) / p.wy) * std::sin(r * t)};
}

double figure_period(FrequencyRatio ratio) { return 2 * std::numbers::pi * reduced(ratio).wx_part; }

std::vector<PlanePoint> sample_figure(const MotionParameters& p, FrequencyRatio ratio,
                                      int samples) {
  samples = std::max(samples, 1);
  const double period = figure_period(ratio);
  std::vector<PlanePoint> points;
  points.reserve(static_cast<std::size_t>(samples));
  for (int i = 0; i < samples; ++i) points.push_back(figure_point(p, period * i / samples));
  return points;
}

PlanePoint figure_scale(const MotionParameters& p) {
  const double ax = amplitude(p.x0, p.vx0, p.wx);
  const double ay = amplitude(p.y0, p.vy0, p.wy);
  return {ax > 0 ? ax : 1, ay > 0 ? ay : 1};
}

std::vector<PlanePoint> normalised_figure(const MotionParameters& p, FrequencyRatio ratio,
                                          int samples) {
  std::vector<PlanePoint> points = sample_figure(p, ratio, samples);
  const PlanePoint scale = figure_scale(p);
  for (PlanePoint& point : points) point = {point.x / scale.x, point.y / scale.y};
  return points;
}

}  // namespace orvinda
