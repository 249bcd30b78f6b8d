#include "tools/self_check/self_check_figure.h"

#include <QString>

#include "model/characteristics.h"
#include "model/figure_period.h"
#include "model/run_stepper.h"
#include "plot/axes_scene.h"
#include "plot/direction_arrow.h"
#include "plot/plot_range.h"
#include "plot/plot_surface.h"
#include "tools/measure/model/tangency_count.h"
#include "tools/self_check/model/phase_reading.h"
#include "ui/characteristics_text.h"

namespace orvinda {

namespace {

constexpr double kLabelGapPx = 5;

// A text centred on x, its bottom a gap above y.
void print_above(PlotSurface& s, double x, double y, const QString& text) {
  const ScaleMapping& m = s.mapping();
  const QSizeF size = s.textSize(text);
  s.setCurrentX(x - size.width() / 2 * m.unit_per_px_x());
  s.setCurrentY(y + (kLabelGapPx + size.height()) * m.unit_per_px_y());
  s.Print(text);
}

// A text beginning a gap right of x, or ending a gap left of it, standing on
// y: a line through y (an axis, a side) leaves it readable.
void print_beside(PlotSurface& s, double x, double y, const QString& text, bool right) {
  const ScaleMapping& m = s.mapping();
  const QSizeF size = s.textSize(text);
  const double dx = right ? kLabelGapPx : -(kLabelGapPx + size.width());
  s.setCurrentX(x + dx * m.unit_per_px_x());
  s.setCurrentY(y + (size.height() + 1) * m.unit_per_px_y());
  s.Print(text);
}

void touch_mark(PlotSurface& s, const TangencyPoint& touch, unsigned color, int width, int hole) {
  s.setDrawWidth(width);
  s.PSet(touch.at.x, touch.at.y, bgr_color(color));
  if (touch.arc_end) {
    s.setDrawWidth(hole);
    s.PSet(touch.at.x, touch.at.y, Qt::white);
  }
}

QString weight(const TangencyPoint& touch) {
  return touch.arc_end ? QStringLiteral("½") : QStringLiteral("1");
}

void draw_frame(PlotSurface& s, double ax, double ay) {
  s.setDrawWidth(1);
  const QColor grey = bgr_color(kFrameColor);
  s.Line(-ax, -ay, ax, -ay, grey);
  s.Line(-ax, -ay, -ax, ay, grey);
  s.setDrawWidth(2);
  s.Line(-ax, ay, ax, ay, bgr_color(kTopTouchColor));
  s.Line(ax, -ay, ax, ay, bgr_color(kSideTouchColor));
}

void draw_phase_reading(PlotSurface& s, const Task& task, double ay) {
  const PhaseReading r = read_phase(task);
  const QColor teal = bgr_color(kReadingColor);
  if (r.by_intercepts) {
    if (r.intercept > 0) {
      s.setDrawWidth(3);
      s.Line(0, r.lower_intercept.y, 0, r.upper_intercept.y, teal);
    }
    s.setDrawWidth(9);
    s.PSet(r.upper_intercept.x, r.upper_intercept.y, teal);
    s.PSet(r.lower_intercept.x, r.lower_intercept.y, teal);
    s.PSet(0, ay, teal);
    if (r.intercept > 0) {
      print_beside(s, 0, r.upper_intercept.y, QStringLiteral("b"), false);
      print_beside(s, 0, r.lower_intercept.y, QStringLiteral("−b"), false);
    } else {
      print_beside(s, 0, 0, QStringLiteral("b = 0"), false);
    }
    print_beside(s, 0, ay, QStringLiteral("B"), false);
  } else {
    s.setDrawWidth(1);
    s.Line(0, r.start.y, r.start.x, r.start.y, teal);
    s.setDrawWidth(9);
    s.PSet(0, r.start.y, teal);
    print_beside(s, 0, r.start.y, QStringLiteral("y0"), false);
    if (r.start.y != ay) {
      s.PSet(0, ay, teal);
      print_beside(s, 0, ay, QStringLiteral("Ay"), false);
    }
  }
}

void draw_touches(PlotSurface& s, const MotionParameters& p, const Task& task) {
  const Tangencies t = count_tangencies(p, task.kind.ratio);
  for (const TangencyPoint& touch : t.top) {
    touch_mark(s, touch, kTopTouchColor, kTopTouchWidth, kTopHoleWidth);
  }
  for (const TangencyPoint& touch : t.right) {
    touch_mark(s, touch, kSideTouchColor, kSideTouchWidth, kSideHoleWidth);
  }
  for (const TangencyPoint& touch : t.top) {
    print_above(s, touch.at.x, touch.at.y + kTopTouchWidth / 2.0 * s.mapping().unit_per_px_y(),
                weight(touch));
  }
  for (const TangencyPoint& touch : t.right) {
    print_beside(s, touch.at.x + kSideTouchWidth / 2.0 * s.mapping().unit_per_px_x(), touch.at.y,
                 weight(touch), true);
  }
}

}  // namespace

void draw_self_check_figure(PlotSurface& s, const Task& task, bool explained) {
  const MotionParameters p = task_parameters(task);
  const Characteristics c = compute_characteristics(p, 0, false);
  const PlotRange r = plot_range(c.ax, c.ay);
  // Scaled first, so the cleared list begins with this scale whatever was drawn before.
  s.Scale(r.xmin, r.ymax, r.xmax, r.ymin);
  s.Cls();
  draw_axes(s, scene_input(r, p, decimal_separator()), nullptr);

  // The whole figure, as the run would trace it until it closes.
  const PlotSurface::Batch batch(s);
  const FrequencyRatio ratio = reduced(task.kind.ratio);
  const long long steps = steps_for_turns(c.dt, ratio.wx_part > 0 ? ratio.wx_part : 1);
  RunStepper stepper(p, c.wywx, c.dt);
  TracePolyline path{{p.x0, p.y0}};
  path.reserve(static_cast<std::size_t>(steps) + 1);
  const QColor red = bgr_color(kTraceColor);
  for (long long i = 0; i < steps; ++i) {
    const RunStep step = stepper.next();
    s.LineTo(step.segment_x, step.segment_y, red);
    path.push_back({step.segment_x, step.segment_y});
  }

  if (explained) {
    draw_frame(s, c.ax, c.ay);
    draw_phase_reading(s, task, c.ay);
    draw_touches(s, p, task);
  }

  draw_start_and_arrow(s, path, bgr_color(kArrowColor));
  s.setCurrentX(p.x0);
  s.setCurrentY(p.y0);
}

}  // namespace orvinda
