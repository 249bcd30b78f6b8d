#pragma once
// The two oscillations against time, as the time view shows them: the
// points of the run's own stepping, a window of time that starts at 0 and
// moves on when the run passes its end, and the rotating vectors of a
// moment.

#include <cstddef>
#include <vector>

#include "model/characteristics.h"

namespace orvinda {

struct SweepPoint {
  double t = 0;         // model time, seconds
  double x = 0, y = 0;  // the run's point at that time, metres
  bool operator==(const SweepPoint&) const = default;
};

// The run counts time in radians of the horizontal phase; in seconds that
// is t / wx, the very same number, as Wx is always 1 rad/s.
double sweep_seconds(float run_time, double wx);

// Turns of x the idle view spans: the turns the figure takes to close, or
// kOpenSweepTurns when it does not close within 20.
inline constexpr int kOpenSweepTurns = 4;
int sweep_turns(float wywx);

// Seconds of turns full turns of x.
double sweep_span(int turns, double wx);

// The idle view's points never exceed this many steps; beyond it (only for
// a vertical frequency in the hundreds) the view covers fewer turns.
inline constexpr long long kMaxSweepSteps = 250'000;

// A window of model time over which the points are shown. It starts at 0;
// a point past its end moves it on so that a quarter of the span is history.
class TimeSweep {
 public:
  // Empty, over 0 ... span.
  void restart(double span);
  // The next point in time order; true when the window moved on for it.
  bool add(const SweepPoint& p);

  double begin() const { return begin_; }
  double end() const { return begin_ + span_; }
  double span() const { return span_; }
  // In time order; the first may lie before begin(), so the curve enters at
  // the left edge.
  const std::vector<SweepPoint>& points() const { return points_; }

 private:
  double begin_ = 0;
  double span_ = 1;
  std::vector<SweepPoint> points_;
};

// How much the idle view shows: the steps of sweep_turns(wywx) turns of x
// (at most kMaxSweepSteps) and a span just long enough for them, never
// shorter than those turns.
struct SweepExtent {
  long long steps = 0;
  double span = 1;  // seconds
};
SweepExtent sweep_extent(float wywx, float dt, double wx);

// The idle view: the start point and the run's steps over sweep_extent,
// in a window of its span.
TimeSweep idle_sweep(const MotionParameters& p, float wywx, float dt);

// The run from its start as the window takes it: the start point (x0, y0)
// at t = 0, then step after step of RunStepper into the sweep while the
// run's float time has not passed until (at most max_steps steps). Returns
// the steps taken. With until at a time the run reached, the sweep ends on
// that very step.
long long sweep_run(TimeSweep& sweep, const MotionParameters& p, float wywx, float dt, float until,
                    long long max_steps);

// The rotating vectors at the run's time t. x's vector makes the angle
// wx t - fix with the horizontal axis, and its projection on that axis is
// the run's x; y's makes wy t - fiy with the vertical axis (counted
// counter-clockwise from upwards), and its projection on that axis is the
// run's y. The tips' projections are the run's own coordinates, so they
// meet the graphs' points exactly.
struct RotatingVectors {
  double x_angle = 0, y_angle = 0;  // radians
  double x_tip_x = 0, x_tip_y = 0;  // metres, in x's circle
  double y_tip_x = 0, y_tip_y = 0;  // metres, in y's circle
};
RotatingVectors rotating_vectors(const Characteristics& c, float run_time, double x, double y);

}  // namespace orvinda
