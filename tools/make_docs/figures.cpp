#include "tools/make_docs/figures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "model/run_stepper.h"

namespace orvinda::docs {

MotionParameters figure_parameters(const FigureShape& shape) {
  const double dphi = shape.dphi_pi * kPi;
  MotionParameters p;
  p.wx = 1;
  p.x0 = shape.ax;
  p.vx0 = 0;
  p.wy = static_cast<double>(shape.wy_part) / shape.wx_part;
  p.y0 = shape.ay * std::cos(dphi);
  p.vy0 = static_cast<float>(shape.ay * p.wy * std::sin(dphi));
  return p;
}

double figure_period(const FigureShape& shape) { return kTwoPi * shape.wx_part; }

std::vector<QPointF> figure_points(const FigureShape& shape, int steps_per_horizontal_period) {
  const MotionParameters p = figure_parameters(shape);
  // The ratio as the window rounds it, so the pictures are the program's own.
  const Characteristics c = compute_characteristics(p, 0, false);
  const int steps = steps_per_horizontal_period * shape.wx_part;
  RunStepper stepper(p, c.wywx, static_cast<float>(figure_period(shape) / steps));
  std::vector<QPointF> points;
  points.reserve(static_cast<std::size_t>(steps) + 1);
  points.emplace_back(p.x0, p.y0);
  for (int i = 0; i < steps; ++i) {
    const RunStep s = stepper.next();
    points.emplace_back(s.x, s.y);
  }
  return points;
}

QImage figure_image(const FigureShape& shape, int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);

  // Metres to pixels, y upwards, the bounding rectangle centred.
  const double margin = side * 0.08;
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
  const QColor trace(200, 0, 0);
  painter.setPen(QPen(trace, thin * 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);

  // The start and, a little further on, an arrow for the direction of motion.
  const QPointF start = to_pixels(points.front());
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 160));
  painter.drawEllipse(start, thin * 4, thin * 4);
  // An eighth of a horizontal period on, clear of the start dot.
  const std::size_t ahead = kSteps / 8;
  const QPointF tip = to_pixels(points[ahead]);
  const QPointF back = to_pixels(points[ahead - 10]);
  const QPointF d = tip - back;
  const double len = std::hypot(d.x(), d.y());
  if (len > 0) {
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const double a = thin * 9;
    const QPointF head[3] = {tip + u * a * 0.4, tip - u * a + n * a * 0.5,
                             tip - u * a - n * a * 0.5};
    painter.setBrush(trace);
    painter.drawPolygon(head, 3);
  }
  painter.end();
  return image;
}

}  // namespace orvinda::docs
