#pragma once
// Traces of the lab figures as the run draws them: x0 = 4, vx0 = 0,
// y0 = 4 cos dphi, vy0 = 4 wy sin dphi, so both amplitudes are 4 m and the
// vertical oscillation lags by dphi.

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>

#include "model/characteristics.h"
#include "model/run_stepper.h"
#include "model/trace.h"

namespace orvinda::testing {

inline constexpr double kBig = std::numeric_limits<double>::max();
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

// One pixel in metres for these figures: the plot spans 2 R = 12 m over about 485 pixels.
inline constexpr double kPixel = 2 * 6.0 / 485;

struct Figure {
  int wx = 1, wy = 1;  // the frequency ratio wx : wy
  double dphi = 0;
};

inline MotionParameters figure_parameters(Figure f) {
  const double wy = double(f.wy) / f.wx;
  return {1, 4, 0, wy, 4 * std::cos(f.dphi), static_cast<float>(4 * wy * std::sin(f.dphi))};
}

// Steps of the run for one closed figure (wx turns of the horizontal oscillation).
inline int steps_per_lap(Figure f) {
  const Characteristics c = compute_characteristics(figure_parameters(f), 0, false);
  return static_cast<int>(std::lround(kTruncatedTwoPi * f.wx / c.dt));
}

// The run's trace after `laps` closed figures, in one stroke from the start point.
inline Trace run_trace(Figure f, int laps) {
  const MotionParameters p = figure_parameters(f);
  const Characteristics c = compute_characteristics(p, 0, false);
  RunStepper stepper(p, c.wywx, c.dt);
  TracePolyline stroke{{p.x0, p.y0}};
  for (int i = laps * steps_per_lap(f); i > 0; --i) {
    const RunStep s = stepper.next();
    stroke.push_back({s.segment_x, s.segment_y});
  }
  return {stroke};
}

// The same run as a drawing list that leaves out what it has drawn already:
// the first lap whole, then of the later laps only pieces of varied length,
// which begin and end anywhere, on a counting line too.
inline Trace fragmented_trace(Figure f, int laps) {
  const TracePolyline all = run_trace(f, laps).front();
  const std::size_t lap = static_cast<std::size_t>(steps_per_lap(f));
  Trace pieces{TracePolyline(all.begin(), all.begin() + lap + 1)};
  const std::size_t lengths[] = {3, 1, 5, 2, 7, 4, 6};
  bool keep = true;
  std::size_t k = 0;
  for (std::size_t i = lap; i + 1 < all.size(); keep = !keep) {
    const std::size_t j = std::min(all.size() - 1, i + lengths[k++ % 7]);
    if (keep) pieces.emplace_back(all.begin() + i, all.begin() + j + 1);
    i = j;
  }
  return pieces;
}

// A figure as three columns of a test table, and read back in the test.
inline void add_figure_columns() {
  QTest::addColumn<int>("wx");
  QTest::addColumn<int>("wy");
  QTest::addColumn<double>("dphi");
}

inline Figure fetched_figure() {
  QFETCH(int, wx);
  QFETCH(int, wy);
  QFETCH(double, dphi);
  return {wx, wy, dphi};
}

}  // namespace orvinda::testing
