#pragma once
// The characteristics of the two oscillations: amplitudes, initial phases,
// their ratios, and the step of the run.

#include <cstdint>

namespace orvinda {

// π and 2π cut short, as the window's own formulas write them: its phases,
// steps and periods (and so every figure it prints) depend on these digits.
// Anything else uses std::numbers::pi.
inline constexpr double kTruncatedPi = 3.1415926535;
inline constexpr double kTruncatedTwoPi = 6.283185307;
inline constexpr std::int16_t kStepsPerPeriod = 50;

// The six parameters; by default a point at rest with equal frequencies
// (the window's start values are kStartParameters).
struct MotionParameters {
  double wx = 1;
  double x0 = 0;
  double vx0 = 0;
  double wy = 1;
  double y0 = 0;
  float vy0 = 0;
};

struct Characteristics {
  double ax = 0;
  double fix = 0;
  double ay = 0;
  double fiy = 0;
  double ayax = 0;  // kept from the previous call when ax is 0
  bool ayax_defined = false;
  double dj = 0;  // in units of pi
  float wywx = 0;
  std::int16_t np = kStepsPerPeriod;
  float dt = 0;
};

// Amplitude sqrt(c^2 + (u/w)^2), finite for any finite inputs.
double amplitude(double coordinate, double velocity, double frequency);

// Initial phase of q(t) = A cos(w t - phi): the angle of (c, u/w) in
// (-pi, pi], so that the phase describes the motion that starts at c.
// The rest point (both zero) keeps the fixed value pi/2.
double initial_phase(double coordinate, double velocity, double frequency);

// Time step of the run in radians of horizontal phase: one period of the
// faster oscillation takes np steps.
float time_step(float wywx, std::int16_t np);

// Precondition: wx > 0 and wy > 0. previous_ayax is what ayax held before.
Characteristics compute_characteristics(const MotionParameters& p, double previous_ayax,
                                        bool previous_defined);

}  // namespace orvinda
