#pragma once
// Where an end of a measured segment lands: on a point the lab work measures
// from when the pointer is near one, so that "a" and "b" of the ellipse method
// can be taken exactly on an axis.

#include <vector>

#include "model/trace.h"
#include "tools/measure/model/drawn_figure.h"

namespace orvinda {

enum class SnapTarget {
  kNone,          // nothing within the tolerance: the point stays where it is
  kOrigin,        // where the axes cross
  kTraceOnXAxis,  // a crossing (or touch) of the trace with the x axis
  kTraceOnYAxis,  // a crossing (or touch) of the trace with the y axis
  kNode,          // a self-crossing of the trace
  kXAxis,         // straight down or up onto the x axis
  kYAxis,         // straight across onto the y axis
};

struct Snap {
  TracePoint point;
  SnapTarget target = SnapTarget::kNone;
};

// Points come before the axes: any point within tolerance_m wins, the nearest
// first (on a tie: the origin, then crossings with the axes, then nodes); only
// with none does the point drop onto an axis within tolerance_m, the nearer
// one. The axes are x = 0 and y = 0. The crossings are the drawn figure's,
// counted with pixel_m (crossings.h); nodes are figure_nodes(figure, pixel_m).
// A point that is not finite is made finite (NaN as 0, an infinity as the
// largest value) before snapping.
Snap snap_point(TracePoint point, const DrawnFigure& figure, const std::vector<TracePoint>& nodes,
                double tolerance_m, double pixel_m);

}  // namespace orvinda
