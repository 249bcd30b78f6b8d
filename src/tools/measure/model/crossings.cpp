#include "tools/measure/model/crossings.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

#include "tools/measure/model/plane_geometry.h"
#include "tools/measure/model/self_crossings.h"
#include "tools/measure/model/trace_frame.h"

namespace orvinda {

namespace {

// A stroke seen from the line: x is the position along it, y the distance
// across it (signed), both in frame units.
using LocalStroke = std::vector<TracePoint>;

enum class EventKind { kPass, kTouch, kStart, kEnd };

// One meeting of a stroke with the band of the tolerance around the line.
struct Event {
  EventKind kind = EventKind::kPass;
  // Pass: the side it goes to. Touch: the side it comes from and returns to,
  // 0 for a stroke lying wholly in the band. Start: the side a stroke that
  // begins in the band leaves to. End: the side a stroke that ends in the
  // band comes from.
  int side = 0;
  // A pass: where it crosses the line. Otherwise the tip (see tip()).
  TracePoint mark;
  double angle = 0;                             // direction of travel (pass, start, end)
  std::size_t segment = 0;                      // a pass: the segment it crosses the line in
  std::size_t stroke = 0, first = 0, last = 0;  // its piece of the stroke
  double lo = 0, hi = 0;                        // that piece's extent along the line
};

int side_of(double across, double tolerance) {
  if (across > tolerance) return 1;
  if (across < -tolerance) return -1;
  return 0;
}

// The point of [first, last] that comes furthest over to the side away from
// `side` (nearest the line for side 0): the tip of a tangency.
TracePoint tip(const LocalStroke& s, std::size_t first, std::size_t last, int side) {
  auto over = [side](TracePoint p) { return side == 0 ? std::fabs(p.y) : side * p.y; };
  std::size_t best = first;
  for (std::size_t i = first; i <= last; ++i) {
    if (over(s[i]) < over(s[best])) best = i;
  }
  return s[best];
}

struct Meeting {
  double u = 0;             // where, along the line
  double angle = 0;         // the direction of travel there
  std::size_t segment = 0;  // the segment it lies on (or begins)
};

// The first place where [first, last] meets the line; the ends lie on
// opposite sides of it. The direction is that of the segment it meets the
// line in (of the neighbours' chord at a vertex on the line): laps sampled a
// little differently agree on it, where the chord of the whole piece would
// swing as a vertex falls in or out of the band.
Meeting first_meeting(const LocalStroke& s, std::size_t first, std::size_t last) {
  for (std::size_t k = first; k < last; ++k) {
    const TracePoint a = s[k], b = s[k + 1];
    if (a.y == 0) return {a.x, direction_angle(s[k - 1], b), k};  // k > first: s[first].y != 0
    if ((a.y < 0) != (b.y < 0) && b.y != 0) {
      const double t = a.y / (a.y - b.y);
      return {a.x + t * (b.x - a.x), direction_angle(a, b), k};
    }
  }
  return {s[last].x, direction_angle(s[first], s[last]), last - 1};
}

Event make_event(const LocalStroke& s, std::size_t stroke, std::size_t first, std::size_t last,
                 EventKind kind, int side) {
  Event e;
  e.kind = kind;
  e.side = side;
  e.stroke = stroke;
  e.first = first;
  e.last = last;
  e.lo = e.hi = s[first].x;
  for (std::size_t i = first; i <= last; ++i) {
    e.lo = std::min(e.lo, s[i].x);
    e.hi = std::max(e.hi, s[i].x);
  }
  switch (kind) {
    case EventKind::kPass: {
      const Meeting m = first_meeting(s, first, last);
      e.mark = {m.u, 0};
      e.angle = m.angle;
      e.segment = m.segment;
      break;
    }
    case EventKind::kTouch:
      e.mark = side == 0 ? tip(s, first, last, 0) : tip(s, first + 1, last - 1, side);
      break;
    case EventKind::kStart:
      e.mark = tip(s, first, last - 1, side);
      e.angle = direction_angle(s[last - 1], s[last]);
      break;
    case EventKind::kEnd:
      e.mark = tip(s, first + 1, last, side);
      e.angle = direction_angle(s[first], s[first + 1]);
      break;
  }
  return e;
}

// Splits a stroke into its meetings with the band. A vertex in the band
// belongs to one meeting only, so a vertex on the line never counts twice.
void collect_events(const LocalStroke& s, std::size_t stroke, double tolerance,
                    std::vector<Event>& out) {
  std::optional<std::size_t> last_out;  // the last vertex outside the band
  for (std::size_t i = 0; i < s.size(); ++i) {
    const int side = side_of(s[i].y, tolerance);
    if (side == 0) continue;
    if (!last_out) {
      if (i > 0) out.push_back(make_event(s, stroke, 0, i, EventKind::kStart, side));
    } else {
      const int from = side_of(s[*last_out].y, tolerance);
      if (from != side) {
        out.push_back(make_event(s, stroke, *last_out, i, EventKind::kPass, side));
      } else if (i > *last_out + 1) {
        out.push_back(make_event(s, stroke, *last_out, i, EventKind::kTouch, from));
      }
    }
    last_out = i;
  }
  if (!last_out) {
    out.push_back(make_event(s, stroke, 0, s.size() - 1, EventKind::kTouch, 0));
  } else if (*last_out + 1 < s.size()) {
    out.push_back(make_event(s, stroke, *last_out, s.size() - 1, EventKind::kEnd,
                             side_of(s[*last_out].y, tolerance)));
  }
}

class Counter {
 public:
  Counter(std::vector<LocalStroke> strokes, double tolerance)
      : strokes_(std::move(strokes)), tolerance_(tolerance) {
    for (std::size_t s = 0; s < strokes_.size(); ++s) {
      collect_events(strokes_[s], s, tolerance_, events_);
    }
    parent_.resize(events_.size());
    std::iota(parent_.begin(), parent_.end(), std::size_t{0});
    dropped_.assign(events_.size(), false);
    find_neighbours();
  }

