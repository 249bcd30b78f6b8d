#include "tools/measure/model/segment_measure.h"

#include <cmath>

#include "model/numbers.h"

namespace orvinda {

SegmentMeasure measure_segment(TracePoint from, TracePoint to) {
  // Halves keep the differences finite; doubling them back may saturate.
  const double half_dx = saturate(to.x) / 2 - saturate(from.x) / 2;
  const double half_dy = saturate(to.y) / 2 - saturate(from.y) / 2;
  SegmentMeasure m;
  m.dx = saturate(2 * half_dx) + 0.0;  // + 0 drops -0
  m.dy = saturate(2 * half_dy) + 0.0;
  m.length = saturate(2 * std::hypot(half_dx, half_dy));
  return m;
}

}  // namespace orvinda
