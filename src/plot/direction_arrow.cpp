#include "plot/direction_arrow.h"

#include <cmath>

#include "plot/plot_surface.h"

namespace orvinda {

namespace {
constexpr double kHalfAngle = 0.45;  // radians between a stroke and the shaft, about 26°
}

void draw_direction_arrow(PlotSurface& surface, TracePoint tip, TracePoint direction, QColor color,
                          double side_px) {
  const ScaleMapping& mapping = surface.mapping();
  if (!mapping.valid()) return;
  // Turned in pixels, so the head keeps its shape whatever the scale.
  const double dx_px = direction.x / mapping.unit_per_px_x();
  const double dy_px = direction.y / mapping.unit_per_px_y();
  const double length = std::hypot(dx_px, dy_px);
  if (!(length > 0) || !std::isfinite(length)) return;
  const double back = std::atan2(-dy_px, -dx_px);
  for (double turn : {kHalfAngle, -kHalfAngle}) {
    const double angle = back + turn;
    const double end_x = tip.x + side_px * std::cos(angle) * mapping.unit_per_px_x();
    const double end_y = tip.y + side_px * std::sin(angle) * mapping.unit_per_px_y();
    surface.Line(tip.x, tip.y, end_x, end_y, color);
  }
}

std::optional<ArrowPlace> arrow_place(const TracePolyline& path, double distance) {
  if (path.empty()) return std::nullopt;
  const TracePoint start = path.front();
  for (std::size_t i = 1; i < path.size(); ++i) {
    if (std::hypot(path[i].x - start.x, path[i].y - start.y) >= distance) {
      const TracePoint direction{path[i].x - path[i - 1].x, path[i].y - path[i - 1].y};
      if (direction.x != 0 || direction.y != 0) return ArrowPlace{path[i], direction};
    }
  }
  return std::nullopt;
}

void draw_start_and_arrow(PlotSurface& surface, const TracePolyline& path, QColor color) {
  if (path.empty()) return;
  surface.setDrawWidth(kStartPointWidth);
  surface.PSet(path.front().x, path.front().y, color);
  surface.setDrawWidth(3);
  if (const auto place = arrow_place(path, kArrowDistancePx * surface.mapping().unit_per_px_x())) {
    draw_direction_arrow(surface, place->tip, place->direction, color);
  }
}

}  // namespace orvinda
