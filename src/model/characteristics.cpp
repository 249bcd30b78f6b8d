#include "model/characteristics.h"

#include <cmath>

#include "model/numbers.h"

namespace orvinda {

double amplitude(double coordinate, double velocity, double frequency) {
  return saturate(std::hypot(coordinate, saturate(velocity / frequency)));
}

double initial_phase(double coordinate, double velocity, double frequency) {
  const double reduced = saturate(velocity / frequency) + 0.0;  // + 0 drops -0
  if (coordinate == 0.0 && reduced == 0.0) return kTruncatedPi / 2;
  return std::atan2(reduced, coordinate + 0.0);
}

float time_step(float wywx, std::int16_t np) {
  const double period = kTruncatedTwoPi / np;
  if (wywx > 1) return to_single(period / wywx);
  return to_single(period);
}

Characteristics compute_characteristics(const MotionParameters& p, double previous_ayax,
                                        bool previous_defined) {
  Characteristics c;
  c.ax = amplitude(p.x0, p.vx0, p.wx);
  c.fix = initial_phase(p.x0, p.vx0, p.wx);
  c.ay = amplitude(p.y0, p.vy0, p.wy);
  c.fiy = initial_phase(p.y0, p.vy0, p.wy);
  if (c.ax == 0) {
    c.ayax = previous_ayax;
    c.ayax_defined = previous_defined;
  } else {
    c.ayax = saturate(c.ay / c.ax);
    c.ayax_defined = true;
  }
  c.dj = (c.fiy - c.fix) / kTruncatedPi;
  c.wywx = to_single(p.wy / p.wx);
  c.np = kStepsPerPeriod;
  c.dt = time_step(c.wywx, c.np);
  return c;
}

}  // namespace orvinda
