#include "tools/make_docs/figures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "model/run_stepper.h"

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

void draw_arrow_head(QPainter& painter, QPointF tip, QPointF direction, double size) {
  const double len = std::hypot(direction.x(), direction.y());
  if (len <= 0) return;
  const QPointF u = direction / len;
  const QPointF n(-u.y(), u.x());
  const QPointF head[3] = {tip, tip - u * size + n * size * 0.45, tip - u * size - n * size * 0.45};
  painter.drawPolygon(head, 3);
}

}  // namespace

MotionParameters figure_parameters(const FigureShape& shape) {
  const double phix = shape.phix_pi * kPi;
  const double phiy = phix + shape.dphi_pi * kPi;
  MotionParameters p;
  p.wx = 1;
  p.x0 = shape.phix_pi == 0 ? shape.ax : shape.ax * std::cos(phix);
  p.vx0 = shape.phix_pi == 0 ? 0 : shape.ax * std::sin(phix);
  p.wy = static_cast<double>(shape.wy_part) / shape.wx_part;
  p.y0 = shape.ay * std::cos(phiy);
  p.vy0 = static_cast<float>(shape.ay * p.wy * std::sin(phiy));
  return p;
}

double figure_period(const FigureShape& shape) { return kTwoPi * shape.wx_part; }

std::vector<QPointF> figure_points(const FigureShape& shape, int steps_per_horizontal_period) {
  const MotionParameters p = figure_parameters(shape);
  // The ratio as the window rounds it, so the pictures are the program's own.
  const Characteristics c = compute_characteristics(p, 0, false);
  const double turns = shape.turns > 0 ? shape.turns : shape.wx_part;
  const long first = std::lround(std::max(0.0, shape.from_turn) * steps_per_horizontal_period);
  const long steps = std::lround(turns * steps_per_horizontal_period);
  RunStepper stepper(
      p, c.wywx,
      static_cast<float>(kTwoPi * shape.wx_part / (steps_per_horizontal_period * shape.wx_part)));
  std::vector<QPointF> points;
  points.reserve(static_cast<std::size_t>(steps) + 1);
  if (first == 0) points.emplace_back(p.x0, p.y0);
  for (long i = 1; i <= first + steps; ++i) {
    const RunStep s = stepper.next();
    if (i >= first) points.emplace_back(s.x, s.y);
  }
  return points;
}

std::vector<double> line_passes(const std::vector<QPointF>& path, bool horizontal, double level) {
  auto across = [horizontal](QPointF p) { return horizontal ? p.y() : p.x(); };
  auto along = [horizontal](QPointF p) { return horizontal ? p.x() : p.y(); };
  std::vector<double> passes;
  for (std::size_t i = 1; i < path.size(); ++i) {
    const double a = across(path[i - 1]) - level;
    const double b = across(path[i]) - level;
    if ((a < 0) == (b < 0)) continue;
    const double s = a / (a - b);
    passes.push_back(along(path[i - 1]) + s * (along(path[i]) - along(path[i - 1])));
  }
  return passes;
}

int side_touches(const std::vector<QPointF>& closed, bool right_side, double side) {
  auto along = [right_side](QPointF p) { return right_side ? p.x() : p.y(); };
  auto across = [right_side](QPointF p) { return right_side ? p.y() : p.x(); };
  if (closed.size() < 3) return 0;
  const std::size_t n = closed.size() - 1;  // the last point repeats the first
  std::vector<double> places;
  for (std::size_t i = 0; i < n; ++i) {
    const double prev = along(closed[(i + n - 1) % n]);
    const double here = along(closed[i]);
    const double next = along(closed[(i + 1) % n]);
    if (here >= prev && here > next && here > side * 0.999) places.push_back(across(closed[i]));
  }
  std::sort(places.begin(), places.end());
  const double tolerance = 0.01 * std::fabs(side);
  const auto last = std::unique(places.begin(), places.end(),
                                [tolerance](double a, double b) { return b - a < tolerance; });
  return static_cast<int>(last - places.begin());
}

double swept_area(const std::vector<QPointF>& closed) {
  double sum = 0;
  for (std::size_t i = 1; i < closed.size(); ++i) {
    sum += closed[i - 1].x() * closed[i].y() - closed[i].x() * closed[i - 1].y();
  }
  return sum;
}

