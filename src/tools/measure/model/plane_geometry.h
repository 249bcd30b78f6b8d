#pragma once
// Small plane geometry for the measuring tools, in frame units (trace_frame.h)
// where sums and products of coordinates stay finite.

#include <cstddef>

#include "model/trace.h"

namespace orvinda {

inline constexpr double kHalfTurn = 3.14159265358979323846;

// Directions closer than this (radians) count as the same: a later lap
// retraces an earlier one with chords sampled a little differently.
inline constexpr double kSameDirection = 0.25;

// The angle between two directions given as angles, 0 ... pi.
double direction_gap(double a, double b);

// The angle between two undirected lines given by direction angles, 0 ... pi/2.
double line_gap(double a, double b);

double direction_angle(TracePoint from, TracePoint to);

double distance_to_segment(TracePoint p, TracePoint a, TracePoint b);

// Whether a and b both lie within the tolerance of the stroke around its
// segment `index` (two segments either way): a piece of the same curve drawn
// again, sampled a little differently.
bool runs_along(const TracePolyline& stroke, std::size_t index, TracePoint a, TracePoint b,
                double tolerance);

// (a - o) x (b - o): positive when b lies to the left of o -> a.
double cross(TracePoint o, TracePoint a, TracePoint b);

}  // namespace orvinda
