#pragma once
// Crossings of a counting line with the drawn figure, counted on the motion
// itself the way a student counts them on the screen to find the ratio of the
// frequencies.
//
// How crossings are counted:
// - The figure is what the run has drawn (drawn_figure.h): the motion from 0
//   to the run's time, one closing span at most. Nothing drawn, nothing
//   counted. The meetings are solved from the motion, not read off pixels.
// - A line's count is the number of points where it meets the figure. An arc
//   run there and back meets it twice at one point on one branch: that point
//   counts once. So do meetings within the tolerance of each other on one
//   branch, as laps of a figure that never closes, drifting less than a pixel
//   a lap, leave them.
// - A node, a point the figure passes on two different branches, counts once
//   for each branch. The line is flagged as near a node when it passes within
//   1.5 tolerances of one, whatever the angle the branches cross at.
// - A line within the tolerance of a side of the figure's rectangle touches
//   the figure there. Each touch counts once and is flagged: as a tangency, or
//   as an arc's end where the point turns back in a corner of the rectangle.
// - A line along a parabola's axis, through its vertex, meets it once.
// Kept off the nodes, the tangencies and the arc ends, a horizontal and a
// vertical line meet the figure in the ratio of the vertical frequency to the
// horizontal one: Nг / Nв = ωy / ωx, 4 : 2 for the closed figure of 1 : 2 and
// 2 : 1 for its parabola.
//
// The tolerance is best one pixel in metres.

#include <vector>

#include "model/trace.h"
#include "tools/measure/model/drawn_figure.h"

namespace orvinda {

enum class LineDirection { kHorizontal, kVertical };

struct CountingLine {
  LineDirection direction = LineDirection::kHorizontal;
  double value = 0;  // y of a horizontal line, x of a vertical one, metres
};

enum class CrossingKind { kPass, kTangency, kArcEnd };

struct LineCrossing {
  TracePoint point;  // on the line, metres
  CrossingKind kind = CrossingKind::kPass;
};

struct CrossingCount {
  // Left to right along a horizontal line, bottom to top along a vertical one.
  std::vector<LineCrossing> crossings;
  bool near_node = false;         // a node lies within 1.5 tolerances of the line
  bool tangency = false;          // the figure touches the line somewhere
  bool arc_end = false;           // an arc ends on the line
  std::vector<TracePoint> nodes;  // the nodes near the line, metres
  int count() const { return static_cast<int>(crossings.size()); }
};

// How far from a node a line is flagged, in tolerances.
inline constexpr double kNodeReach = 1.5;

// Every result is finite. A line whose value is not finite, or a tolerance
// that is not positive and finite, crosses nothing.
CrossingCount count_crossings(const DrawnFigure& figure, CountingLine line, double tolerance_m);

// The same, with the figure's nodes found already (figure_nodes.h), for
// several lines on one figure.
CrossingCount count_crossings(const DrawnFigure& figure, const std::vector<TracePoint>& nodes,
                              CountingLine line, double tolerance_m);

}  // namespace orvinda