QImage figure_image(const FigureShape& shape, int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);

  // Metres to pixels, y upwards, the bounding rectangle centred; the marks of
  // the ellipse method need room on the right.
  const double margin = side * (shape.ellipse_method ? 0.14 : 0.08);
  const double span = 2 * std::max(shape.ax, shape.ay);
  const double scale = (side - 2 * margin) / span;
  const QPointF centre(side / 2.0, side / 2.0);
  auto to_pixels = [&](QPointF m) { return centre + QPointF(m.x() * scale, -m.y() * scale); };

  const QRectF box(to_pixels({-shape.ax, shape.ay}), to_pixels({shape.ax, -shape.ay}));
  const double thin = std::max(1.0, side / 300.0);
  painter.setPen(QPen(QColor(150, 150, 150), thin, Qt::DashLine));
  painter.drawRect(box);
  painter.setPen(QPen(QColor(200, 200, 200), thin));
  painter.drawLine(QPointF(box.left(), centre.y()), QPointF(box.right(), centre.y()));
  painter.drawLine(QPointF(centre.x(), box.top()), QPointF(centre.x(), box.bottom()));

  constexpr int kSteps = 720;
  const std::vector<QPointF> points = figure_points(shape, kSteps);
  QPainterPath path(to_pixels(points.front()));
  for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(to_pixels(points[i]));
  painter.setPen(QPen(kTrace, thin * 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);

  // Counting lines reach a little past the rectangle, so that they read as
  // lines laid over the figure, not as its sides.
  const double overhang = side * 0.05;
  auto mark_passes = [&](bool horizontal, double level) {
    painter.setPen(QPen(kCounting, thin * 1.2, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    if (horizontal) {
      const double y = to_pixels({0, level}).y();
      painter.drawLine(QPointF(box.left() - overhang, y), QPointF(box.right() + overhang, y));
    } else {
      const double x = to_pixels({level, 0}).x();
      painter.drawLine(QPointF(x, box.top() - overhang), QPointF(x, box.bottom() + overhang));
    }
    painter.setPen(QPen(kCounting, thin * 1.4));
    painter.setBrush(Qt::white);
    for (double at : line_passes(points, horizontal, level)) {
      const QPointF p = horizontal ? to_pixels({at, level}) : to_pixels({level, at});
      painter.drawEllipse(p, thin * 3.5, thin * 3.5);
    }
  };
  if (shape.count_y) mark_passes(true, *shape.count_y * shape.ay);
  if (shape.count_x) mark_passes(false, *shape.count_x * shape.ax);

  if (shape.ellipse_method) {
    painter.setFont(label_font(side));
    const std::vector<double> chord = line_passes(points, false, 0.0);
    if (chord.size() >= 2) {
      const auto [low, high] = std::minmax_element(chord.begin(), chord.end());
      painter.setPen(QPen(kStart, thin * 3, Qt::SolidLine, Qt::FlatCap));
      painter.drawLine(to_pixels({0, *low}), to_pixels({0, *high}));
      painter.setPen(kStart);
      painter.drawText(to_pixels({0, (*low + *high) / 2}) + QPointF(-side * 0.07, side * 0.03),
                       QStringLiteral("b"));
    }
    // The height a as a dimension line beside the rectangle.
    const double x = box.right() + side * 0.06;
    painter.setPen(QPen(Qt::black, thin));
    painter.setBrush(Qt::black);
    painter.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
    draw_arrow_head(painter, QPointF(x, box.top()), QPointF(0, -1), thin * 7);
    draw_arrow_head(painter, QPointF(x, box.bottom()), QPointF(0, 1), thin * 7);
    painter.setPen(QPen(QColor(120, 120, 120), thin, Qt::DotLine));
    painter.drawLine(QPointF(box.right(), box.top()), QPointF(x + thin * 3, box.top()));
    painter.drawLine(QPointF(box.right(), box.bottom()), QPointF(x + thin * 3, box.bottom()));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(x + side * 0.02, centre.y() + side * 0.03), QStringLiteral("a"));
    // The top tangency, whose abscissa is ax cos dphi.
    const auto top = std::max_element(points.begin(), points.end(),
                                      [](QPointF a, QPointF b) { return a.y() < b.y(); });
    const QPointF tangency = to_pixels(*top);
    painter.setPen(QPen(QColor(120, 120, 120), thin, Qt::DashLine));
    painter.drawLine(tangency, QPointF(tangency.x(), centre.y()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(tangency, thin * 3, thin * 3);
  }

  if (shape.start_and_arrow) {
    // The start and, a little further on, an arrow for the direction of motion.
    const QPointF start = to_pixels(points.front());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kStart);
    painter.drawEllipse(start, thin * 4, thin * 4);
    // An eighth of a horizontal period on, clear of the start dot; sooner
    // when the ellipse method marks the top tangency, which may lie there.
    const std::size_t ahead =
        std::min<std::size_t>(shape.ellipse_method ? kSteps / 20 : kSteps / 8, points.size() - 1);
    if (ahead >= 10) {
      const QPointF tip = to_pixels(points[ahead]);
      const QPointF back = to_pixels(points[ahead - 10]);
      const QPointF d = tip - back;
      const double a = thin * 9;
      const double len = std::hypot(d.x(), d.y());
      painter.setBrush(kTrace);
      if (len > 0) draw_arrow_head(painter, tip + d / len * a * 0.4, d, a * 1.4);
    }
  }
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
  draw_arrow_head(p, at(1.4, 0), QPointF(1, 0), 12 * w);
  p.drawLine(at(0, -1.3), at(0, 1.4));
  draw_arrow_head(p, at(0, 1.4), QPointF(0, -1), 12 * w);
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
  const int sixteenths = static_cast<int>(phi / kPi * 180 * 16);
  p.drawArc(QRectF(o.x() - r, o.y() - r, 2 * r, 2 * r), 0, sixteenths);
  p.setPen(Qt::black);
  p.drawText(at(0.2, 0.3), QStringLiteral("φ"));
  p.drawText(at(std::cos(phi) / 2 - 0.2, std::sin(phi) / 2 + 0.02), QStringLiteral("A"));
  p.drawText(at(std::cos(phi) - 0.5, std::sin(phi) + 0.12), QStringLiteral("(c, u/ω)"));
  p.end();
  return image;
}

}  // namespace orvinda::docs