  // The counted meetings: for each, its first event and its kind.
  std::vector<std::pair<const Event*, CrossingKind>> resolve();

  // Distinct passes at the same place: a node (given in local coordinates),
  // or a shallow tip.
  void classify_pairs(const std::vector<const Event*>& passes, bool& tangency,
                      std::vector<TracePoint>& nodes) const;

 private:
  void find_neighbours();
  double distance_to_piece(TracePoint p, const Event& e) const;
  bool same_place(const Event& a, const Event& b) const;
  bool same_pass(const Event& a, const Event& b) const;
  bool absorbs(const Event& complete, const Event& partial) const;
  std::size_t root(std::size_t i);
  void join(std::size_t i, std::size_t j);

  std::vector<LocalStroke> strokes_;
  double tolerance_;
  std::vector<Event> events_;
  std::vector<std::pair<std::size_t, std::size_t>> neighbours_;  // candidate pairs
  std::vector<std::size_t> parent_;
  std::vector<bool> dropped_;
};

void Counter::find_neighbours() {
  std::vector<std::size_t> order(events_.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [this](std::size_t a, std::size_t b) { return events_[a].lo < events_[b].lo; });
  for (std::size_t i = 0; i < order.size(); ++i) {
    const Event& a = events_[order[i]];
    for (std::size_t j = i + 1; j < order.size(); ++j) {
      if (events_[order[j]].lo - a.hi > tolerance_) break;
      neighbours_.emplace_back(std::min(order[i], order[j]), std::max(order[i], order[j]));
    }
  }
  std::sort(neighbours_.begin(), neighbours_.end());
}

double Counter::distance_to_piece(TracePoint p, const Event& e) const {
  const LocalStroke& s = strokes_[e.stroke];
  double nearest = std::hypot(p.x - s[e.first].x, p.y - s[e.first].y);
  for (std::size_t k = e.first; k < e.last; ++k) {
    nearest = std::min(nearest, distance_to_segment(p, s[k], s[k + 1]));
  }
  return nearest;
}

// Measured from one's mark to the other's piece of curve, not between the
// marks: laps sampled a little differently meet a shallow line at points
// further apart, and put a flat tip's vertex a step to either side.
bool Counter::same_place(const Event& a, const Event& b) const {
  return distance_to_piece(a.mark, b) <= tolerance_ || distance_to_piece(b.mark, a) <= tolerance_;
}

// Two laps of one pass: going the same way at the same place. Where the curve
// turns sharply the segments that cross the line differ in direction from
// lap to lap, but one still lies along the other's stroke.
bool Counter::same_pass(const Event& a, const Event& b) const {
  if (a.side != b.side || !same_place(a, b)) return false;
  const double gap = direction_gap(a.angle, b.angle);
  if (gap < kSameDirection) return true;
  if (gap > kHalfTurn / 2) return false;  // along each other, but the other way
  const LocalStroke& sa = strokes_[a.stroke];
  const LocalStroke& sb = strokes_[b.stroke];
  return runs_along(sa, a.segment, sb[b.segment], sb[b.segment + 1], tolerance_) ||
         runs_along(sb, b.segment, sa[a.segment], sa[a.segment + 1], tolerance_);
}

// Whether a partial view of a meeting belongs to a complete meeting there.
bool Counter::absorbs(const Event& complete, const Event& partial) const {
  if (!same_place(complete, partial)) return false;
  if (partial.kind == EventKind::kTouch) return true;  // lying in the band: any way fits
  if (complete.kind == EventKind::kTouch) return complete.side == partial.side;
  // The direction at a stroke's end may be a segment off the crossing, where
  // the curve turns sharply; the side it goes to is sure.
  const int goes_to = partial.kind == EventKind::kStart ? partial.side : -partial.side;
  return complete.side == goes_to;
}

std::size_t Counter::root(std::size_t i) {
  while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
  return i;
}

void Counter::join(std::size_t i, std::size_t j) {
  const std::size_t a = root(i), b = root(j);
  if (a != b) parent_[std::max(a, b)] = std::min(a, b);  // the first event stays the root
}

std::vector<std::pair<const Event*, CrossingKind>> Counter::resolve() {
  auto kind = [this](std::size_t i) { return events_[i].kind; };
  // A stroke that begins or ends in the band, or lies in it whole, shows only
  // part of a meeting.
  auto partial = [this, &kind](std::size_t i) {
    return kind(i) == EventKind::kStart || kind(i) == EventKind::kEnd ||
           (kind(i) == EventKind::kTouch && events_[i].side == 0);
  };

  // The same meeting from several laps.
  for (const auto& [i, j] : neighbours_) {
    if (partial(i) || partial(j) || kind(i) != kind(j)) continue;
    const Event& a = events_[i];
    const Event& b = events_[j];
    if (kind(i) == EventKind::kPass ? same_pass(a, b) : a.side == b.side && same_place(a, b)) {
      join(i, j);
    }
  }
  // Partial views of meetings seen whole elsewhere.
  for (const auto& [i, j] : neighbours_) {
    if (partial(i) && !partial(j) && absorbs(events_[j], events_[i])) dropped_[i] = true;
    if (partial(j) && !partial(i) && absorbs(events_[i], events_[j])) dropped_[j] = true;
  }
  // What is left of them: a closed figure whose stroke begins and ends on the
  // line, a run that has only just left it.
  for (const auto& [i, j] : neighbours_) {
    if (partial(i) && partial(j) && !dropped_[i] && !dropped_[j] &&
        same_place(events_[i], events_[j])) {
      join(i, j);
    }
  }

  const std::size_t n = events_.size();
  std::vector<int> starts(n, 0), ends(n, 0);  // the sides seen, as bits
  std::vector<bool> complete(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    if (dropped_[i]) continue;
    const int bit = events_[i].side > 0 ? 1 : 2;
    if (kind(i) == EventKind::kStart) starts[root(i)] |= bit;
    if (kind(i) == EventKind::kEnd) ends[root(i)] |= bit;
    if (!partial(i)) complete[root(i)] = true;
  }
  std::vector<std::pair<const Event*, CrossingKind>> counted;
  std::vector<bool> seen(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t r = root(i);
    if (dropped_[i] || seen[r]) continue;
    seen[r] = true;
    CrossingKind k = CrossingKind::kPass;
    if (complete[r]) {
      if (kind(i) == EventKind::kTouch) k = CrossingKind::kTangency;
    } else if ((starts[r] & ends[r]) != 0 || (starts[r] | ends[r]) == 0) {
      // Came from one side and went back to it across the stroke's two ends,
      // or lies along the line.
      k = CrossingKind::kTangency;
    }
    counted.emplace_back(&events_[i], k);
  }
  return counted;
}

void Counter::classify_pairs(const std::vector<const Event*>& passes, bool& tangency,
                             std::vector<TracePoint>& nodes) const {
  // Only passes whose pieces come within the tolerance of each other along the
  // line can be at the same place: a sweep finds them, where trying every
  // pair would cost the square of a long run's hundreds of crossings.
  std::vector<std::size_t> order(passes.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&passes](std::size_t a, std::size_t b) { return passes[a]->lo < passes[b]->lo; });
  std::vector<std::pair<std::size_t, std::size_t>> near;
  for (std::size_t i = 0; i < order.size(); ++i) {
    for (std::size_t j = i + 1; j < order.size(); ++j) {
      if (passes[order[j]]->lo - passes[order[i]]->hi > tolerance_) break;
      near.emplace_back(std::min(order[i], order[j]), std::max(order[i], order[j]));
    }
  }
  std::sort(near.begin(), near.end());  // in the order of the passes, as found
  for (const auto& [i, j] : near) {
    const Event& a = *passes[i];
    const Event& b = *passes[j];
    if (!same_place(a, b)) continue;
    const double gap = direction_gap(a.angle, b.angle);
    if (a.side != b.side && gap > kHalfTurn - kSameDirection) continue;  // back and forth
    if (a.side != b.side && gap < kSameDirection) {
      tangency = true;  // over the line and straight back: a shallow tip
      continue;
    }
    // Two branches crossing: the node is where their directions meet.
    const double t = (b.mark.x - a.mark.x) * std::sin(b.angle) / std::sin(b.angle - a.angle);
    nodes.push_back({a.mark.x + t * std::cos(a.angle), t * std::sin(a.angle)});
  }
}

}  // namespace

