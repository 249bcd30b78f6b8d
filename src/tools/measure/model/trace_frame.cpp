#include "tools/measure/model/trace_frame.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/numbers.h"

namespace orvinda {

namespace {
// Magnitudes stay below 2^501 in the frame: a product of two differences is
// below 2^1004, a sum of two such products still finite.
constexpr int kLargestExponent = 500;

bool finite(TracePoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }
}  // namespace

double usable_tolerance(double tolerance_m) {
  if (!(tolerance_m > 0)) return 0;
  return std::min(tolerance_m, std::numeric_limits<double>::max());
}

TraceFrame::TraceFrame(const Trace& trace, std::initializer_list<double> extra) {
  double largest = 0;
  auto fit = [&largest](double v) {
    if (std::isfinite(v)) largest = std::max(largest, std::fabs(v));
  };
  for (const TracePolyline& stroke : trace) {
    for (TracePoint p : stroke) {
      if (!finite(p)) continue;
      fit(p.x);
      fit(p.y);
    }
  }
  for (double v : extra) fit(v);
  if (largest > 0) shift_ = std::max(0, std::ilogb(largest) - kLargestExponent);

  for (const TracePolyline& stroke : trace) {
    TracePolyline piece;
    for (TracePoint p : stroke) {
      if (finite(p)) {
        piece.push_back(to_frame(p));
      } else if (!piece.empty()) {
        strokes_.push_back(std::move(piece));
        piece.clear();
      }
    }
    if (!piece.empty()) strokes_.push_back(std::move(piece));
  }
}

double TraceFrame::to_frame(double metres) const { return std::ldexp(metres, -shift_); }

TracePoint TraceFrame::to_frame(TracePoint metres) const {
  return {to_frame(metres.x), to_frame(metres.y)};
}

double TraceFrame::to_metres(double frame) const { return saturate(std::ldexp(frame, shift_)); }

TracePoint TraceFrame::to_metres(TracePoint frame) const {
  return {to_metres(frame.x), to_metres(frame.y)};
}

}  // namespace orvinda
