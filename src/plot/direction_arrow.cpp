#include "plot/direction_arrow.h"

#include <cmath>

#include "plot/line_marks.h"
#include "plot/plot_surface.h"

namespace orvinda {

void draw_direction_arrow(PlotSurface& surface, TracePoint tip, TracePoint direction, QColor color,
                          double side_px) {
  draw_arrow_head(surface, tip, direction, color, side_px);
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
