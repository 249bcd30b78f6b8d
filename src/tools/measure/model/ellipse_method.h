#pragma once
// The ellipse method of the lab work: with equal frequencies the point traces
// an ellipse centred on the origin; on either axis, the chord b between the
// ellipse's two crossings with the axis, over the ellipse's extent a along
// that axis, gives sin Δφ = b / a (its magnitude).

#include "model/trace.h"

namespace orvinda {

enum class EllipseAxis { kXAxis, kYAxis };

struct EllipseMeasure {
  // The trace crosses the axis exactly twice, at passes (no tangency, no
  // node near the axis), crosses the other axis twice too, and has an
  // extent. Otherwise a and b are still filled in as far as they go, and
  // sin_phase_difference is 0.
  bool valid = false;
  double a = 0;                     // the extent of the drawn trace along the axis, metres
  double b = 0;                     // the distance between its crossings with the axis, metres
  double sin_phase_difference = 0;  // b / a, 0 ... 1
  TracePoint b_from, b_to;          // the crossings, in order along the axis
};

// What a student measures on the drawn figure, for the expected values of the
// lab sheet. tolerance_m as for count_crossings (one pixel in metres).
EllipseMeasure ellipse_method(const Trace& trace, EllipseAxis axis, double tolerance_m);

}  // namespace orvinda
