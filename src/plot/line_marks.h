#pragma once
// Arrow heads and dashed lines, drawn as Line operations on anything that
// has a scale and draws lines in metres (PlotSurface, PlotLayer), so they
// are recorded and drawn again with the rest. Shapes are measured in
// pixels, so they look the same at any scale.

#include <QColor>
#include <QPointF>
#include <algorithm>
#include <array>
#include <cmath>

#include "model/trace.h"

namespace orvinda {

inline constexpr double kArrowHalfAngle = 0.45;  // radians between a stroke and the shaft, ~26°

// The ends of an arrow head's two strokes, in the plane of tip and
// direction: each side long and half_angle off the shaft, back from the tip.
inline std::array<QPointF, 2> arrow_head_wings(QPointF tip, QPointF direction, double side,
                                               double half_angle = kArrowHalfAngle) {
  const double length = std::hypot(direction.x(), direction.y());
  const QPointF back = -direction / length;
  std::array<QPointF, 2> wings;
  for (int i = 0; i < 2; ++i) {
    const double turn = i == 0 ? half_angle : -half_angle;
    const QPointF side_vector(back.x() * std::cos(turn) - back.y() * std::sin(turn),
                              back.x() * std::sin(turn) + back.y() * std::cos(turn));
    wings[i] = tip + side_vector * side;
  }
  return wings;
}

// An open head at tip (metres) pointing along direction (any length):
// strokes side_px long, with the target's present pen width. Nothing for a
// zero direction or an unset scale.
template <class Target>
void draw_arrow_head(Target& target, TracePoint tip, TracePoint direction, QColor color,
                     double side_px, double half_angle = kArrowHalfAngle) {
  const auto& m = target.mapping();
  if (!m.valid()) return;
  // Turned in pixels, so the head keeps its shape whatever the scale.
  const QPointF tip_px(m.to_px_x(tip.x), m.to_px_y(tip.y));
  const QPointF ahead_px(m.to_px_x(tip.x + direction.x), m.to_px_y(tip.y + direction.y));
  const QPointF d = ahead_px - tip_px;
  const double length = std::hypot(d.x(), d.y());
  if (!(length > 0) || !std::isfinite(length)) return;
  for (const QPointF& end : arrow_head_wings(tip_px, d, side_px, half_angle)) {
    target.Line(tip.x, tip.y, m.from_px_x(end.x()), m.from_px_y(end.y()), color);
  }
}

// A dashed line from a to b (metres), dash and gap in pixels.
template <class Target>
void draw_dashed_line(Target& target, TracePoint a, TracePoint b, QColor color, double dash_px,
                      double gap_px) {
  const auto& m = target.mapping();
  if (!m.valid() || !(dash_px > 0) || !(gap_px >= 0)) return;
  const QPointF pa(m.to_px_x(a.x), m.to_px_y(a.y));
  const QPointF pb(m.to_px_x(b.x), m.to_px_y(b.y));
  const double length = std::hypot(pb.x() - pa.x(), pb.y() - pa.y());
  if (!(length > 0) || !std::isfinite(length)) return;
  for (double from = 0; from < length; from += dash_px + gap_px) {
    const double to = std::min(length, from + dash_px);
    const QPointF u = pa + (pb - pa) * (from / length);
    const QPointF v = pa + (pb - pa) * (to / length);
    target.Line(m.from_px_x(u.x()), m.from_px_y(u.y()), m.from_px_x(v.x()), m.from_px_y(v.y()),
                color);
  }
}

}  // namespace orvinda
