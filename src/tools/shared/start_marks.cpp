#include "tools/shared/start_marks.h"

#include "model/figure_period.h"
#include "model/run_stepper.h"
#include "plot/direction_arrow.h"
#include "plot/plot_surface.h"
#include "ui/plot_look.h"

namespace orvinda {

DrawingList start_marks(const PlotSurface& plot, const MotionParameters& p) {
  PlotSurface marks;
  style_plot_surface(&marks);
  // The plot's own drawing size and scale, also in the projector view.
  marks.setViewScale(plot.viewScale());
  marks.resize(plot.size());
  const ScaleMapping& m = plot.mapping();
  const QSizeF drawn = plot.drawingSize();
  marks.Scale(m.from_px_x(0), m.from_px_y(0), m.from_px_x(drawn.width()),
              m.from_px_y(drawn.height()));
  marks.Cls();
  // One turn of x, by the run's own stepping, reaches the arrow's place.
  const Characteristics c = compute_characteristics(p, 0, false);
  RunStepper stepper(p, c.wywx, c.dt);
  const long long steps = steps_for_turns(c.dt, 1);
  TracePolyline path{{p.x0, p.y0}};
  for (long long i = 0; i < steps; ++i) {
    const RunStep step = stepper.next();
    path.push_back({step.segment_x, step.segment_y});
  }
  draw_start_and_arrow(marks, path, Qt::black);
  return marks.drawing();
}

}  // namespace orvinda
