#pragma once
// The trace in working units for the measuring geometry: every coordinate is
// scaled by one power of two (exact) so that sums, differences and products of
// two of them stay finite even for coordinates near the largest double.

#include <initializer_list>
#include <vector>

#include "model/trace.h"

namespace orvinda {

class TraceFrame {
 public:
  // The scale fits the trace's finite coordinates and the extra values (a
  // line's position, a tolerance, a point). Non-finite points split strokes.
  TraceFrame(const Trace& trace, std::initializer_list<double> extra);

  double to_frame(double metres) const;
  TracePoint to_frame(TracePoint metres) const;
  // Saturates at the largest finite magnitude.
  double to_metres(double frame) const;
  TracePoint to_metres(TracePoint frame) const;

  const std::vector<TracePolyline>& strokes() const { return strokes_; }

 private:
  int shift_ = 0;
  std::vector<TracePolyline> strokes_;
};

// A tolerance in metres made usable: NaN and negative values give 0, an
// infinite one the largest finite value.
double usable_tolerance(double tolerance_m);

}  // namespace orvinda
