#include "tools/measure/model/drawn_figure.h"

#include <cmath>
#include <numbers>

#include "model/figure_period.h"
#include "model/numbers.h"

namespace orvinda {

namespace {

constexpr double kTurn = 2 * std::numbers::pi;
// A figure that never closes is measured over this many turns at most: by
// then a drifting figure has filled its band, and counting stays quick.
constexpr double kMostOpenTurns = 1000;
constexpr int kMostNearTurns = 20;
// Beyond this many cycles of y per lap a figure is a filled rectangle.
constexpr double kMostCycles = 1e6;

}  // namespace

DrawnFigure::DrawnFigure(const MotionParameters& p, float wywx, double drawn_time) {
  if (!(p.wx > 0) || !(p.wy > 0) || !std::isfinite(p.wx) || !std::isfinite(p.wy)) return;
  ax_ = amplitude(p.x0, p.vx0, p.wx);
  ay_ = amplitude(p.y0, p.vy0, p.wy);
  phase_x_ = std::atan2(saturate(p.vx0 / p.wx), p.x0);
  phase_y_ = std::atan2(saturate(static_cast<double>(p.vy0) / p.wy), p.y0);
  rate_ = wywx;
  if (!(rate_ > 0) || !std::isfinite(rate_) || !std::isfinite(ax_) || !std::isfinite(ay_)) {
    return;
  }
  const std::optional<int> turns = turns_to_close(wywx);
  if (turns && *turns * rate_ <= kMostCycles) {
    const int cycles = static_cast<int>(std::lround(*turns * rate_));
    closing_ = LapRatio{*turns, cycles};
    near_ = *closing_;
    rate_ = static_cast<double>(cycles) / *turns;
    const double span = kTurn * *turns;
    whole_ = drawn_time >= span;
    end_ = whole_ ? span : drawn_time;
  } else {
    double best = HUGE_VAL;
    for (int q = 1; q <= kMostNearTurns; ++q) {
      const double off = std::fabs(q * rate_ - std::round(q * rate_));
      if (off < best && std::round(q * rate_) >= 1 && q * rate_ <= kMostCycles) {
        best = off;
        near_ = {q, static_cast<int>(std::lround(q * rate_))};
      }
    }
    drift_ = kTurn * best;
    end_ = std::min(drawn_time, kTurn * kMostOpenTurns);
  }
  if (!std::isfinite(end_)) end_ = 0;
}

TracePoint DrawnFigure::point(double t) const {
  return {ax_ * std::cos(t - phase_x_), ay_ * std::cos(rate_ * t - phase_y_)};
}

TracePoint DrawnFigure::velocity(double t) const {
  return {saturate(-ax_ * std::sin(t - phase_x_)),
          saturate(-ay_ * rate_ * std::sin(rate_ * t - phase_y_))};
}

}  // namespace orvinda
