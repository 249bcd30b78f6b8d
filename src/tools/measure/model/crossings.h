#pragma once
// Crossings of a counting line with the trace, counted the way the lab work
// counts them to find the ratio of the frequencies.
//
// How crossings are counted:
// - Every pass of the point's path through the line counts once, however many
//   times a long run goes over the same figure.
// - Where the curve only touches the line and turns back (it comes within the
//   tolerance of the line, or runs along it, and returns to the side it came
//   from), that counts once and is flagged as a tangency.
// - Where the line goes through a node, a place where the curve crosses
//   itself, the two passes through it count two and the line is flagged as
//   near a node. It is flagged too when it misses a node by less than the
//   tolerance: a line a pixel off a node cannot be told from one through it.
// - A figure traced back and forth along one curve (a straight segment, an
//   arc) is passed twice at each of its points, so a line across it counts
//   two there.
// Kept off the nodes and the tangencies, a horizontal and a vertical line
// cross the figure in the ratio of the vertical frequency to the horizontal
// one, for example 4 : 2 for the figure of 1 : 2.
//
// The tolerance is best one pixel in metres: what is closer than that to the
// line, or to another crossing, is at the same place.

#include <vector>

#include "model/trace.h"

namespace orvinda {

enum class LineDirection { kHorizontal, kVertical };

struct CountingLine {
  LineDirection direction = LineDirection::kHorizontal;
  double value = 0;  // y of a horizontal line, x of a vertical one, metres
};

enum class CrossingKind { kPass, kTangency };

struct LineCrossing {
  TracePoint point;  // on the line, metres
  CrossingKind kind = CrossingKind::kPass;
};

struct CrossingCount {
  // Left to right along a horizontal line, bottom to top along a vertical one.
  std::vector<LineCrossing> crossings;
  bool near_node = false;         // the line goes through a node or within the tolerance of one
  bool tangency = false;          // the curve touches the line somewhere
  std::vector<TracePoint> nodes;  // the nodes within the tolerance of the line, metres
  int count() const { return static_cast<int>(crossings.size()); }
};

// Every result is finite, whatever the trace holds. A line whose value is not
// finite crosses nothing.
CrossingCount count_crossings(const Trace& trace, CountingLine line, double tolerance_m);

}  // namespace orvinda
