#pragma once
// Self-crossings of the trace (its nodes): places where two pieces of the
// trace that run in clearly different directions cross. Pieces that run along
// each other, as a later lap over an earlier one or a curve traced back and
// forth, do not make a node.

#include <cstddef>
#include <vector>

#include "model/trace.h"

namespace orvinda {

// The self-crossings within radius_m of centre, nearest first. The same node
// may appear once for every lap that passes through it.
std::vector<TracePoint> self_crossings_near(const Trace& trace, TracePoint centre, double radius_m);

// A segment of a stroke: from point `index` to point `index + 1`.
struct SegmentRef {
  std::size_t stroke = 0, index = 0;
};

// The self-crossings among the given segments, all in frame units
// (trace_frame.h). Two crossing segments of which one runs along the other's
// stroke within the tolerance, or that cross within it of where both their
// strokes end, are one curve sampled twice, not a node.
std::vector<TracePoint> self_crossings_among(const std::vector<TracePolyline>& strokes,
                                             std::vector<SegmentRef> segments, double tolerance);

}  // namespace orvinda
