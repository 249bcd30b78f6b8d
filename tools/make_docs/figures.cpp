#include "tools/make_docs/figures.h"

#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/run_stepper.h"
#include "plot/line_marks.h"
#include "plot/plot_surface.h"
#include "tools/measure/model/crossings.h"
#include "tools/measure/model/ellipse_method.h"

namespace orvinda::docs {

namespace {

const QColor kTrace(200, 0, 0);
const QColor kStart(0, 0, 160);
const QColor kCounting(0, 120, 0);

QFont label_font(int side) {
  QFont font(QStringLiteral("Liberation Serif"));
  font.setPixelSize(std::max(8, side / 13));
  font.setItalic(true);
  return font;
}

// A filled head, for the phase diagrams drawn straight with a painter.
void filled_arrow_head(QPainter& painter, QPointF tip, QPointF direction, double size) {
  if (!(std::hypot(direction.x(), direction.y()) > 0)) return;
  const auto wings =
      arrow_head_wings(tip, direction, size * std::hypot(1.0, 0.45), std::atan(0.45));
  const QPointF head[3] = {tip, wings[0], wings[1]};
  painter.drawPolygon(head, 3);
}

}  // namespace

MotionParameters figure_parameters(const FigureShape& shape) {
  const double phix = shape.phix_pi * kTruncatedPi;
  const double phiy = phix + shape.dphi_pi * kTruncatedPi;
  MotionParameters p;
  p.wx = 1;
  p.x0 = shape.phix_pi == 0 ? shape.ax : shape.ax * std::cos(phix);
  p.vx0 = shape.phix_pi == 0 ? 0 : shape.ax * std::sin(phix);
  p.wy = static_cast<double>(shape.wy_part) / shape.wx_part;
  p.y0 = shape.ay * std::cos(phiy);
  p.vy0 = static_cast<float>(shape.ay * p.wy * std::sin(phiy));
  return p;
}

double figure_period(const FigureShape& shape) { return kTruncatedTwoPi * shape.wx_part; }

std::vector<QPointF> figure_points(const FigureShape& shape, int steps_per_horizontal_period) {
  const MotionParameters p = figure_parameters(shape);
  // The ratio as the window rounds it, so the pictures are the program's own.
  const Characteristics c = compute_characteristics(p, 0, false);
  const double turns = shape.turns > 0 ? shape.turns : shape.wx_part;
  const long first = std::lround(std::max(0.0, shape.from_turn) * steps_per_horizontal_period);
  const long steps = std::lround(turns * steps_per_horizontal_period);
  RunStepper stepper(p, c.wywx,
                     static_cast<float>(kTruncatedTwoPi * shape.wx_part /
                                        (steps_per_horizontal_period * shape.wx_part)));
  std::vector<QPointF> points;
  points.reserve(static_cast<std::size_t>(steps) + 1);
  if (first == 0) points.emplace_back(p.x0, p.y0);
  for (long i = 1; i <= first + steps; ++i) {
    const RunStep s = stepper.next();
    if (i >= first) points.emplace_back(s.x, s.y);
  }
  return points;
}

DrawnFigure drawn_figure(const FigureShape& shape) {
  // In whole turns of x (exact π: the measuring code asks for a whole span).
  const double turns = shape.turns > 0 ? shape.from_turn + shape.turns : shape.wx_part;
  return DrawnFigure(figure_parameters(shape),
                     static_cast<float>(static_cast<double>(shape.wy_part) / shape.wx_part),
                     turns * 2 * std::numbers::pi);
}

std::vector<double> crossings_along(const FigureShape& shape, bool horizontal, double level) {
  // A hair's tolerance: the documents' lines stay well off nodes and touches.
  const CrossingCount count =
      count_crossings(drawn_figure(shape),
                      {horizontal ? LineDirection::kHorizontal : LineDirection::kVertical, level},
                      1e-6 * std::max(shape.ax, shape.ay));
  std::vector<double> along;
  for (const LineCrossing& c : count.crossings) along.push_back(horizontal ? c.point.x : c.point.y);
  return along;
}

namespace {

TracePoint at(QPointF p) { return {p.x(), p.y()}; }

// An open head as the documents draw it: wings half as wide as long.
void arrow_head(PlotSurface& s, QPointF tip, QPointF direction, double size_px, QColor color) {
  draw_arrow_head(s, at(tip), at(direction), color, size_px * std::hypot(1.0, 0.5), std::atan(0.5));
}

// A ring: a coloured dot with a white middle.
void ring(PlotSurface& s, QPointF at, int outer_px, QColor color) {
  s.setDrawWidth(outer_px);
  s.PSet(at.x(), at.y(), color);
  s.setDrawWidth(std::max(1, outer_px - 4));
  s.PSet(at.x(), at.y(), Qt::white);
}

}  // namespace

QImage figure_image(const FigureShape& shape, int side) {
  // Drawn by the plot's own operations into its drawing list, then drawn
  // from the list onto a transparent picture.
  PlotSurface s;
  s.setFont(label_font(side));
  QPalette palette = s.palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  s.setPalette(palette);
  s.resize(side, side);

  // The bounding rectangle centred, with room on the right for the marks of
  // the ellipse method; y upwards.
  const double margin = side * (shape.ellipse_method ? 0.14 : 0.08);
  const double metres_per_px = 2 * std::max(shape.ax, shape.ay) / (side - 2 * margin);
  const double half = side / 2.0 * metres_per_px;
  s.Cls();
  s.Scale(-half, half, half, -half);
  const double thin_px = std::max(1.0, side / 300.0);
  const int thin = static_cast<int>(std::lround(thin_px));
  const double px = metres_per_px;
  const QPointF tl(-shape.ax, shape.ay), tr(shape.ax, shape.ay), bl(-shape.ax, -shape.ay),
      br(shape.ax, -shape.ay);

  s.setDrawWidth(thin);
  const QColor grey(150, 150, 150);
  for (const auto& [a, b] :
       {std::pair{tl, tr}, std::pair{tr, br}, std::pair{br, bl}, std::pair{bl, tl}}) {
    draw_dashed_line(s, at(a), at(b), grey, 4 * thin_px, 3 * thin_px);
  }
  const QColor light(200, 200, 200);
  s.Line(-shape.ax, 0, shape.ax, 0, light);
  s.Line(0, -shape.ay, 0, shape.ay, light);

  constexpr int kSteps = 720;
  const std::vector<QPointF> points = figure_points(shape, kSteps);
  s.setDrawWidth(static_cast<int>(std::lround(thin_px * 2.2)));
  s.setCurrentX(points.front().x());
  s.setCurrentY(points.front().y());
  for (std::size_t i = 1; i < points.size(); ++i) s.LineTo(points[i].x(), points[i].y(), kTrace);

  // Counting lines reach a little past the rectangle, so that they read as
  // lines laid over the figure, not as its sides.
  const double overhang = side * 0.05 * px;
  auto mark_passes = [&](bool horizontal, double level) {
    s.setDrawWidth(std::max(1, static_cast<int>(std::lround(thin_px * 1.2))));
    if (horizontal) {
      draw_dashed_line(s, {-shape.ax - overhang, level}, {shape.ax + overhang, level}, kCounting,
                       5 * thin_px, 3 * thin_px);
    } else {
      draw_dashed_line(s, {level, -shape.ay - overhang}, {level, shape.ay + overhang}, kCounting,
                       5 * thin_px, 3 * thin_px);
    }
    for (double at : crossings_along(shape, horizontal, level)) {
      ring(s, horizontal ? QPointF(at, level) : QPointF(level, at),
           static_cast<int>(std::lround(thin_px * 8)), kCounting);
    }
  };
  if (shape.count_y) mark_passes(true, *shape.count_y * shape.ay);
  if (shape.count_x) mark_passes(false, *shape.count_x * shape.ax);

  if (shape.ellipse_method) {
    const EllipseReading chord = ellipse_method(drawn_figure(shape), px);
    if (chord.applies) {
      const double low = chord.b_from.y, high = chord.b_to.y;
      s.setDrawWidth(static_cast<int>(std::lround(thin_px * 3)));
      s.Line(0, low, 0, high, kStart);
      s.setCurrentX(-side * 0.07 * px);
      s.setCurrentY((low + high) / 2 + side * 0.03 * px);
      s.Print(QStringLiteral("b"));
    }
    // The height a as a dimension line beside the rectangle.
    const double x = shape.ax + side * 0.06 * px;
    s.setDrawWidth(thin);
    s.Line(x, shape.ay, x, -shape.ay, Qt::black);
    arrow_head(s, {x, shape.ay}, {0, 1}, thin_px * 7, Qt::black);
    arrow_head(s, {x, -shape.ay}, {0, -1}, thin_px * 7, Qt::black);
    const QColor dots(120, 120, 120);
    draw_dashed_line(s, at(tr), {x + 3 * thin_px * px, shape.ay}, dots, thin_px, 2 * thin_px);
    draw_dashed_line(s, at(br), {x + 3 * thin_px * px, -shape.ay}, dots, thin_px, 2 * thin_px);
    s.setCurrentX(x + side * 0.02 * px);
    s.setCurrentY(side * 0.03 * px);
    s.Print(QStringLiteral("a"));
    // The top tangency, whose abscissa is ax cos dphi.
    const auto top = std::max_element(points.begin(), points.end(),
                                      [](QPointF a, QPointF b) { return a.y() < b.y(); });
    draw_dashed_line(s, at(*top), {top->x(), 0}, dots, 4 * thin_px, 3 * thin_px);
    s.setDrawWidth(static_cast<int>(std::lround(thin_px * 6)));
    s.PSet(top->x(), top->y(), Qt::black);
  }

  if (shape.start_and_arrow) {
    // The start and, a little further on, an arrow for the direction of motion.
    s.setDrawWidth(static_cast<int>(std::lround(thin_px * 8)));
    s.PSet(points.front().x(), points.front().y(), kStart);
    // An eighth of a horizontal period on, clear of the start dot; sooner
    // when the ellipse method marks the top tangency, which may lie there.
    const std::size_t ahead =
        std::min<std::size_t>(shape.ellipse_method ? kSteps / 20 : kSteps / 8, points.size() - 1);
    if (ahead >= 10) {
      const QPointF tip = points[ahead];
      const QPointF d = tip - points[ahead - 10];
      s.setDrawWidth(static_cast<int>(std::lround(thin_px * 2.6)));
      arrow_head(s, tip, d, thin_px * 11, kTrace);
    }
  }

  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  s.drawing().replay(painter, QRectF(0, 0, side, side));
  painter.end();
  return image;
}

QImage phase_diagram_image(const PhaseDiagram& diagram, int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  // The circle has radius 1; the axes run from -1.3 to 1.4 so that they
  // clearly reach past it on every side.
  const double unit = side / 2.95;
  const QPointF o(side * 0.47, side * 0.51);
  auto at = [&](double x, double y) { return o + QPointF(x * unit, -y * unit); };
  const double w = side / 320.0;

  QFont font(QStringLiteral("Liberation Serif"));
  font.setPixelSize(static_cast<int>(side / 15));
  font.setItalic(true);
  p.setFont(font);

  p.setPen(QPen(Qt::black, 1.5 * w));
  p.setBrush(Qt::black);
  p.drawLine(at(-1.3, 0), at(1.4, 0));
  filled_arrow_head(p, at(1.4, 0), QPointF(1, 0), 12 * w);
  p.drawLine(at(0, -1.3), at(0, 1.4));
  filled_arrow_head(p, at(0, 1.4), QPointF(0, -1), 12 * w);
  p.setBrush(Qt::NoBrush);
  p.drawText(at(1.25, -0.22), QStringLiteral("c"));
  p.drawText(at(0.08, 1.28), QStringLiteral("u/ω"));
  p.drawText(at(-0.2, -0.2), QStringLiteral("O"));

  const double phi = diagram.phase;
  const QPointF point = at(std::cos(phi), std::sin(phi));
  p.setPen(QPen(QColor(150, 150, 150), w, Qt::DashLine));
  p.drawEllipse(o, unit, unit);
  p.drawLine(point, at(std::cos(phi), 0));
  p.drawLine(point, at(0, std::sin(phi)));
  p.setPen(QPen(kStart, 2 * w));
  p.drawLine(o, point);
  p.setBrush(kTrace);
  p.setPen(Qt::NoPen);
  p.drawEllipse(point, 5 * w, 5 * w);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kTrace, 1.5 * w));
  const double r = 0.28 * unit;
  const int sixteenths = static_cast<int>(phi / kTruncatedPi * 180 * 16);
  p.drawArc(QRectF(o.x() - r, o.y() - r, 2 * r, 2 * r), 0, sixteenths);
  p.setPen(Qt::black);
  p.drawText(at(0.2, 0.3), QStringLiteral("φ"));
  p.drawText(at(std::cos(phi) / 2 - 0.2, std::sin(phi) / 2 + 0.02), QStringLiteral("A"));
  p.drawText(at(std::cos(phi) - 0.5, std::sin(phi) + 0.12), QStringLiteral("(c, u/ω)"));
  p.end();
  return image;
}

}  // namespace orvinda::docs
