#pragma once
// The figure the run has drawn, as the motion itself: the closed-form
// solution x = ax cos(t - phase_x), y = ay cos(rate t - phase_y) over the
// time drawn so far, t the horizontal phase. Measurements are made on this,
// not on the drawing's trace, whose cache drops passes it has drawn already.

#include <optional>

#include "model/characteristics.h"
#include "model/trace.h"

namespace orvinda {

// A ratio of whole turns: x turns `x_turns` times while y cycles `y_cycles`.
struct LapRatio {
  int x_turns = 1;
  int y_cycles = 1;
};

class DrawnFigure {
 public:
  DrawnFigure() = default;  // nothing drawn
  // drawn_time: the run's time, radians of horizontal phase. A figure that
  // closes (turns_to_close) is taken to one closing span at most, and with the
  // exact ratio of that span, so that it closes exactly.
  DrawnFigure(const MotionParameters& p, float wywx, double drawn_time);

  bool empty() const { return !(end_ > 0); }
  // The drawn span is [0, end_time()], or [0, end_time()) when whole().
  double end_time() const { return end_; }
  bool whole() const { return whole_; }
  // The closing span's ratio; none for a figure that never closes.
  const std::optional<LapRatio>& closing() const { return closing_; }
  // The nearest ratio of at most 20 turns, for a figure that never closes,
  // with how far y's phase drifts from one such lap to the next, radians.
  LapRatio near_ratio() const { return near_; }
  double lap_drift() const { return drift_; }

  double ax() const { return ax_; }
  double ay() const { return ay_; }
  double phase_x() const { return phase_x_; }
  double phase_y() const { return phase_y_; }
  double rate() const { return rate_; }  // wy / wx as the figure runs

  TracePoint point(double t) const;
  TracePoint velocity(double t) const;  // d/dt, t the horizontal phase

 private:
  double ax_ = 0, ay_ = 0, phase_x_ = 0, phase_y_ = 0, rate_ = 1;
  double end_ = 0;
  bool whole_ = false;
  std::optional<LapRatio> closing_;
  LapRatio near_;
  double drift_ = 0;
};

}  // namespace orvinda
