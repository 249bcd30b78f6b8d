#include "tools/measure/model/trace_clip.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/numbers.h"
#include "tools/measure/model/trace_frame.h"

namespace orvinda {

namespace {

bool meets(const std::vector<TraceBox>& boxes, TracePoint a, TracePoint b) {
  const double left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const double bottom = std::min(a.y, b.y), top = std::max(a.y, b.y);
  return std::any_of(boxes.begin(), boxes.end(), [&](const TraceBox& box) {
    return left <= box.right && right >= box.left && bottom <= box.top && top >= box.bottom;
  });
}

}  // namespace

Trace clip_trace(const Trace& trace, const std::vector<TraceBox>& boxes, std::size_t reach) {
  Trace out;
  for (const TracePolyline& stroke : trace) {
    if (stroke.size() == 1) {
      if (meets(boxes, stroke[0], stroke[0])) out.push_back(stroke);
      continue;
    }
    if (stroke.size() < 2) continue;
    const std::size_t segments = stroke.size() - 1;
    bool open = false;
    std::size_t first = 0, last_hit = 0;  // segment indices
    auto flush = [&] {
      const std::size_t last = std::min(segments - 1, last_hit + reach);
      out.emplace_back(stroke.begin() + static_cast<std::ptrdiff_t>(first),
                       stroke.begin() + static_cast<std::ptrdiff_t>(last + 2));
    };
    for (std::size_t i = 0; i < segments; ++i) {
      if (!meets(boxes, stroke[i], stroke[i + 1])) continue;
      const std::size_t from = i > reach ? i - reach : 0;
      if (open && from > last_hit + reach + 1) {
        flush();
        open = false;
      }
      if (!open) {
        first = from;
        open = true;
      }
      last_hit = i;
    }
    if (open) flush();
  }
  return out;
}

std::vector<TraceBox> snap_boxes(TracePoint point, double tolerance_m) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const TracePoint p{saturate(point.x), saturate(point.y)};
  const double t = usable_tolerance(tolerance_m);
  // Twice the tolerance holds the bands and the disc snapping looks in; an
  // infinite one keeps everything.
  const double margin = 2 * t;
  std::vector<TraceBox> boxes{{p.x - margin, p.y - margin, p.x + margin, p.y + margin}};
  if (std::fabs(p.y / 2) <= t / 2) boxes.push_back({-kInf, -margin, kInf, margin});
  if (std::fabs(p.x / 2) <= t / 2) boxes.push_back({-margin, -kInf, margin, kInf});
  return boxes;
}

TraceBox band_around(CountingLine line, double margin) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  if (line.direction == LineDirection::kHorizontal) {
    return {-kInf, line.value - margin, kInf, line.value + margin};
  }
  return {line.value - margin, -kInf, line.value + margin, kInf};
}

}  // namespace orvinda
