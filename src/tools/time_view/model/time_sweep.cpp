#include "tools/time_view/model/time_sweep.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "model/figure_period.h"
#include "model/run_stepper.h"

namespace orvinda {

double sweep_seconds(float run_time, double wx) { return static_cast<double>(run_time) / wx; }

int sweep_turns(float wywx) { return turns_to_close(wywx).value_or(kOpenSweepTurns); }

double sweep_span(int turns, double wx) { return turns * 2 * std::numbers::pi / wx; }

void TimeSweep::restart(double span) {
  begin_ = 0;
  // A window of no length could never hold a point.
  span_ = span > 0 && std::isfinite(span) ? span : 1;
  points_.clear();
}

bool TimeSweep::add(const SweepPoint& p) {
  bool moved = false;
  if (p.t > end()) {
    begin_ = p.t - span_ / 4;
    // Keeps the last point before the new beginning: the curve enters from it.
    auto first_inside = std::find_if(points_.begin(), points_.end(),
                                     [this](const SweepPoint& q) { return q.t >= begin_; });
    if (first_inside != points_.begin()) --first_inside;
    points_.erase(points_.begin(), first_inside);
    moved = true;
  }
  points_.push_back(p);
  return moved;
}

SweepExtent sweep_extent(float wywx, float dt, double wx) {
  const int turns = sweep_turns(wywx);
  SweepExtent extent;
  extent.steps = steps_for_turns(dt, turns, kMaxSweepSteps);
  // The run's own float time after those steps: the last may end a little
  // past the turns, and must still be in view.
  float t = 0;
  for (long long i = 0; i < extent.steps; ++i) t += dt;
  const double last = sweep_seconds(t, wx);
  extent.span = extent.steps < kMaxSweepSteps ? std::max(sweep_span(turns, wx), last) : last;
  return extent;
}

TimeSweep idle_sweep(const MotionParameters& p, float wywx, float dt) {
  const SweepExtent extent = sweep_extent(wywx, dt, p.wx);
  TimeSweep sweep;
  sweep.restart(extent.span);
  sweep_run(sweep, p, wywx, dt, std::numeric_limits<float>::infinity(), extent.steps);
  return sweep;
}

long long sweep_run(TimeSweep& sweep, const MotionParameters& p, float wywx, float dt, float until,
                    long long max_steps) {
  sweep.add({0, p.x0, p.y0});
  RunStepper stepper(p, wywx, dt);
  long long steps = 0;
  while (steps < max_steps && stepper.t() < until) {
    const float before = stepper.t();
    const RunStep s = stepper.next();
    ++steps;
    sweep.add({sweep_seconds(stepper.t(), p.wx), s.x, s.y});
    if (stepper.t() == before) break;  // the float time stopped growing
  }
  return steps;
}

RotatingVectors rotating_vectors(const Characteristics& c, float run_time, double x, double y) {
  RotatingVectors v;
  // wx t in seconds is the run's time itself; wy t is the phase the run
  // gives y, in single precision as the run computes it.
  v.x_angle = static_cast<double>(run_time) - c.fix;
  const float y_phase = c.wywx * run_time;
  v.y_angle = static_cast<double>(y_phase) - c.fiy;
  v.x_tip_x = x;
  v.x_tip_y = c.ax * std::sin(v.x_angle);
  v.y_tip_x = -c.ay * std::sin(v.y_angle);
  v.y_tip_y = y;
  return v;
}

}  // namespace orvinda
