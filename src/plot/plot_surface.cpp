#include "plot/plot_surface.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <memory>

namespace orvinda {

namespace {

// Keeps a segment's pixel coordinates within a sane distance of the surface,
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

QColor bgr_color(unsigned value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

PlotSurface::PlotSurface(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
}

void PlotSurface::Scale(double x1, double y1, double x2, double y2) {
  scale_x1_ = x1;
  scale_y1_ = y1;
  scale_x2_ = x2;
  scale_y2_ = y2;
  updateMapping();
}

void PlotSurface::updateMapping() {
  mapping_ = ScaleMapping(scale_x1_, scale_y1_, scale_x2_, scale_y2_, width(), height());
}

void PlotSurface::ensurePicture() {
  const qreal dpr = devicePixelRatioF();
  const QSize device_size = (QSizeF(size()) * dpr).toSize();
  if (picture_.size() == device_size && picture_.devicePixelRatio() == dpr) return;
  endBatch();
  QImage fresh(device_size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  fresh.setDevicePixelRatio(dpr);
  fresh.fill(Qt::white);
  picture_ = fresh;
}

void PlotSurface::Cls() {
  endBatch();
  ensurePicture();
  picture_.fill(Qt::white);
  operations_ = 0;
  drawn_.clear();
  current_x_ = 0;
  current_y_ = 0;
  update();
}

void PlotSurface::beginBatch() {
  ensurePicture();
  if (!batch_) batch_ = std::make_unique<QPainter>(&picture_);
}

void PlotSurface::endBatch() {
  if (!batch_) return;
  batch_.reset();
  update(batch_dirty_);
  batch_dirty_ = QRect();
}

void PlotSurface::fillCrisp(const QRectF& logical, QColor color) {
  ensurePicture();
  // Straight into the pixels: dense grids are hundreds of such lines, and
  // the painter's span filler costs far more than the writes themselves.
  const qreal dpr = picture_.devicePixelRatio();
  const QRect device =
      QRectF(logical.topLeft() * dpr, logical.size() * dpr).toAlignedRect() & picture_.rect();
  if (device.isEmpty()) return;
  const QRgb value = qPremultiply(color.rgba());
  // A shared picture is copied on write; a painter must not keep the old one.
  if (!picture_.isDetached()) endBatch();
  uchar* const bits = picture_.bits();  // one detach check, not one per row
  const qsizetype stride = picture_.bytesPerLine();
  for (int y = device.top(); y <= device.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
    std::fill(line + device.left(), line + device.right() + 1, value);
  }
}

void PlotSurface::setDrawWidth(int pixels) { draw_width_ = std::max(1, pixels); }

void PlotSurface::touched(const QRectF& rect) {
  ++operations_;
  const QRect dirty = rect.toAlignedRect().adjusted(-1, -1, 1, 1);
  // A batch repaints once, in one rectangle, when it ends.
  if (batch_) {
    batch_dirty_ |= dirty;
  } else {
    update(dirty);
  }
}

bool PlotSurface::alreadyDrawn(char kind, double a, double b, double c, double d, QRgb color,
                               const QString& text) {
  constexpr qsizetype kMaxRemembered = 16384;  // a static scene has far fewer
  // A 64-bit fingerprint of the operation and of the scale it was drawn in.
  quint64 hash = 1469598103934665603ULL;
  auto add = [&hash](const auto& value) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    for (std::size_t i = 0; i < sizeof value; ++i) hash = (hash ^ bytes[i]) * 1099511628211ULL;
  };
  add(kind);
  for (double v : {a, b, c, d, scale_x1_, scale_y1_, scale_x2_, scale_y2_}) add(v);
  add(color);
  add(draw_width_);
  add(width());
  add(height());
  for (QChar ch : text) add(ch.unicode());
  if (drawn_.contains(hash)) return true;
  if (drawn_.size() < kMaxRemembered) drawn_.insert(hash);
  return false;
}

void PlotSurface::drawSegment(QPointF a, QPointF b, QColor color) {
  if (!mapping_.valid() || !finite_point(a) || !finite_point(b)) return;
  const double margin = draw_width_ + 2.0;
  const QRectF box(-margin, -margin, width() + 2 * margin, height() + 2 * margin);
  if (!clip_segment(a, b, box)) return;
  const bool vertical = a.x() == b.x();
  const bool horizontal = a.y() == b.y();
  if (draw_width_ == 1 && (vertical || horizontal)) {
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
    touched(r);
    return;
  }
  // Axis-aligned wide lines sit on whole pixels: odd widths on pixel centres.
  auto snap = [this](double v) { return draw_width_ % 2 ? std::floor(v) + 0.5 : std::round(v); };
  if (vertical) {
    a.setX(snap(a.x()));
    b.setX(a.x());
  } else if (horizontal) {
    a.setY(snap(a.y()));
    b.setY(a.y());
  }
  withPainter([&](QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(color, draw_width_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(a, b);
  });
  const double half = draw_width_ / 2.0 + 1;
  touched(QRectF(a, b).normalized().adjusted(-half, -half, half, half));
}

void PlotSurface::Line(double x1, double y1, double x2, double y2, QColor color) {
  if (!alreadyDrawn('L', x1, y1, x2, y2, color.rgb()))
    drawSegment(QPointF(mapping_.to_px_x(x1), mapping_.to_px_y(y1)),
                QPointF(mapping_.to_px_x(x2), mapping_.to_px_y(y2)), color);
  current_x_ = x2;
  current_y_ = y2;
}

void PlotSurface::LineTo(double x, double y, QColor color) {
  // The run's trace: never remembered, so memory stays flat however long it runs.
  drawSegment(QPointF(mapping_.to_px_x(current_x_), mapping_.to_px_y(current_y_)),
              QPointF(mapping_.to_px_x(x), mapping_.to_px_y(y)), color);
  current_x_ = x;
  current_y_ = y;
}

void PlotSurface::PSet(double x, double y) {
  current_x_ = x;
  current_y_ = y;
  if (!mapping_.valid()) return;
  const QColor foreground = palette().color(QPalette::WindowText);
  if (alreadyDrawn('P', x, y, 0, 0, foreground.rgb())) return;
  const QPointF p(mapping_.to_px_x(x), mapping_.to_px_y(y));
  if (!finite_point(p) || p.x() < -draw_width_ || p.y() < -draw_width_ ||
      p.x() > width() + draw_width_ || p.y() > height() + draw_width_) {
    return;
  }
  if (draw_width_ == 1) {
    const QRectF r(std::floor(p.x()), std::floor(p.y()), 1, 1);
    fillCrisp(r, foreground);
    touched(r);
    return;
  }
  const double r = draw_width_ / 2.0;
  withPainter([&](QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(foreground);
    painter.drawEllipse(p, r, r);
  });
  touched(QRectF(p.x() - r, p.y() - r, 2 * r, 2 * r));
}

const QFontMetricsF& PlotSurface::metrics() const {
  if (!metrics_) metrics_.emplace(font());
  return *metrics_;
}

QSizeF PlotSurface::textSize(const QString& text) const {
  return QSizeF(metrics().horizontalAdvance(text), metrics().height());
}

void PlotSurface::Print(const QString& text) {
  if (!mapping_.valid()) return;
  if (alreadyDrawn('T', current_x_, current_y_, 0, 0, 0, text)) return;
  const QPointF p(mapping_.to_px_x(current_x_), mapping_.to_px_y(current_y_));
  if (!finite_point(p)) return;
  const QSizeF extent = textSize(text);
  const QRectF rect(p, extent);
  if (!rect.intersects(QRectF(0, 0, width(), height()))) return;
  withPainter([&](QPainter& painter) {
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QPointF(p.x(), p.y() + metrics().ascent()), text);
  });
  touched(rect);
}

QColor PlotSurface::colorAt(double x, double y) const {
  const qreal dpr = picture_.devicePixelRatio();
  const int px = static_cast<int>(std::floor(mapping_.to_px_x(x) * dpr));
  const int py = static_cast<int>(std::floor(mapping_.to_px_y(y) * dpr));
  if (!picture_.valid(px, py)) return QColor();
  return picture_.pixelColor(px, py);
}

void PlotSurface::paintEvent(QPaintEvent* event) {
  endBatch();
  QPainter painter(this);
  if (picture_.isNull()) {
    painter.fillRect(event->rect(), Qt::white);
    return;
  }
  painter.drawImage(event->rect(), picture_,
                    QRectF(QPointF(event->rect().topLeft()) * picture_.devicePixelRatio(),
                           QSizeF(event->rect().size()) * picture_.devicePixelRatio()));
}

void PlotSurface::resizeEvent(QResizeEvent* event) {
  endBatch();
  QWidget::resizeEvent(event);
  updateMapping();
  ensurePicture();
}

void PlotSurface::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) metrics_.reset();
  if (event->type() == QEvent::ScreenChangeInternal) ensurePicture();
}

}  // namespace orvinda
