#include "plot/plot_surface.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "plot/plot_painter.h"

namespace orvinda {

QColor bgr_color(unsigned value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

PlotSurface::PlotSurface(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
}

PlotSurface::~PlotSurface() = default;

void PlotSurface::Scale(double x1, double y1, double x2, double y2) {
  scale_x1_ = x1;
  scale_y1_ = y1;
  scale_x2_ = x2;
  scale_y2_ = y2;
  updateMapping();
  list_.add({DrawOp::Kind::Scale, x1, y1, x2, y2});
}

void PlotSurface::setViewScale(double factor) {
  factor = factor > 0 ? factor : 1;
  if (factor == view_scale_) return;
  endBatch();
  view_scale_ = factor;
  updateMapping();
  ensurePicture();
}

QSizeF PlotSurface::drawingSize() const {
  if (view_scale_ == 1) return QSizeF(size());
  return QSizeF(size()) / view_scale_;
}

// The screen's own ratio times the view's factor.
qreal PlotSurface::pictureRatio() const { return devicePixelRatioF() * view_scale_; }

void PlotSurface::updateMapping() {
  const QSizeF drawn = drawingSize();
  mapping_ =
      ScaleMapping(scale_x1_, scale_y1_, scale_x2_, scale_y2_, drawn.width(), drawn.height());
}

void PlotSurface::ensurePicture() {
  const qreal dpr = pictureRatio();
  const QSize device_size = (QSizeF(size()) * devicePixelRatioF()).toSize();
  if (picture_.size() == device_size && picture_.devicePixelRatio() == dpr) return;
  const bool same_size = picture_size_ == size();
  endBatch();
  QImage fresh(device_size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  fresh.setDevicePixelRatio(dpr);
  fresh.fill(Qt::white);
  picture_ = fresh;
  picture_size_ = size();
  trace_raster_.attach(&picture_);
  // Another pixel ratio at the same size: the same picture, drawn again
  // sharp for the new screen. A new size is redrawn by its owner.
  if (same_size && !list_.empty()) renderAgain();
}

void PlotSurface::renderAgain() {
  endBatch();
  trace_raster_.restart();
  picture_.fill(Qt::white);
  list_.replayOnto(picture_);
  update();
}

void PlotSurface::Cls() {
  endBatch();
  ensurePicture();
  picture_.fill(Qt::white);
  trace_raster_.restart();
  operations_ = 0;
  list_.clear(drawingSize(), font(), logicalDpiY());
  list_.add({DrawOp::Kind::Scale, scale_x1_, scale_y1_, scale_x2_, scale_y2_});
  current_x_ = 0;
  current_y_ = 0;
  update();
}

void PlotSurface::beginBatch() {
  ensurePicture();
  single_.reset();
  if (!batch_) batch_ = std::make_unique<QPainter>(&picture_);
}

void PlotSurface::endBatch() {
  if (!batch_) return;
  batch_.reset();
  update(batch_dirty_);
  batch_dirty_ = QRect();
}

QPainter& PlotSurface::painter() {
  if (batch_) return *batch_;
  if (!single_) single_ = std::make_unique<QPainter>(&picture_);
  return *single_;
}

PlotPainter PlotSurface::painterFor(const ScaleMapping& mapping) {
  ensurePicture();
  // A shared picture is copied on the next write; a painter must not keep
  // drawing into the old copy.
  if (batch_ && !picture_.isDetached()) endBatch();
  single_.reset();
  if (!picture_.isDetached()) picture_.detach();
  PlotPainter draw(
      mapping, drawingSize(), [this]() -> QPainter& { return painter(); }, &picture_);
  const qreal dpr = picture_.devicePixelRatio();
  draw.setTraceRaster(&trace_raster_, QTransform::fromScale(dpr, dpr), picture_.rect());
  return draw;
}

void PlotSurface::setDrawWidth(int pixels) { draw_width_ = std::max(1, pixels); }

QColor PlotSurface::foreground() const { return palette().color(QPalette::WindowText); }

void PlotSurface::touched(const QRectF& rect) {
  single_.reset();
  if (rect.isEmpty()) return;
  ++operations_;
  // Drawn in drawing pixels; the widget repaints in its own.
  const QRectF shown =
      view_scale_ == 1 ? rect : QRectF(rect.topLeft() * view_scale_, rect.size() * view_scale_);
  const QRect dirty = shown.toAlignedRect().adjusted(-1, -1, 1, 1);
  if (batch_) {
    batch_dirty_ |= dirty;
  } else {
    update(dirty);
  }
}

void PlotSurface::Line(double x1, double y1, double x2, double y2, QColor color) {
  if (list_.add({DrawOp::Kind::Line, x1, y1, x2, y2, color.rgba(), draw_width_})) {
    trace_raster_.restart();  // a trace drawn later blends over this
    touched(painterFor(mapping_).line({x1, y1}, {x2, y2}, color, draw_width_));
  }
  current_x_ = x2;
  current_y_ = y2;
}

void PlotSurface::LineTo(double x, double y, QColor color) {
  // Drawn whole on the screen; the list keeps what does not repeat, so its
  // memory stays bounded however long the run goes on.
  list_.addTrace({current_x_, current_y_}, {x, y}, color, draw_width_);
  touched(painterFor(mapping_).trace({current_x_, current_y_}, {x, y}, color, draw_width_));
  current_x_ = x;
  current_y_ = y;
}

void PlotSurface::PSet(double x, double y) { PSet(x, y, foreground()); }

void PlotSurface::PSet(double x, double y, QColor color) {
  current_x_ = x;
  current_y_ = y;
  if (!mapping_.valid()) return;
  if (list_.add({DrawOp::Kind::Dot, x, y, 0, 0, color.rgba(), draw_width_})) {
    trace_raster_.restart();  // a trace drawn later blends over this
    touched(painterFor(mapping_).dot({x, y}, color, draw_width_));
  }
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
  const QColor color = foreground();
  if (list_.add({DrawOp::Kind::Text, current_x_, current_y_, 0, 0, color.rgba(), 0, 0}, text)) {
    trace_raster_.restart();  // a trace drawn later blends over this
    touched(painterFor(mapping_).text({current_x_, current_y_}, text, font(), metrics(), color));
  }
}

std::vector<DrawingList::Trace> PlotSurface::takeTraces() { return list_.takeTraces(); }

void PlotSurface::drawTraces(std::vector<DrawingList::Trace> traces) {
  const Batch batch(*this);
  for (DrawingList::Trace& trace : traces) {
    const QColor color = QColor::fromRgba(trace.color);
    // Kept in this very scale, the trace goes back into the list as it is,
    // and is drawn a polyline at a time.
    const std::vector<std::vector<TracePoint>> lines = trace.store.polylines();
    const int width = trace.width;
    if (!list_.adoptTrace(std::move(trace))) {
      for (const std::vector<TracePoint>& points : lines) {
        for (std::size_t i = 1; i < points.size(); ++i) {
          list_.addTrace(points[i - 1], points[i], color, width);
        }
      }
    }
    touched(painterFor(mapping_).polylines(lines, color, width));
  }
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
  ensurePicture();  // a new screen's pixel ratio shows at once
  QPainter painter(this);
  const qreal dpr = devicePixelRatioF();  // the picture's pixels are the screen's
  painter.drawImage(
      event->rect(), picture_,
      QRectF(QPointF(event->rect().topLeft()) * dpr, QSizeF(event->rect().size()) * dpr));
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
}

bool PlotSurface::event(QEvent* event) {
  if (event->type() == QEvent::ScreenChangeInternal) {
    metrics_.reset();
    ensurePicture();
  }
  return QWidget::event(event);
}

}  // namespace orvinda
