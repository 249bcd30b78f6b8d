#include "tools/measure/model/figure_nodes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvinda {

namespace {

constexpr double kExactPi = std::numbers::pi;
constexpr long long kMostCandidates = 200'000;

double wrapped(double t, double period) {
  const double r = std::fmod(t, period);
  return r < 0 ? r + period : r;
}

struct Motion {
  double ax, ay, phase_x, phase_y, rate;
  TracePoint point(double t) const {
    return {ax * std::cos(t - phase_x), ay * std::cos(rate * t - phase_y)};
  }
  TracePoint velocity(double t) const {
    return {-ax * std::sin(t - phase_x), -ay * rate * std::sin(rate * t - phase_y)};
  }
};

}  // namespace

std::vector<TracePoint> figure_nodes(const DrawnFigure& figure, double pixel_m) {
  if (figure.empty() || !(figure.ax() > 0) || !(figure.ay() > 0)) return {};
  LapRatio lap = figure.near_ratio();
  if (!figure.closing() && !(figure.lap_drift() * figure.ay() <= pixel_m)) return {};
  if (static_cast<long long>(lap.x_turns) * lap.y_cycles * 4 > kMostCandidates) return {};
  const Motion m{figure.ax(), figure.ay(), figure.phase_x(), figure.phase_y(),
                 static_cast<double>(lap.y_cycles) / lap.x_turns};
  const double period = 2 * kExactPi * lap.x_turns;
  const bool all_drawn = figure.whole() || figure.end_time() >= period;
  const double end = figure.end_time();
  const double scale = std::max(m.ax, m.ay);
  const double step = kExactPi / m.rate;  // between candidates of one family

  std::vector<TracePoint> nodes;
  auto consider = [&](double t1, double t2) {
    t1 = wrapped(t1, period);
    t2 = wrapped(t2, period);
    const double apart = std::fabs(t1 - t2);
    if (std::min(apart, period - apart) < 1e-9 * period) return;
    if (!all_drawn && (t1 > end || t2 > end)) return;
    const TracePoint a = m.point(t1), b = m.point(t2);
    if (std::hypot(a.x - b.x, a.y - b.y) > 1e-7 * scale) return;
    // The same branch passed again (an arc there and back, through its end)
    // runs along itself; different branches cross.
    const TracePoint u = m.velocity(t1), v = m.velocity(t2);
    const double lengths = std::hypot(u.x, u.y) * std::hypot(v.x, v.y);
    if (!(lengths > 0) || std::fabs(u.x * v.y - u.y * v.x) <= 1e-6 * lengths) return;
    nodes.push_back(a);
  };
  // Equal x at two times: t2 = t1 + 2 pi k, or t2 mirrors t1 about phase_x.
  // Equal y as well leaves a finite set of t1 in each case.
  for (int k = 0; k < lap.x_turns; ++k) {
    for (int j = 0; j < 2 * lap.y_cycles; ++j) {
      if (k > 0) {
        const double t1 = (m.phase_y + kExactPi * j) / m.rate - kExactPi * k;
        consider(t1, t1 + 2 * kExactPi * k);
      }
      const double t1 = m.phase_x + kExactPi * k - j * step;
      consider(t1, 2 * m.phase_x - t1 + 2 * kExactPi * k);
    }
  }
  // Each node is found from both of its passes, and from every family that
  // gives it: keep it once. Sorted by x, only neighbours in x can be equal.
  std::sort(nodes.begin(), nodes.end(),
            [](TracePoint p, TracePoint q) { return p.x < q.x || (p.x == q.x && p.y < q.y); });
  const double same = 1e-6 * scale;
  std::vector<TracePoint> once;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    bool known = false;
    for (std::size_t j = once.size(); j-- > 0 && nodes[i].x - once[j].x <= same;) {
      known = known || std::hypot(nodes[i].x - once[j].x, nodes[i].y - once[j].y) <= same;
    }
    if (!known) once.push_back(nodes[i]);
  }
  return once;
}

}  // namespace orvinda
