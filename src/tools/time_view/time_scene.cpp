#include "tools/time_view/time_scene.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/format_pattern.h"
#include "plot/axes_scene.h"
#include "plot/grid_plan.h"
#include "plot/line_marks.h"
#include "plot/plot_layer.h"
#include "plot/plot_surface.h"

namespace orvinda {

namespace {

constexpr double kMarginPx = 6;
constexpr double kGapPx = 10;
constexpr double kLabelGapPx = 4;
constexpr int kCurveWidth = 1;  // wider lines cost several times more to draw
constexpr double kDashPx = 8, kDashGapPx = 6;

QColor grid_color() { return bgr_color(kGridColor); }
QColor axis_color() { return bgr_color(kAxisColor); }
QColor curve_color() { return bgr_color(kTraceColor); }
QColor vector_color() { return bgr_color(kVelocityColor); }

void scale_to(PlotSurface& s, const TimeLayout& l, const TimePanel& p) {
  const auto c = p.corners(l.surface);
  s.Scale(c[0], c[1], c[2], c[3]);
}

void scale_to(PlotLayer& layer, const TimeLayout& l, const TimePanel& p) {
  const auto c = p.corners(l.surface);
  layer.Scale(c[0], c[1], c[2], c[3]);
}

QString number_text(double value, const QString& separator) {
  return QString::fromStdString(format_by_pattern(value, "#0.00", separator.toStdString()));
}

// Grid lines of the values: metres in units of r.
struct ValueGrid {
  std::vector<double> metres;
  std::vector<double> units;
};

ValueGrid value_grid(double r, double px_per_unit) {
  ValueGrid g;
  const double px_per_metre = px_per_unit / r;
  g.metres = grid_positions(r, grid_step(px_per_metre));
  for (double m : g.metres) g.units.push_back(m / r);
  return g;
}

// Multiples of the step from begin up to, not including, end.
std::vector<double> time_grid(double begin, double end, double px_per_second) {
  std::vector<double> ts;
  const double step = grid_step(px_per_second);
  if (!(end > begin) || !std::isfinite(step)) return ts;
  const double first = std::ceil(begin / step);
  const double count = std::floor((end - begin) / step) + 1;
  for (double k = 0; k < count; ++k) {
    const double t = (first + k) * step;
    if (t >= end) break;
    ts.push_back(t);
  }
  return ts;
}

// Where a row of numbers stands beside a panel's edge.
enum class Side { Left, Right, Above, Below };

// Numbers of a time axis are counted from a round time, so that after the
// axis moves on they still read 100, 120, 140 ... rather than 96, 116 ...
std::size_t index_of_round(const std::vector<double>& ts) {
  if (ts.size() < 2) return 0;
  const double step = ts[1] - ts[0];
  for (double multiple : {10.0, 2.0}) {
    for (std::size_t i = 0; i < ts.size(); ++i) {
      const double k = ts[i] / (multiple * step);
      if (std::fabs(k - std::round(k)) < 1e-6) return i;
    }
  }
  return 0;
}

// Prints the numbers of a row of grid lines beside a panel's edge (edge_px
// on the surface), each centred on its line (line_px along the edge). None
// overlaps its neighbour, none reaches past lo_px ... hi_px along the edge,
// and none is wider than max_width.
void print_numbers(PlotSurface& s, Side side, double edge_px, const std::vector<double>& line_px,
                   const std::vector<double>& values, std::size_t zero, double lo_px, double hi_px,
                   double max_width, const QString& separator) {
  if (line_px.empty()) return;
  const bool along_x = side == Side::Above || side == Side::Below;
  std::vector<std::size_t> order(line_px.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return line_px[a] < line_px[b]; });
  const double height = s.textHeight();
  std::vector<QString> texts(order.size());
  std::vector<double> widths(order.size(), -1);
  auto text = [&](std::size_t k) -> const QString& {
    if (texts[k].isEmpty()) texts[k] = number_text(values[order[k]], separator);
    return texts[k];
  };
  auto width = [&](std::size_t k) {
    if (widths[k] < 0) widths[k] = s.textSize(text(k)).width();
    return widths[k];
  };
  auto extent = [&](std::size_t k) { return along_x ? width(k) : height; };
  std::vector<double> starts;
  std::size_t zero_at = 0;
  for (std::size_t k = 0; k < order.size(); ++k) {
    // Centred on the line; the extent of a number of metres is known once
    // formatted, so rows along x are measured as they are checked.
    starts.push_back(line_px[order[k]] - (along_x ? 0.0 : height / 2));
    if (order[k] == zero) zero_at = k;
  }
  auto begin_of = [&](std::size_t k) { return along_x ? starts[k] - width(k) / 2 : starts[k]; };
  std::vector<double> centred(starts.size());
  for (std::size_t k = 0; k < starts.size(); ++k) centred[k] = begin_of(k);
  const std::vector<bool> shown = non_overlapping(
      centred, [&](std::size_t k) { return centred[k] + extent(k); }, zero_at, kLabelGapPx);
  const ScaleMapping& m = s.mapping();
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (!shown[k] || width(k) > max_width) continue;
    // Half a pixel of rounding is no reason to drop a number at an edge.
    if (centred[k] < lo_px - 0.5 || centred[k] + extent(k) > hi_px + 0.5) continue;
    QPointF corner;
    switch (side) {
      case Side::Left: corner = QPointF(edge_px - 3 - width(k), centred[k]); break;
      case Side::Right: corner = QPointF(edge_px + 4, centred[k]); break;
      case Side::Above: corner = QPointF(centred[k], edge_px - 2 - height); break;
      case Side::Below: corner = QPointF(centred[k], edge_px + 2); break;
    }
    s.setCurrentX(m.from_px_x(corner.x()));
    s.setCurrentY(m.from_px_y(corner.y()));
    s.Print(text(k));
  }
}

