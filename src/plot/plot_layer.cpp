#include "plot/plot_layer.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace orvinda {

namespace {
constexpr int kBandRows = 32;
}  // namespace

void PlotLayer::clear(QSizeF size_px, const QFont& font, double logical_dpi) {
  list_.clear(size_px, font, logical_dpi);
  size_ = size_px;
  mapping_ = ScaleMapping();
  width_ = 1;
  covered_.clear();
}

void PlotLayer::Scale(double x1, double y1, double x2, double y2) {
  mapping_ = ScaleMapping(x1, y1, x2, y2, size_.width(), size_.height());
  if (list_.add({DrawOp::Kind::Scale, x1, y1, x2, y2})) covered_.emplace_back();
}

void PlotLayer::setDrawWidth(int pixels) { width_ = std::max(1, pixels); }

void PlotLayer::touch(const QRectF& rect) {
  if (covered_.empty()) covered_.emplace_back();
  // Whole pixels with a margin for antialiased edges.
  const QRect pixels = rect.toAlignedRect().adjusted(-2, -2, 2, 2);
  covered_.back() = covered_.back().isNull() ? pixels : covered_.back() | pixels;
}

void PlotLayer::Line(double x1, double y1, double x2, double y2, QColor color) {
  if (!mapping_.valid()) return;
  if (!list_.add({DrawOp::Kind::Line, x1, y1, x2, y2, color.rgba(), width_})) return;
  const QPointF a(mapping_.to_px_x(x1), mapping_.to_px_y(y1));
  const QPointF b(mapping_.to_px_x(x2), mapping_.to_px_y(y2));
  const double half = width_ / 2.0;
  touch(QRectF(a, b).normalized().adjusted(-half, -half, half + 1, half + 1) &
        QRectF(QPointF(0, 0), size_));
}

void PlotLayer::PSet(double x, double y, QColor color) {
  if (!mapping_.valid()) return;
  if (!list_.add({DrawOp::Kind::Dot, x, y, 0, 0, color.rgba(), width_})) return;
  const QPointF p(mapping_.to_px_x(x), mapping_.to_px_y(y));
  const double half = width_ / 2.0;
  touch(QRectF(p, p).adjusted(-half, -half, half + 1, half + 1) & QRectF(QPointF(0, 0), size_));
}

QRegion PlotLayer::region() const {
  QRegion region;
  for (const QRect& rect : covered_) {
    if (!rect.isEmpty()) region += rect;
  }
  return region;
}

void PlotLayer::paint(QPainter& painter) const {
  list_.replay(painter, QRectF(QPointF(0, 0), size_));
}

PlotLayer& LayeredPlotSurface::newLayer() {
  next_.clear(size(), font(), logicalDpiY());
  return next_;
}

void LayeredPlotSurface::showLayer() {
  const QRegion old_region = shown_.region();
  std::swap(shown_, next_);
  update(old_region + shown_.region());
}

void LayeredPlotSurface::paintEvent(QPaintEvent* event) {
  endBatch();
  const QImage& image = picture();
  const qreal dpr = image.devicePixelRatio();
  if (image.isNull() || dpr != devicePixelRatioF() ||
      (QSizeF(image.size()) / dpr).toSize() != size()) {
    PlotSurface::paintEvent(event);  // it first makes the picture fit
  } else {
    // A moving layer leaves scattered small rectangles; copying their
    // bounding rectangle would copy most of the picture at every step. Tall
    // ones go in bands: Qt hands a copy of many rows to worker threads, and
    // waking them costs more than the copy of a few pixels per row.
    QPainter painter(this);
    for (const QRect& rect : event->region()) {
      for (int top = rect.top(); top <= rect.bottom(); top += kBandRows) {
        const QRect band(rect.left(), top, rect.width(),
                         std::min(kBandRows, rect.bottom() - top + 1));
        painter.drawImage(band, image,
                          QRectF(QPointF(band.topLeft()) * dpr, QSizeF(band.size()) * dpr));
      }
    }
  }
  if (shown_.drawing().empty()) return;
  QPainter painter(this);
  shown_.paint(painter);
}

}  // namespace orvinda
