#include "tools/self_check/model/figure_comparison.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace orvinda {

namespace {

bool all_finite(const std::vector<PlanePoint>& points) {
  return std::all_of(points.begin(), points.end(),
                     [](const PlanePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}

}  // namespace

Traversal traversal(const std::vector<PlanePoint>& loop) {
  if (loop.size() < 3 || !all_finite(loop)) return Traversal::kNone;
  double twice_area = 0;
  double min_x = loop[0].x, max_x = loop[0].x, min_y = loop[0].y, max_y = loop[0].y;
  for (std::size_t i = 0; i < loop.size(); ++i) {
    const PlanePoint& p = loop[i];
    const PlanePoint& q = loop[(i + 1) % loop.size()];
    twice_area += p.x * q.y - q.x * p.y;
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
  }
  const double box = (max_x - min_x) * (max_y - min_y);
  if (!(std::fabs(twice_area) > 1e-6 * box)) return Traversal::kNone;
  return twice_area > 0 ? Traversal::kCounterclockwise : Traversal::kClockwise;
}

bool figure_is_open(const MotionParameters& p, FrequencyRatio ratio) {
  const double ax = amplitude(p.x0, p.vx0, p.wx);
  const double ay = amplitude(p.y0, p.vy0, p.wy);
  if (!(ax > 0) || !(ay > 0)) return true;
  // x = ax cos(t - phase): it turns at t = phase + m pi. Over the figure's
  // period of 2 pi wx_part that happens 2 wx_part times.
  const double phase = std::atan2(p.vx0 / p.wx, p.x0);
  const int turns = 2 * reduced(ratio).wx_part;
  for (int m = 0; m < turns; ++m) {
    const double y = figure_point(p, phase + m * std::numbers::pi).y;
    if (std::fabs(y) >= ay * (1 - 1e-6)) return true;
  }
  return false;
}

}  // namespace orvinda
