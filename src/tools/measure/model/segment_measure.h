#pragma once
// The readout of a measured segment.

#include "model/trace.h"

namespace orvinda {

struct SegmentMeasure {
  double length = 0;  // metres
  double dx = 0;      // to.x - from.x
  double dy = 0;      // to.y - from.y
};

// Finite for any input: differences beyond the largest double saturate, and
// a coordinate that is not finite is read as finite (NaN as 0).
SegmentMeasure measure_segment(TracePoint from, TracePoint to);

}  // namespace orvinda
