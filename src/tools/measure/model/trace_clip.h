#pragma once
// The part of a trace near where one measures. Counting a line's crossings or
// snapping a point only ever looks at the trace close to the line or the
// point, but the cost of it grows with the whole trace, which a long run that
// never closes makes large; measured on the part that matters, the answer is
// the same at a small fraction of the cost.

#include <cstddef>
#include <vector>

#include "model/trace.h"
#include "tools/measure/model/crossings.h"

namespace orvinda {

// A rectangle in metres; infinite sides make a band.
struct TraceBox {
  double left = 0, bottom = 0, right = 0, top = 0;
};

// Every segment whose extent meets a box, with `reach` more segments of its
// stroke on either side, so that each piece begins and ends outside the
// boxes (or where its stroke does) and what the measuring geometry looks at
// around a segment stays whole. Pieces keep their strokes' order and
// direction. Dots inside a box are kept.
Trace clip_trace(const Trace& trace, const std::vector<TraceBox>& boxes, std::size_t reach = 3);

// What snapping a point looks at (snapping.h): a box around the point, and
// the band around an axis when the point is within the tolerance of it.
std::vector<TraceBox> snap_boxes(TracePoint point, double tolerance_m);

// The band of half-width `margin` metres around a counting line.
TraceBox band_around(CountingLine line, double margin);

}  // namespace orvinda
