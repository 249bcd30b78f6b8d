#include "tools/measure/model/plane_geometry.h"

#include <algorithm>
#include <cmath>

namespace orvinda {

double direction_gap(double a, double b) {
  const double gap = std::fabs(std::remainder(a - b, 2 * kHalfTurn));
  return std::min(gap, kHalfTurn);
}

double line_gap(double a, double b) {
  const double gap = direction_gap(a, b);
  return std::min(gap, kHalfTurn - gap);
}

double direction_angle(TracePoint from, TracePoint to) {
  return std::atan2(to.y - from.y, to.x - from.x);
}

double distance_to_segment(TracePoint p, TracePoint a, TracePoint b) {
  const double ex = b.x - a.x, ey = b.y - a.y;
  const double wx = p.x - a.x, wy = p.y - a.y;
  const double length2 = ex * ex + ey * ey;
  double t = 0;
  // A quotient too large for a double only means the far end is nearest.
  if (length2 > 0) t = std::clamp((wx * ex + wy * ey) / length2, 0.0, 1.0);
  return std::hypot(wx - t * ex, wy - t * ey);
}

bool runs_along(const TracePolyline& stroke, std::size_t index, TracePoint a, TracePoint b,
                double tolerance) {
  const std::size_t from = index >= 2 ? index - 2 : 0;
  const std::size_t to = std::min(index + 3, stroke.size() - 1);
  for (TracePoint end : {a, b}) {
    bool near = false;
    for (std::size_t k = from; k < to && !near; ++k) {
      near = distance_to_segment(end, stroke[k], stroke[k + 1]) <= tolerance;
    }
    if (!near) return false;
  }
  return true;
}

double cross(TracePoint o, TracePoint a, TracePoint b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

}  // namespace orvinda
