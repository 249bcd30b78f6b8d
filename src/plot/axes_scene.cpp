#include "plot/axes_scene.h"

#include <cmath>
#include <vector>

#include "model/device_layout.h"
#include "model/format_pattern.h"
#include "model/numbers.h"
#include "plot/device.h"
#include "plot/grid_plan.h"
#include "plot/plot_surface.h"

namespace orvinda {

namespace {

constexpr double kLabelGapPx = 4;

QString grid_number(double value, const QString& separator) {
  return QString::fromStdString(format_by_pattern(value, "#0.00", separator.toStdString()));
}

// Index of the position nearest to 0 (0 itself when present).
std::size_t index_of_zero(const std::vector<double>& positions) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < positions.size(); ++i) {
    if (std::fabs(positions[i]) < std::fabs(positions[best])) best = i;
  }
  return best;
}

// The numbers of a row of grid lines, formatted and measured only when asked.
class GridNumbers {
 public:
  GridNumbers(const PlotSurface& surface, const std::vector<double>& values,
              const QString& separator)
      : surface_(surface), values_(values), separator_(separator), texts_(values.size()),
        widths_(values.size(), -1) {}
  const QString& text(std::size_t i) {
    if (texts_[i].isEmpty()) texts_[i] = grid_number(values_[i], separator_);
    return texts_[i];
  }
  double width(std::size_t i) {
    if (widths_[i] < 0) widths_[i] = surface_.textSize(text(i)).width();
    return widths_[i];
  }

 private:
  const PlotSurface& surface_;
  const std::vector<double>& values_;
  QString separator_;
  std::vector<QString> texts_;
  std::vector<double> widths_;
};

// A number is printed where it neither overlaps its neighbour nor runs past
// the right edge: past it, it could only be read cut off.
void vertical_numbers(PlotSurface& s, const SceneInput& in, const std::vector<double>& xs) {
  const ScaleMapping& m = s.mapping();
  GridNumbers numbers(s, xs, in.decimal_separator);
  std::vector<double> starts;
  for (double x : xs) starts.push_back(m.to_px_x(x));
  const std::vector<bool> shown = non_overlapping(
      starts, [&](std::size_t i) { return starts[i] + numbers.width(i); }, index_of_zero(xs),
      kLabelGapPx);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    if (!shown[i] || starts[i] + numbers.width(i) > s.width()) continue;
    s.PSet(xs[i], -0.02 * in.ymax);
    s.Print(numbers.text(i));
  }
}

void horizontal_numbers(PlotSurface& s, const SceneInput& in, const std::vector<double>& ys) {
  const ScaleMapping& m = s.mapping();
  // Numbers hang below their line: order them top to bottom on screen.
  const std::vector<double> down(ys.rbegin(), ys.rend());
  GridNumbers numbers(s, down, in.decimal_separator);
  std::vector<double> starts;
  for (double y : down) starts.push_back(m.to_px_y(y));
  const double height = s.textHeight();
  const std::vector<bool> shown = non_overlapping(
      starts, [&](std::size_t i) { return starts[i] + height; }, index_of_zero(down), 0);
  const double number_x = 0.02 * (in.xmax / 2 - in.xmin / 2);  // 0.01 of the width
  const double number_px = m.to_px_x(number_x);
  // Bottom to top, as the grid counts upwards.
  for (std::size_t k = down.size(); k-- > 0;) {
    if (!shown[k] || number_px + numbers.width(k) > s.width()) continue;
    s.PSet(number_x, down[k]);
    s.Print(numbers.text(k));
  }
}

}  // namespace

SceneInput scene_input(const PlotRange& range, const MotionParameters& p,
                       const QString& decimal_separator) {
  SceneInput in;
  in.xmin = range.xmin;
  in.xmax = range.xmax;
  in.ymin = range.ymin;
  in.ymax = range.ymax;
  in.x0 = p.x0;
  in.y0 = p.y0;
  in.vx0 = p.vx0;
  in.vy0 = p.vy0;
  in.decimal_separator = decimal_separator;
  return in;
}

GridCounts draw_axes(PlotSurface& s, const SceneInput& in, Device* device) {
  GridCounts counts;
  counts.nx = saturate(in.xmax * 2);
  counts.dx = (in.xmax / 2 - in.xmin / 2) / in.xmax;
  counts.ny = saturate(in.ymax * 2);
  counts.dy = to_single((in.ymax / 2 - in.ymin / 2) / in.ymax);

  // One line per metre while they stand far enough apart, else thinned.
  counts.step = grid_step(s.mapping().valid() ? s.mapping().px_per_unit_x() : 0);
  const std::vector<double> xs = grid_positions(in.xmax, counts.step * counts.dx);
  const std::vector<double> ys = grid_positions(in.ymax, counts.step * counts.dy);

  const PlotSurface::Batch batch(s);
  // All grid lines first, then the numbers: where numbers are wider than the
  // spacing, no later line crosses them out.
  s.setDrawWidth(1);
  const QColor grid = bgr_color(kGridColor);
  for (double x : xs) s.Line(x, in.ymax, x, in.ymin, grid);
  for (double y : ys) s.Line(in.xmin, y, in.xmax, y, grid);
  vertical_numbers(s, in, xs);
  horizontal_numbers(s, in, ys);

  s.setDrawWidth(3);
  const QColor black = bgr_color(kAxisColor);
  s.Line(0, in.ymax, 0, in.ymin, black);
  s.Line(in.xmin, 0, in.xmax, 0, black);

  const double width_hundredth = 0.02 * (in.xmax / 2 - in.xmin / 2);
  s.setCurrentX(width_hundredth);
  s.setCurrentY(in.ymax);
  s.Print(QStringLiteral("Y, м"));
  s.setCurrentX(in.xmax - 5 * width_hundredth);
  s.setCurrentY(-0.04 * in.ymax);
  s.Print(QStringLiteral("X, м"));

  if (in.vx0 != 0 || in.vy0 != 0.0f) {
    const double v = std::hypot(static_cast<double>(in.vy0), in.vx0);
    s.Line(in.x0, in.y0, in.x0 + 2 * (in.vx0 / v), in.y0 + 2 * (in.vy0 / v),
           bgr_color(kVelocityColor));
    s.Print(QStringLiteral("Vo"));
  }

  if (device) {
    const DeviceSizes sizes = device->sizes();
    s.setDrawWidth(4);
    s.Line(in.xmin, in.ymax - sizes.ball_h / 2, in.xmax, in.ymax - sizes.ball_h / 2,
           bgr_color(kRailColor));
    s.setDrawWidth(3);
    device->place(in.x0, in.y0, in.xmin, in.ymax, in.ymin);
  }

  s.PSet(in.x0, in.y0);
  return counts;
}

}  // namespace orvinda