// Index of the value nearest to 0.
std::size_t index_of_zero(const std::vector<double>& values) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < values.size(); ++i) {
    if (std::fabs(values[i]) < std::fabs(values[best])) best = i;
  }
  return best;
}

void print_at_px(PlotSurface& s, QPointF px, const QString& text) {
  s.setCurrentX(s.mapping().from_px_x(px.x()));
  s.setCurrentY(s.mapping().from_px_y(px.y()));
  s.Print(text);
}

void draw_circle_panel(PlotSurface& s, const TimeLayout& l, const TimePanel& p, double radius,
                       const ValueGrid& grid, const QString& caption, bool caption_on_x) {
  scale_to(s, l, p);
  s.setDrawWidth(1);
  for (double u : grid.units) s.Line(u, 1, u, -1, grid_color());
  for (double u : grid.units) s.Line(-1, u, 1, u, grid_color());
  s.Line(-1, 0, 1, 0, axis_color());
  s.Line(0, 1, 0, -1, axis_color());
  // A polygon of sides about six pixels long: it strays from the circle by
  // less than a tenth of a pixel.
  const double radius_px = radius * p.px.width() / 2;
  const int sides = std::clamp(static_cast<int>(radius_px), 24, 240);
  s.setDrawWidth(1);
  for (int i = 0; i < sides; ++i) {
    const double a = 2 * std::numbers::pi * i / sides;
    const double b = 2 * std::numbers::pi * (i + 1) / sides;
    s.Line(radius * std::cos(a), radius * std::sin(a), radius * std::cos(b), radius * std::sin(b),
           axis_color());
  }
  const ScaleMapping& m = s.mapping();
  if (caption_on_x) {
    print_at_px(s, QPointF(p.px.right() - s.textSize(caption).width() - 2, m.to_px_y(0) + 2),
                caption);
  } else {
    print_at_px(s, QPointF(m.to_px_x(0) + 4, p.px.top()), caption);
  }
}

std::vector<double> px_of(const std::vector<double>& values, const ScaleMapping& m, bool x) {
  std::vector<double> out;
  for (double v : values) out.push_back(x ? m.to_px_x(v) : m.to_px_y(v));
  return out;
}

