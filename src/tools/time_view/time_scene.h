#pragma once
// The time view's picture: the graphs of x(t) and y(t) over one span of
// time, the circles of the two rotating vectors, and the moment with its
// projections. x keeps to the horizontal and y to the vertical, as on the
// plot: x's circle stands above the graph of x(t), whose time runs
// downwards, and y's circle beside the graph of y(t), whose time runs to
// the right, so each projection reaches its graph along a straight dashed
// line. Both graphs show the same span of time.
//
// Values are drawn in units of the plot's range R (the edges are -1 and 1),
// so the scale that maps a panel onto the whole surface stays finite for
// any amplitude; the numbers printed are metres.

#include <QRectF>
#include <QString>
#include <array>
#include <vector>

#include "plot/scale_mapping.h"
#include "tools/time_view/model/time_sweep.h"

namespace orvinda {

class PlotLayer;
class PlotSurface;

struct TimePanel {
  QRectF px;                                          // on the surface
  double left = -1, top = 1, right = 1, bottom = -1;  // user units at its edges
  // The corners to give Scale() so that these units fill px on a surface
  // of the given size.
  std::array<double, 4> corners(QSizeF surface) const;
  ScaleMapping mapping(QSizeF surface) const;
};

// Sizes of the printed numbers, in pixels: the numbers stand outside the
// graphs, in strips along their edges.
struct TimeText {
  double height = 13;
  double value_width = 30;  // the widest number of metres
  double time_width = 30;   // the widest number of seconds
};

struct TimeLayout {
  QSizeF surface;
  TimeText text;
  TimePanel x_circle, y_circle, x_graph, y_graph;
  QRectF free;  // the room left over, for the readouts
};

// The panels for a surface of this size and a window of time begin ... end.
TimeLayout time_layout(QSizeF surface, double begin, double end, const TimeText& text);

// The sizes of the numbers a surface prints for the range r and a window of
// time ending at end. A number of metres wider than a fifth of the surface
// is not printed.
TimeText time_text(const PlotSurface& s, double r, double end, const QString& decimal_separator);

struct TimeSceneInput {
  double r = 2;           // the plot's range, metres
  double ax = 0, ay = 0;  // the circles' radii, metres
  QString decimal_separator = QStringLiteral(".");
};

// Clears the surface and draws the grids, numbers, axes and captions of both
// graphs and the two circles with their axes.
void draw_time_scene(PlotSurface& s, const TimeLayout& l, const TimeSceneInput& in);

// The curves through the points, in time order, from the window's beginning.
// Where many points fall into one pixel of time, the first, lowest, highest
// and last of them are drawn: the same picture at a bounded cost.
void draw_time_curves(PlotSurface& s, const TimeLayout& l, double r,
                      const std::vector<SweepPoint>& points);
// One step of both curves, from a to b.
void draw_time_step(PlotSurface& s, const TimeLayout& l, double r, const SweepPoint& a,
                    const SweepPoint& b);

// The moment: both vectors, their projections as dashed lines to the
// graphs, and the markers on the circles' axes and on the graphs.
void draw_time_moment(PlotLayer& layer, const TimeLayout& l, double r, const SweepPoint& p,
                      const RotatingVectors& v);

}  // namespace orvinda
