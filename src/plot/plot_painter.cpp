#include "plot/plot_painter.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace orvinda {

namespace {

// Keeps a segment's pixel coordinates within a sane distance of the target,
// so far-away ends never reach the rasteriser.
bool clip_segment(QPointF& a, QPointF& b, const QRectF& box) {
  double t0 = 0, t1 = 1;
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                       box.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
  }
  const QPointF start = a;
  a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
  b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
  return true;
}

bool finite_point(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

}  // namespace

PlotPainter::PlotPainter(const ScaleMapping& mapping, QSizeF bounds,
                         std::function<QPainter&()> painter, QImage* image)
    : mapping_(mapping), bounds_(bounds), painter_(std::move(painter)), image_(image) {}

void PlotPainter::setTraceRaster(StrokeRaster* raster, const QTransform& to_device,
                                 const QRect& clip) {
  raster_ = raster;
  to_device_ = to_device;
  raster_clip_ = clip;
}

QRectF PlotPainter::trace(QPointF a_metres, QPointF b_metres, QColor color, int width) {
  if (!raster_ || width < 2) return line(a_metres, b_metres, color, width);
  if (!mapping_.valid()) return {};
  QPointF a(mapping_.to_px_x(a_metres.x()), mapping_.to_px_y(a_metres.y()));
  QPointF b(mapping_.to_px_x(b_metres.x()), mapping_.to_px_y(b_metres.y()));
  if (!finite_point(a) || !finite_point(b)) return {};
  const double margin = width + 2.0;
  const QRectF box(-margin, -margin, bounds_.width() + 2 * margin, bounds_.height() + 2 * margin);
  if (!clip_segment(a, b, box)) return {};
  raster_->segment(to_device_.map(a), to_device_.map(b), width * to_device_.m11(), color.rgb(),
                   raster_clip_);
  const double half = width / 2.0 + 1;
  return QRectF(a, b).normalized().adjusted(-half, -half, half, half);
}

void PlotPainter::fillCrisp(const QRectF& logical, QColor color) {
  if (!image_) {
    // Any other device: a filled pixel-wide rectangle, scaled with the painter.
    QPainter& painter = painter_();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(logical, color);
    painter.restore();
    return;
  }
  // Straight into the pixels: dense grids are hundreds of such lines, and
  // the painter's span filler costs far more than the writes themselves.
  const qreal dpr = image_->devicePixelRatio();
  const QRect device =
      QRectF(logical.topLeft() * dpr, logical.size() * dpr).toAlignedRect() & image_->rect();
  if (device.isEmpty()) return;
  const QRgb value = qPremultiply(color.rgba());
  uchar* const bits = image_->bits();  // one detach check, not one per row
  const qsizetype stride = image_->bytesPerLine();
  for (int y = device.top(); y <= device.bottom(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
    std::fill(row + device.left(), row + device.right() + 1, value);
  }
}

QRectF PlotPainter::line(QPointF a_metres, QPointF b_metres, QColor color, int width) {
  if (!mapping_.valid()) return {};
  return segment(QPointF(mapping_.to_px_x(a_metres.x()), mapping_.to_px_y(a_metres.y())),
                 QPointF(mapping_.to_px_x(b_metres.x()), mapping_.to_px_y(b_metres.y())), color,
                 width);
}

QRectF PlotPainter::segment(QPointF a, QPointF b, QColor color, int width) {
  if (!finite_point(a) || !finite_point(b)) return {};
  const double margin = width + 2.0;
  const QRectF box(-margin, -margin, bounds_.width() + 2 * margin, bounds_.height() + 2 * margin);
  if (!clip_segment(a, b, box)) return {};
  const bool vertical = a.x() == b.x();
  const bool horizontal = a.y() == b.y();
  if (width == 1 && (vertical || horizontal)) {
    // One crisp pixel row or column, whatever the device pixel ratio.
    QRectF r;
    if (vertical) {
      const double x = std::floor(a.x());
      r = QRectF(x, std::min(a.y(), b.y()), 1, std::fabs(b.y() - a.y()) + 1);
    } else {
      const double y = std::floor(a.y());
      r = QRectF(std::min(a.x(), b.x()), y, std::fabs(b.x() - a.x()) + 1, 1);
    }
    fillCrisp(r, color);
    return r;
  }
  // Axis-aligned wide lines sit on whole pixels: odd widths on pixel centres.
  auto snap = [width](double v) { return width % 2 ? std::floor(v) + 0.5 : std::round(v); };
  if (vertical) {
    a.setX(snap(a.x()));
    b.setX(a.x());
  } else if (horizontal) {
    a.setY(snap(a.y()));
    b.setY(a.y());
  }
  QPainter& painter = painter_();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawLine(a, b);
  const double half = width / 2.0 + 1;
  return QRectF(a, b).normalized().adjusted(-half, -half, half, half);
}

QRectF PlotPainter::polyline(const std::vector<TracePoint>& metres, QColor color, int width) {
  if (!mapping_.valid() || metres.size() < 2) return {};
  if (metres.size() == 2)
    return line({metres[0].x, metres[0].y}, {metres[1].x, metres[1].y}, color, width);
  if (raster_ && width >= 2) {
    QRectF touched;
    for (std::size_t i = 1; i < metres.size(); ++i) {
      touched |=
          trace({metres[i - 1].x, metres[i - 1].y}, {metres[i].x, metres[i].y}, color, width);
    }
    return touched;
  }
  QPolygonF points;
  points.reserve(static_cast<qsizetype>(metres.size()));
  for (const TracePoint& m : metres) {
    const QPointF p(mapping_.to_px_x(m.x), mapping_.to_px_y(m.y));
    if (finite_point(p)) points << p;
  }
  QPainter& painter = painter_();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  // In short runs: the outline of a long self-crossing stroke is costly to
  // fill, and round caps where two runs meet look just like round joins.
  constexpr qsizetype chunk = 32;
  for (qsizetype start = 0; start + 1 < points.size(); start += chunk - 1) {
    painter.drawPolyline(points.constData() + start, std::min(chunk, points.size() - start));
  }
  const double half = width / 2.0 + 1;
  return points.boundingRect().adjusted(-half, -half, half, half);
}

QRectF PlotPainter::dot(QPointF at_metres, QColor color, int width) {
  if (!mapping_.valid()) return {};
  const QPointF p(mapping_.to_px_x(at_metres.x()), mapping_.to_px_y(at_metres.y()));
  if (!finite_point(p) || p.x() < -width || p.y() < -width || p.x() > bounds_.width() + width ||
      p.y() > bounds_.height() + width) {
    return {};
  }
  if (width == 1) {
    const QRectF r(std::floor(p.x()), std::floor(p.y()), 1, 1);
    fillCrisp(r, color);
    return r;
  }
  const double r = width / 2.0;
  QPainter& painter = painter_();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  painter.drawEllipse(p, r, r);
  return QRectF(p.x() - r, p.y() - r, 2 * r, 2 * r);
}

QRectF PlotPainter::text(QPointF at_metres, const QString& text, const QFont& font,
                         const QFontMetricsF& metrics, QColor color) {
  if (!mapping_.valid()) return {};
  const QPointF p(mapping_.to_px_x(at_metres.x()), mapping_.to_px_y(at_metres.y()));
  if (!finite_point(p)) return {};
  const QRectF rect(p, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
  if (!rect.intersects(QRectF(QPointF(0, 0), bounds_))) return {};
  QPainter& painter = painter_();
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setFont(font);
  painter.setPen(color);
  painter.drawText(QPointF(p.x(), p.y() + metrics.ascent()), text);
  return rect;
}

}  // namespace orvinda
