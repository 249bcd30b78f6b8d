#include "tools/measure/model/self_crossings.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "tools/measure/model/plane_geometry.h"
#include "tools/measure/model/trace_frame.h"

namespace orvinda {

namespace {

struct Piece {
  TracePoint a, b;
  SegmentRef ref;
  double left = 0, right = 0;
};

bool neighbours(const SegmentRef& p, const SegmentRef& q) {
  if (p.stroke != q.stroke) return false;
  return p.index + 1 >= q.index && q.index + 1 >= p.index;
}

bool opposite(double s, double t) { return (s > 0 && t < 0) || (s < 0 && t > 0); }

// Whether `at` lies within the tolerance of an end of the piece's stroke that
// is an end of the piece too.
bool near_stroke_end(TracePoint at, const Piece& p, const std::vector<TracePolyline>& strokes,
                     double tolerance) {
  const std::size_t last = strokes[p.ref.stroke].size() - 1;
  return (p.ref.index == 0 && std::hypot(at.x - p.a.x, at.y - p.a.y) <= tolerance) ||
         (p.ref.index + 1 == last && std::hypot(at.x - p.b.x, at.y - p.b.y) <= tolerance);
}

}  // namespace

std::vector<TracePoint> self_crossings_among(const std::vector<TracePolyline>& strokes,
                                             std::vector<SegmentRef> segments, double tolerance) {
  std::vector<Piece> pieces;
  pieces.reserve(segments.size());
  for (const SegmentRef& ref : segments) {
    Piece piece{strokes[ref.stroke][ref.index], strokes[ref.stroke][ref.index + 1], ref};
    piece.left = std::min(piece.a.x, piece.b.x);
    piece.right = std::max(piece.a.x, piece.b.x);
    pieces.push_back(piece);
  }
  std::sort(pieces.begin(), pieces.end(),
            [](const Piece& p, const Piece& q) { return p.left < q.left; });

  std::vector<TracePoint> found;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const Piece& p = pieces[i];
    for (std::size_t j = i + 1; j < pieces.size() && pieces[j].left <= p.right; ++j) {
      const Piece& q = pieces[j];
      if (neighbours(p.ref, q.ref)) continue;
      // Strictly crossing: touching ends and zero-length segments are no node.
      const double c = cross(p.a, p.b, q.a);
      const double d = cross(p.a, p.b, q.b);
      if (!opposite(c, d) || !opposite(cross(q.a, q.b, p.a), cross(q.a, q.b, p.b))) continue;
      if (line_gap(direction_angle(p.a, p.b), direction_angle(q.a, q.b)) < kSameDirection) {
        continue;
      }
      // Chords of one convex arc sampled at slightly different points (two
      // laps of a figure that closes) cross near their ends at the angle the
      // curve turns in a step: the same curve, not a node. Either chord lies
      // along the other's stroke, or, where the strokes are pieces too short
      // to tell, they cross near where both pieces end.
      if (runs_along(strokes[p.ref.stroke], p.ref.index, q.a, q.b, tolerance) ||
          runs_along(strokes[q.ref.stroke], q.ref.index, p.a, p.b, tolerance)) {
        continue;
      }
      const double s = c / (c - d);
      const TracePoint at{q.a.x + s * (q.b.x - q.a.x), q.a.y + s * (q.b.y - q.a.y)};
      if (near_stroke_end(at, p, strokes, tolerance) &&
          near_stroke_end(at, q, strokes, tolerance)) {
        continue;
      }
      found.push_back(at);
    }
  }
  return found;
}

std::vector<TracePoint> self_crossings_near(const Trace& trace, TracePoint centre,
                                            double radius_m) {
  if (!std::isfinite(centre.x) || !std::isfinite(centre.y)) return {};
  const double radius_metres = usable_tolerance(radius_m);
  const TraceFrame frame(trace, {centre.x, centre.y, radius_metres});
  const TracePoint c = frame.to_frame(centre);
  const double radius = frame.to_frame(radius_metres);

  std::vector<SegmentRef> near;
  const std::vector<TracePolyline>& strokes = frame.strokes();
  for (std::size_t s = 0; s < strokes.size(); ++s) {
    for (std::size_t i = 0; i + 1 < strokes[s].size(); ++i) {
      if (distance_to_segment(c, strokes[s][i], strokes[s][i + 1]) <= radius) {
        near.push_back({s, i});
      }
    }
  }
  std::vector<std::pair<double, TracePoint>> by_distance;
  for (TracePoint p : self_crossings_among(strokes, std::move(near), radius)) {
    const double distance = std::hypot(p.x - c.x, p.y - c.y);
    if (distance <= radius) by_distance.push_back({distance, p});
  }
  std::stable_sort(by_distance.begin(), by_distance.end(),
                   [](const auto& p, const auto& q) { return p.first < q.first; });
  std::vector<TracePoint> result;
  for (const auto& [distance, p] : by_distance) result.push_back(frame.to_metres(p));
  return result;
}

}  // namespace orvinda
