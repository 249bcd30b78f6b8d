#pragma once
// The trace of a run as the measuring tools read it: strokes of points in
// metres, in the order they were drawn.

#include <vector>

namespace orvinda {

struct TracePoint {
  double x = 0, y = 0;
};

// One unbroken stroke: consecutive points are joined by straight segments; a
// single point is a dot.
using TracePolyline = std::vector<TracePoint>;

// Strokes need not join, and a long run that retraces its closed figure may
// give the same piece of curve several times, whole or in fragments. Points
// that are not finite break their stroke.
using Trace = std::vector<TracePolyline>;

}  // namespace orvinda