// y(t): time to the right, y upwards; metres on the left, seconds below.
void draw_y_graph(PlotSurface& s, const TimeLayout& l, const TimeSceneInput& in,
                  const ValueGrid& grid) {
  const TimePanel& p = l.y_graph;
  scale_to(s, l, p);
  const ScaleMapping& m = s.mapping();
  const double begin = p.left, end = p.right;
  const std::vector<double> ts = time_grid(begin, end, p.px.width() / (end - begin));
  s.setDrawWidth(1);
  for (double t : ts) s.Line(t, 1, t, -1, grid_color());
  for (double u : grid.units) s.Line(begin, u, end, u, grid_color());

  const QString caption_t = QStringLiteral("t, с");
  const double caption_w = s.textSize(caption_t).width();
  print_numbers(s, Side::Left, p.px.left(), px_of(grid.units, m, false), grid.metres,
                index_of_zero(grid.metres), p.px.top(), p.px.bottom() + l.text.height / 2,
                l.text.value_width, in.decimal_separator);
  print_numbers(s, Side::Below, p.px.bottom(), px_of(ts, m, true), ts, index_of_round(ts),
                p.px.left() - l.text.time_width / 2 - 2, p.px.right() - caption_w - 2 * kLabelGapPx,
                l.text.time_width, in.decimal_separator);

  s.setDrawWidth(3);
  s.Line(begin, 0, end, 0, axis_color());
  s.Line(begin, 1, begin, -1, axis_color());
  print_at_px(s, QPointF(p.px.left() + 6, p.px.top()), QStringLiteral("Y, м"));
  print_at_px(s, QPointF(p.px.right() - caption_w, p.px.bottom() + 2), caption_t);
}

// x(t): x to the right, time downwards; metres above, seconds on the right.
void draw_x_graph(PlotSurface& s, const TimeLayout& l, const TimeSceneInput& in,
                  const ValueGrid& grid) {
  const TimePanel& p = l.x_graph;
  scale_to(s, l, p);
  const ScaleMapping& m = s.mapping();
  const double begin = p.top, end = p.bottom;
  const std::vector<double> ts = time_grid(begin, end, p.px.height() / (end - begin));
  s.setDrawWidth(1);
  for (double t : ts) s.Line(-1, t, 1, t, grid_color());
  for (double u : grid.units) s.Line(u, begin, u, end, grid_color());

  const QString caption_x = QStringLiteral("X, м");
  const double caption_w = s.textSize(caption_x).width();
  const double height = l.text.height;
  print_numbers(s, Side::Above, p.px.top(), px_of(grid.units, m, true), grid.metres,
                index_of_zero(grid.metres), 0, p.px.right() - caption_w - kLabelGapPx,
                l.text.value_width, in.decimal_separator);
  print_numbers(s, Side::Right, p.px.right(), px_of(ts, m, false), ts, index_of_round(ts),
                p.px.top() - height / 2, p.px.bottom() - height - 2, l.text.time_width,
                in.decimal_separator);

  s.setDrawWidth(3);
  s.Line(0, begin, 0, end, axis_color());
  s.Line(-1, begin, 1, begin, axis_color());
  print_at_px(s, QPointF(p.px.right() - caption_w, p.px.top() - 2 - height), caption_x);
  print_at_px(s, QPointF(p.px.right() + 4, p.px.bottom() - height), QStringLiteral("t, с"));
}

