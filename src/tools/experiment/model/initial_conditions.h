#pragma once
// From amplitudes and initial phases back to the six initial conditions, in
// the convention of the characteristics: q(t) = A cos(w t - phi), so that
// q(0) = A cos phi and q'(0) = A w sin phi.

#include "model/characteristics.h"

namespace orvinda {

struct CosSin {
  double cos = 1;
  double sin = 0;
};

// cos and sin of phase * pi, the phase in units of pi as the window shows
// it. Exact (0, +-1, +-sqrt(2)/2, never -0) at every multiple of 1/4, so a
// phase of 1/2 gives a coordinate of exactly 0; otherwise std::cos and
// std::sin of the phase reduced to (-2, 2) first, which is exact in binary.
CosSin cos_sin_pi(double phase_in_pi);

struct AmplitudesAndPhases {
  double ax = 0;
  double fix = 0;  // in units of pi
  double ay = 0;
  double fiy = 0;  // in units of pi
  double wx = 1;
  double wy = 1;
};

// Every value saturates instead of overflowing; vy0 is rounded to a float as
// the window stores it (see to_single).
MotionParameters initial_conditions(const AmplitudesAndPhases& a);

}  // namespace orvinda
