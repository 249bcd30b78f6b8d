#include "tools/measure/model/ellipse_method.h"

#include <algorithm>
#include <cmath>

#include "model/numbers.h"
#include "tools/measure/model/crossings.h"

namespace orvinda {

namespace {

// Half of the trace's extent along the axis, finite for any finite trace.
double half_extent(const Trace& trace, EllipseAxis axis) {
  bool any = false;
  double lowest = 0, highest = 0;
  for (const TracePolyline& stroke : trace) {
    for (TracePoint p : stroke) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
      const double v = axis == EllipseAxis::kYAxis ? p.y : p.x;
      lowest = any ? std::min(lowest, v) : v;
      highest = any ? std::max(highest, v) : v;
      any = true;
    }
  }
  return highest / 2 - lowest / 2;
}

}  // namespace

EllipseMeasure ellipse_method(const Trace& trace, EllipseAxis axis, double tolerance_m) {
  const bool on_y = axis == EllipseAxis::kYAxis;
  const CrossingCount crossings = count_crossings(
      trace, {on_y ? LineDirection::kVertical : LineDirection::kHorizontal, 0}, tolerance_m);
  // An ellipse about the centre crosses the other axis twice as well; a
  // figure of another ratio does not.
  const CrossingCount other = count_crossings(
      trace, {on_y ? LineDirection::kHorizontal : LineDirection::kVertical, 0}, tolerance_m);

  EllipseMeasure m;
  const double half_a = half_extent(trace, axis);
  m.a = saturate(2 * half_a);
  if (crossings.count() == 2) {
    m.b_from = crossings.crossings[0].point;
    m.b_to = crossings.crossings[1].point;
    const double half_b =
        std::fabs(on_y ? m.b_to.y / 2 - m.b_from.y / 2 : m.b_to.x / 2 - m.b_from.x / 2);
    m.b = saturate(2 * half_b);
    const bool passes = crossings.crossings[0].kind == CrossingKind::kPass &&
                        crossings.crossings[1].kind == CrossingKind::kPass;
    m.valid = passes && !crossings.near_node && other.count() == 2 && half_a > 0;
    if (m.valid) m.sin_phase_difference = std::min(1.0, half_b / half_a);
  }
  return m;
}

}  // namespace orvinda
