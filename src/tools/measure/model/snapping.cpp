#include "tools/measure/model/snapping.h"

#include <cmath>

#include "model/numbers.h"
#include "tools/measure/model/crossings.h"

namespace orvinda {

namespace {

// Half the distance, which stays finite for any finite points.
double half_distance_between(TracePoint a, TracePoint b) {
  return std::hypot(a.x / 2 - b.x / 2, a.y / 2 - b.y / 2);
}

// The nearest candidate within the tolerance; the first one offered wins a tie.
struct Nearest {
  Snap snap;
  double half_distance = 0;

  void offer(TracePoint from, TracePoint candidate, SnapTarget target, double half_tolerance) {
    const double d = half_distance_between(from, candidate);
    if (d > half_tolerance) return;
    if (snap.target != SnapTarget::kNone && d >= half_distance) return;
    snap = {candidate, target};
    half_distance = d;
  }
};

}  // namespace

Snap snap_point(TracePoint point, const DrawnFigure& figure, const std::vector<TracePoint>& nodes,
                double tolerance_m, double pixel_m) {
  const TracePoint p{saturate(point.x), saturate(point.y)};
  const double tolerance = tolerance_m > 0 && std::isfinite(tolerance_m) ? tolerance_m : 0;
  const double half_tolerance = tolerance / 2;

  Nearest best;
  best.snap.point = p;
  best.offer(p, {0, 0}, SnapTarget::kOrigin, half_tolerance);
  if (std::fabs(p.y / 2) <= half_tolerance) {
    const CrossingCount on_x =
        count_crossings(figure, {}, {LineDirection::kHorizontal, 0}, pixel_m);
    for (const LineCrossing& c : on_x.crossings) {
      best.offer(p, c.point, SnapTarget::kTraceOnXAxis, half_tolerance);
    }
  }
  if (std::fabs(p.x / 2) <= half_tolerance) {
    const CrossingCount on_y = count_crossings(figure, {}, {LineDirection::kVertical, 0}, pixel_m);
    for (const LineCrossing& c : on_y.crossings) {
      best.offer(p, c.point, SnapTarget::kTraceOnYAxis, half_tolerance);
    }
  }
  for (TracePoint node : nodes) best.offer(p, node, SnapTarget::kNode, half_tolerance);
  if (best.snap.target != SnapTarget::kNone) return best.snap;

  const double to_x_axis = std::fabs(p.y / 2);
  const double to_y_axis = std::fabs(p.x / 2);
  if (to_x_axis <= half_tolerance && to_x_axis <= to_y_axis) return {{p.x, 0}, SnapTarget::kXAxis};
  if (to_y_axis <= half_tolerance) return {{0, p.y}, SnapTarget::kYAxis};
  return best.snap;
}

}  // namespace orvinda
