#pragma once
// An arrow head that shows which way a point moves along a drawn curve: two
// short strokes back from a tip on the curve, in the surface's operations,
// so it is recorded and drawn again with the figure.

#include <QColor>
#include <optional>

#include "model/trace.h"

namespace orvinda {

class PlotSurface;

// The head's tip at `tip` (metres), pointing along `direction` (any length,
// metres); each stroke is side_px pixels long and drawn with the surface's
// present pen width. Nothing is drawn for a zero direction or an unset scale.
void draw_direction_arrow(PlotSurface& surface, TracePoint tip, TracePoint direction, QColor color,
                          double side_px = 13);

// Where on a polyline the arrow goes: the first point at least distance
// (metres) from the first one, with the direction of the segment that
// reaches it. None when the polyline never gets that far.
struct ArrowPlace {
  TracePoint tip;
  TracePoint direction;
};
std::optional<ArrowPlace> arrow_place(const TracePolyline& path, double distance);

// The start point and the arrow as every figure of the program marks them:
// a dot kStartPointWidth wide at the path's first point and a head
// kArrowDistancePx along it, both in color. Leaves the pen width 3.
inline constexpr int kStartPointWidth = 9;
inline constexpr double kArrowDistancePx = 38;
void draw_start_and_arrow(PlotSurface& surface, const TracePolyline& path, QColor color);

}  // namespace orvinda