// Draws a curve through (time, value) pairs in one graph, value in units
// of r. Points that share a pixel of time are drawn as one straight stroke
// across that pixel from their lowest to their highest value: what the
// segments between them would cover, whatever their number.
template <typename Value>
void draw_curve(PlotSurface& s, const TimeLayout& l, const TimePanel& p, bool time_along_x,
                const std::vector<SweepPoint>& points, double begin, Value value) {
  if (points.size() < 2) return;
  scale_to(s, l, p);
  s.setDrawWidth(kCurveWidth);
  const ScaleMapping& m = s.mapping();
  auto line = [&](QPointF a, QPointF b) {  // (time, value) pairs
    if (time_along_x) {
      s.Line(a.x(), a.y(), b.x(), b.y(), curve_color());
    } else {
      s.Line(a.y(), a.x(), b.y(), b.x(), curve_color());
    }
  };
  auto column = [&](double t) { return std::floor(time_along_x ? m.to_px_x(t) : m.to_px_y(t)); };
  auto at = [&](std::size_t k) { return QPointF(points[k].t, value(points[k])); };
  // The first point may lie before the window: the curve enters at its edge.
  QPointF first = at(0);
  if (first.x() < begin) {
    const QPointF next = at(1);
    const double f = (begin - first.x()) / (next.x() - first.x());
    first = QPointF(begin, first.y() + f * (next.y() - first.y()));
  }
  auto point = [&](std::size_t k) { return k == 0 ? first : at(k); };
  QPointF previous;
  bool has_previous = false;
  double previous_low = 0, previous_high = 0;
  bool previous_stroke = false;
  for (std::size_t i = 0; i < points.size();) {
    const double col = column(point(i).x());
    double low = point(i).y(), high = low;
    std::size_t j = i;
    while (j + 1 < points.size() && column(points[j + 1].t) == col) {
      ++j;
      low = std::min(low, value(points[j]));
      high = std::max(high, value(points[j]));
    }
    const bool stroke = j > i;
    // Between two strokes that overlap, the joining segment covers nothing
    // they do not; a fast oscillation would otherwise draw a long slanted
    // line for every pixel.
    const bool joined = stroke && previous_stroke && low <= previous_high && previous_low <= high;
    if (has_previous && !joined) line(previous, point(i));
    if (stroke) line(QPointF(point(i).x(), low), QPointF(point(i).x(), high));
    previous = point(j);
    has_previous = true;
    previous_low = low;
    previous_high = high;
    previous_stroke = stroke;
    i = j + 1;
  }
}

void marker(PlotLayer& layer, double x, double y) {
  layer.setDrawWidth(7);
  layer.PSet(x, y, curve_color());
}

// A vector from the centre to the tip, with its arrowhead, in a circle's scale.
void vector_arrow(PlotLayer& layer, double tip_x, double tip_y) {
  const ScaleMapping& m = layer.mapping();
  layer.setDrawWidth(2);
  layer.Line(0, 0, tip_x, tip_y, vector_color());
  const double length =
      std::hypot(m.to_px_x(tip_x) - m.to_px_x(0), m.to_px_y(tip_y) - m.to_px_y(0));
  if (!(length > 6)) return;
  layer.setDrawWidth(1);
  draw_arrow_head(layer, {tip_x, tip_y}, {tip_x, tip_y}, vector_color(), std::min(9.0, length / 3));
}

}  // namespace

std::array<double, 4> TimePanel::corners(QSizeF surface) const {
  const double kx = (right - left) / px.width();
  const double ky = (bottom - top) / px.height();
  const double x1 = left - px.left() * kx;
  const double y1 = top - px.top() * ky;
  return {x1, y1, x1 + surface.width() * kx, y1 + surface.height() * ky};
}

ScaleMapping TimePanel::mapping(QSizeF surface) const {
  const auto c = corners(surface);
  return ScaleMapping(c[0], c[1], c[2], c[3], surface.width(), surface.height());
}

TimeLayout time_layout(QSizeF surface, double begin, double end, const TimeText& text) {
  TimeLayout l;
  l.surface = surface;
  l.text = text;
  const double m = kMarginPx, g = kGapPx;
  const double value_strip = text.value_width + 6;
  const double time_strip = text.time_width + 8;
  const double band = text.height + 4;  // numbers between the rows
  const double w = std::max(1.0, surface.width() - 2 * m - g - value_strip);
  const double h = std::max(1.0, surface.height() - 2 * m - band);
  // The circles' side: both time axes equally long where the shape allows.
  const double most = std::max(1.0, std::min(0.45 * h, w / 3));
  const double least = std::min(0.3 * std::min(w, h), most);
  const double b = std::floor(std::clamp(w - h, least, most));
  l.x_circle.px = QRectF(m, m, b, b);
  l.y_circle.px = QRectF(m + b + g, m, b, b);
  const double graph_left = m + 2 * b + g + value_strip;
  l.y_graph.px = QRectF(graph_left, m, std::max(1.0, surface.width() - m - graph_left), b);
  l.y_graph.left = begin;
  l.y_graph.right = end;
  const double graph_top = m + b + band;
  l.x_graph.px = QRectF(m, graph_top, b, std::max(1.0, surface.height() - m - graph_top));
  l.x_graph.top = begin;
  l.x_graph.bottom = end;
  const double free_left = m + b + time_strip + g;
  const double free_top = graph_top + g;
  l.free = QRectF(free_left, free_top, std::max(0.0, surface.width() - m - free_left),
                  std::max(0.0, surface.height() - m - free_top));
  return l;
}

