#include "tools/measure/model/crossings.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <numeric>
#include <vector>

#include "tools/measure/model/figure_nodes.h"

namespace orvinda {

namespace {

constexpr double kExactPi = std::numbers::pi;
// Passes this close in direction are one branch met again; the narrowest
// nodes of the lab's figures cross at ten times this.
constexpr double kSameBranch = 0.02;
// Beyond this many meetings a line is lost in a filled rectangle anyway.
constexpr double kMostMeetings = 100'000;

struct Meeting {
  double along = 0;    // position along the line, metres
  TracePoint heading;  // unit direction of travel; none at a touch
  CrossingKind kind = CrossingKind::kPass;
};

struct Axis {
  double amplitude, rate, phase;
};

// The times in the drawn span at which rate t - phase = angle + 2 pi k.
template <typename Visit>
void times_at(const DrawnFigure& f, Axis axis, double angle, Visit visit) {
  const double end = f.end_time();
  const double slack = 1e-12 * std::max(1.0, end);
  const double first = std::ceil((-axis.phase - angle - slack * axis.rate) / (2 * kExactPi));
  const double last = std::floor((axis.rate * (end + slack) - axis.phase - angle) / (2 * kExactPi));
  if (!(last - first < kMostMeetings)) return;
  for (double k = first; k <= last; ++k) {
    const double t = (axis.phase + angle + 2 * kExactPi * k) / axis.rate;
    if (t < -slack || t > end + slack) continue;
    // The closed figure's end is its start.
    if (f.whole() && t > end - slack) continue;
    visit(std::max(0.0, t));
  }
}

std::vector<Meeting> meetings(const DrawnFigure& f, CountingLine line, double tolerance) {
  const bool horizontal = line.direction == LineDirection::kHorizontal;
  const Axis across =
      horizontal ? Axis{f.ay(), f.rate(), f.phase_y()} : Axis{f.ax(), 1.0, f.phase_x()};
  const double other_amplitude = horizontal ? f.ax() : f.ay();
  const double c = line.value;
  std::vector<Meeting> found;
  if (std::fabs(c) > across.amplitude + tolerance) return found;
  if (across.amplitude <= tolerance) {
    // The figure lies along the line: one touch, where it lies.
    found.push_back({0, {}, CrossingKind::kTangency});
    return found;
  }
  const bool touch = std::fabs(c) >= across.amplitude - tolerance;
  std::vector<double> angles;
  if (touch) {
    angles = {c >= 0 ? 0.0 : kExactPi};
  } else {
    const double a = std::acos(c / across.amplitude);
    angles = {a, -a};
  }
  for (double angle : angles) {
    times_at(f, across, angle, [&](double t) {
      const TracePoint p = f.point(t);
      const double along = horizontal ? p.x : p.y;
      Meeting m{along, {}, CrossingKind::kPass};
      if (touch) {
        // A corner of the rectangle: the point turns back there.
        m.kind = std::fabs(along) >= other_amplitude - tolerance ? CrossingKind::kArcEnd
                                                                 : CrossingKind::kTangency;
      } else {
        const TracePoint v = f.velocity(t);
        const double length = std::hypot(v.x, v.y);
        if (length > 0 && std::isfinite(length)) m.heading = {v.x / length, v.y / length};
      }
      found.push_back(m);
    });
  }
  return found;
}

bool one_branch(const Meeting& a, const Meeting& b) {
  if ((a.kind == CrossingKind::kPass) != (b.kind == CrossingKind::kPass)) return false;
  if (a.kind != CrossingKind::kPass) return true;
  // Either way along the branch: there and back is one branch too.
  return std::fabs(a.heading.x * b.heading.y - a.heading.y * b.heading.x) <= std::sin(kSameBranch);
}

std::size_t root(std::vector<std::size_t>& parent, std::size_t i) {
  while (parent[i] != i) i = parent[i] = parent[parent[i]];
  return i;
}

}  // namespace

CrossingCount count_crossings(const DrawnFigure& figure, CountingLine line, double tolerance_m) {
  if (figure.empty() || !(tolerance_m > 0) || !std::isfinite(tolerance_m)) return {};
  return count_crossings(figure, figure_nodes(figure, tolerance_m), line, tolerance_m);
}

CrossingCount count_crossings(const DrawnFigure& figure, const std::vector<TracePoint>& nodes,
                              CountingLine line, double tolerance_m) {
  CrossingCount result;
  if (figure.empty() || !std::isfinite(line.value) || !(tolerance_m > 0) ||
      !std::isfinite(tolerance_m)) {
    return result;
  }
  const bool horizontal = line.direction == LineDirection::kHorizontal;
  // Rounding in a huge figure reaches further than a pixel.
  const double scale = std::max(figure.ax(), figure.ay());
  tolerance_m = std::max(tolerance_m, 1e-12 * scale);
  std::vector<Meeting> found = meetings(figure, line, tolerance_m);
  std::sort(found.begin(), found.end(),
            [](const Meeting& a, const Meeting& b) { return a.along < b.along; });

  // Meetings within the tolerance on one branch are one point of the figure,
  // chained, as a drifting figure's laps lie side by side. The nearest earlier
  // meeting of the branch is enough: the ones before it are chained to it.
  std::vector<std::size_t> parent(found.size());
  std::iota(parent.begin(), parent.end(), std::size_t{0});
  for (std::size_t i = 0; i < found.size(); ++i) {
    for (std::size_t j = i; j-- > 0 && found[i].along - found[j].along <= tolerance_m;) {
      if (one_branch(found[i], found[j])) {
        parent[root(parent, i)] = root(parent, j);
        break;
      }
    }
  }
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (root(parent, i) != i) continue;  // the first of each point stands for it
    const Meeting& m = found[i];
    const TracePoint at =
        horizontal ? TracePoint{m.along, line.value} : TracePoint{line.value, m.along};
    result.crossings.push_back({at, m.kind});
    result.tangency = result.tangency || m.kind == CrossingKind::kTangency;
    result.arc_end = result.arc_end || m.kind == CrossingKind::kArcEnd;
  }

  for (TracePoint node : nodes) {
    const double off = (horizontal ? node.y : node.x) - line.value;
    if (std::fabs(off) <= kNodeReach * tolerance_m) result.nodes.push_back(node);
  }
  result.near_node = !result.nodes.empty();
  return result;
}

}  // namespace orvinda