CrossingCount count_crossings(const Trace& trace, CountingLine line, double tolerance_m) {
  CrossingCount result;
  if (!std::isfinite(line.value)) return result;
  const double tolerance_metres = usable_tolerance(tolerance_m);
  const TraceFrame frame(trace, {line.value, tolerance_metres});
  const double tolerance = frame.to_frame(tolerance_metres);
  const double value = frame.to_frame(line.value);
  const bool horizontal = line.direction == LineDirection::kHorizontal;

  std::vector<LocalStroke> local;
  for (const TracePolyline& stroke : frame.strokes()) {
    LocalStroke s;
    s.reserve(stroke.size());
    for (TracePoint p : stroke) {
      s.push_back(horizontal ? TracePoint{p.x, p.y - value} : TracePoint{p.y, p.x - value});
    }
    local.push_back(std::move(s));
  }

  Counter counter(std::move(local), tolerance);
  const auto counted = counter.resolve();
  std::vector<const Event*> passes;
  for (const auto& [event, kind] : counted) {
    if (event->kind == EventKind::kPass) passes.push_back(event);
    if (kind == CrossingKind::kTangency) result.tangency = true;
  }
  std::vector<TracePoint> nodes;  // in frame units
  std::vector<TracePoint> local_nodes;
  counter.classify_pairs(passes, result.tangency, local_nodes);
  for (TracePoint n : local_nodes) {
    nodes.push_back(horizontal ? TracePoint{n.x, n.y + value} : TracePoint{n.y + value, n.x});
  }

  // Nodes near the line, though the line may miss them: a node lies on two
  // segments, and both come within the tolerance of the line.
  std::vector<SegmentRef> near_line;
  const std::vector<TracePolyline>& strokes = frame.strokes();
  for (std::size_t s = 0; s < strokes.size(); ++s) {
    for (std::size_t i = 0; i + 1 < strokes[s].size(); ++i) {
      const TracePoint a = strokes[s][i], b = strokes[s][i + 1];
      const double da = (horizontal ? a.y : a.x) - value;
      const double db = (horizontal ? b.y : b.x) - value;
      if (std::min(da, db) <= tolerance && std::max(da, db) >= -tolerance) {
        near_line.push_back({s, i});
      }
    }
  }
  for (TracePoint node : self_crossings_among(strokes, std::move(near_line), tolerance)) {
    if (std::fabs((horizontal ? node.y : node.x) - value) <= tolerance) nodes.push_back(node);
  }
  for (TracePoint node : nodes) {
    const bool known = std::any_of(result.nodes.begin(), result.nodes.end(), [&](TracePoint n) {
      return std::hypot(n.x - node.x, n.y - node.y) <= tolerance;
    });
    if (!known) result.nodes.push_back(node);
  }
  for (TracePoint& node : result.nodes) node = frame.to_metres(node);
  if (!result.nodes.empty()) result.near_node = true;

  std::vector<std::pair<double, LineCrossing>> along;
  for (const auto& [event, kind] : counted) {
    const double u = frame.to_metres(event->mark.x);
    const TracePoint point = horizontal ? TracePoint{u, line.value} : TracePoint{line.value, u};
    along.push_back({event->mark.x, LineCrossing{point, kind}});
  }
  std::stable_sort(along.begin(), along.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [u, crossing] : along) result.crossings.push_back(crossing);
  return result;
}

}  // namespace orvinda