TimeText time_text(const PlotSurface& s, double r, double end, const QString& decimal_separator) {
  TimeText text;
  text.height = s.textHeight();
  const double widest_value = s.textSize(number_text(-r, decimal_separator)).width();
  text.value_width = std::min(widest_value, s.width() / 5.0);
  // At least three digits before the separator, so the strip keeps its
  // width while a run goes on.
  text.time_width = s.textSize(number_text(std::max(end, 999.99), decimal_separator)).width();
  return text;
}

void draw_time_scene(PlotSurface& s, const TimeLayout& l, const TimeSceneInput& in) {
  s.Cls();
  const PlotSurface::Batch batch(s);
  const double r = in.r;
  const ValueGrid grid = value_grid(r, l.x_circle.px.width() / 2);
  draw_circle_panel(s, l, l.x_circle, in.ax / r, grid, QStringLiteral("x"), true);
  draw_circle_panel(s, l, l.y_circle, in.ay / r, grid, QStringLiteral("y"), false);
  draw_y_graph(s, l, in, grid);
  draw_x_graph(s, l, in, grid);
}

void draw_time_curves(PlotSurface& s, const TimeLayout& l, double r,
                      const std::vector<SweepPoint>& points) {
  const PlotSurface::Batch batch(s);
  draw_curve(s, l, l.y_graph, true, points, l.y_graph.left,
             [r](const SweepPoint& p) { return p.y / r; });
  draw_curve(s, l, l.x_graph, false, points, l.x_graph.top,
             [r](const SweepPoint& p) { return p.x / r; });
}

void draw_time_step(PlotSurface& s, const TimeLayout& l, double r, const SweepPoint& a,
                    const SweepPoint& b) {
  s.setDrawWidth(kCurveWidth);
  scale_to(s, l, l.y_graph);
  s.Line(a.t, a.y / r, b.t, b.y / r, curve_color());
  scale_to(s, l, l.x_graph);
  s.Line(a.x / r, a.t, b.x / r, b.t, curve_color());
}

void draw_time_moment(PlotLayer& layer, const TimeLayout& l, double r, const SweepPoint& p,
                      const RotatingVectors& v) {
  const ScaleMapping x_circle = l.x_circle.mapping(l.surface);
  const ScaleMapping y_circle = l.y_circle.mapping(l.surface);
  const ScaleMapping x_graph = l.x_graph.mapping(l.surface);
  const ScaleMapping y_graph = l.y_graph.mapping(l.surface);
  const double x = p.x / r, y = p.y / r;

  // Projections first, so vectors and markers lie over them. Each starts at
  // the end of the vector or of its projection, whichever is farther from
  // the graph.
  layer.setDrawWidth(1);
  scale_to(layer, l, l.y_graph);
  const double y_from_px = y_circle.to_px_x(std::min(v.y_tip_x / r, 0.0));
  draw_dashed_line(layer, {y_graph.from_px_x(y_from_px), y}, {p.t, y}, axis_color(), kDashPx,
                   kDashGapPx);
  scale_to(layer, l, l.x_graph);
  const double x_from_px = x_circle.to_px_y(std::max(v.x_tip_y / r, 0.0));
  draw_dashed_line(layer, {x, x_graph.from_px_y(x_from_px)}, {x, p.t}, axis_color(), kDashPx,
                   kDashGapPx);

  scale_to(layer, l, l.x_circle);
  vector_arrow(layer, v.x_tip_x / r, v.x_tip_y / r);
  marker(layer, x, 0);
  scale_to(layer, l, l.y_circle);
  vector_arrow(layer, v.y_tip_x / r, v.y_tip_y / r);
  marker(layer, 0, y);

  scale_to(layer, l, l.y_graph);
  marker(layer, p.t, y);
  scale_to(layer, l, l.x_graph);
  marker(layer, x, p.t);
}

}  // namespace orvinda
