#pragma once
// The ellipse method of the lab work, on the drawn figure of 1 : 1: the chord
// b where the ellipse cuts the y axis, over its height a between the
// horizontal tangents, gives sin φ₀ = b / a. The tilt tells the quadrant
// (major axis in quadrants I-III: |Δφ| = φ₀; II-IV: 180° - φ₀), the direction
// of traversal the sign (anticlockwise is positive).

#include <string>

#include "model/trace.h"
#include "tools/measure/model/drawn_figure.h"

namespace orvinda {

struct EllipseReading {
  bool applies = false;
  std::string refusal;         // why the method does not apply, for the student
  double b = 0, a = 0;         // metres
  TracePoint b_from, b_to;     // the chord's ends on the y axis, bottom first
  TracePoint a_bottom, a_top;  // where the horizontal tangents touch
  double sin_phi0 = 0;         // b / a
  double phi0_deg = 0;         // arcsin(b / a), 0 ... 90
  bool leans_right = true;     // major axis in quadrants I-III
  bool anticlockwise = true;
  double dphi_deg = 0;  // signed Δφ, -180 ... 180
  // Within 10° of 90° the linear error fails: |Δφ| lies in the interval
  // [interval_low_deg, interval_high_deg] instead.
  bool interval = false;
  double error_deg = 0;  // ± for |Δφ| otherwise
  double interval_low_deg = 0, interval_high_deg = 0;
};

// pixel_m: one pixel in metres; each chord is read to half a pixel at each
// end. The figure must be drawn whole.
EllipseReading ellipse_method(const DrawnFigure& figure, double pixel_m);

}  // namespace orvinda
