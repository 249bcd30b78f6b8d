#include "tools/worksheet/worksheet_figure.h"

#include "model/figure_period.h"
#include "model/run_stepper.h"
#include "plot/axes_scene.h"
#include "plot/direction_arrow.h"
#include "plot/plot_range.h"
#include "plot/plot_surface.h"
#include "ui/characteristics_text.h"

namespace orvinda {

void draw_worksheet_figure(PlotSurface& s, const WorksheetItem& item) {
  const MotionParameters& p = item.parameters;
  const Characteristics c = compute_characteristics(p, 0, false);
  const PlotRange r = plot_range(c.ax, c.ay);
  // Scaled first, so the cleared list begins with this scale.
  s.Scale(r.xmin, r.ymax, r.xmax, r.ymin);
  s.Cls();
  draw_axes(s, scene_input(r, p, decimal_separator()), nullptr);

  const PlotSurface::Batch batch(s);
  const long long steps = steps_for_turns(c.dt, item_turns(item));
  RunStepper stepper(p, c.wywx, c.dt);
  TracePolyline path{{p.x0, p.y0}};
  path.reserve(static_cast<std::size_t>(steps) + 1);
  const QColor red = bgr_color(kTraceColor);
  for (long long i = 0; i < steps; ++i) {
    const RunStep step = stepper.next();
    s.LineTo(step.segment_x, step.segment_y, red);
    path.push_back({step.segment_x, step.segment_y});
  }
  draw_start_and_arrow(s, path, Qt::black);
  s.setCurrentX(p.x0);
  s.setCurrentY(p.y0);
}

}  // namespace orvinda
