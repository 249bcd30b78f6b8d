#include "plot/device_piece.h"

#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

#include "plot/plot_surface.h"

namespace orvinda {

namespace {
// Pixel values stay within what a widget's geometry can hold.
constexpr double kLimitPx = 1e6;
double limited(double px) {
  if (!std::isfinite(px)) return px > 0 ? kLimitPx : -kLimitPx;
  return std::clamp(px, -kLimitPx, kLimitPx);
}
const QColor kGrey(128, 128, 128);
}  // namespace

DevicePiece::DevicePiece(PlotSurface* surface, Look look, QSizeF design_size_px,
                         const QString& picture)
    : QWidget(surface), surface_(surface), look_(look), rect_(QPointF(0, 0), design_size_px) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  if (look_ == Look::Picture) {
    renderer_ = new QSvgRenderer(picture, this);
    renderer_->setAspectRatioMode(Qt::IgnoreAspectRatio);  // stretched to the piece
  }
  applyGeometry();
}

DevicePiece::~DevicePiece() = default;

double DevicePiece::Left() const { return surface_->mapping().from_px_x(rect_.left()); }
double DevicePiece::Top() const { return surface_->mapping().from_px_y(rect_.top()); }
double DevicePiece::Width() const { return rect_.width() * surface_->mapping().unit_per_px_x(); }
double DevicePiece::Height() const { return rect_.height() * surface_->mapping().unit_per_px_y(); }

void DevicePiece::setLeft(double x) {
  rect_.moveLeft(limited(surface_->mapping().to_px_x(x)));
  applyGeometry();
}

void DevicePiece::setTop(double y) {
  rect_.moveTop(limited(surface_->mapping().to_px_y(y)));
  applyGeometry();
}

void DevicePiece::setWidth(double w) {
  rect_.setWidth(std::max(0.0, limited(w / surface_->mapping().unit_per_px_x())));
  applyGeometry();
}

void DevicePiece::setHeight(double h) {
  rect_.setHeight(std::max(0.0, limited(h / surface_->mapping().unit_per_px_y())));
  applyGeometry();
}

void DevicePiece::applyGeometry() {
  // rect_ is in the surface's drawing pixels; the widget sits in its own.
  const double f = surface_->viewScale();
  const int left = static_cast<int>(std::lround(rect_.left() * f));
  const int top = static_cast<int>(std::lround(rect_.top() * f));
  const int right = static_cast<int>(std::lround(rect_.right() * f));
  const int bottom = static_cast<int>(std::lround(rect_.bottom() * f));
  const QRect target(left, top, std::max(0, right - left), std::max(0, bottom - top));
  if (target != geometry()) setGeometry(target);
}

void DevicePiece::refit() { applyGeometry(); }

QRectF DevicePiece::shownRect() const {
  const double f = surface_->viewScale();
  const QRectF g(geometry());
  return f == 1 ? g : QRectF(g.topLeft() / f, g.size() / f);
}

void DevicePiece::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  QPainter painter(this);
  const double f = surface_->viewScale();
  if (f == 1) {
    render(painter, QRectF(rect()));
    return;
  }
  painter.scale(f, f);  // the outline grows with the view too
  render(painter, QRectF(0, 0, width() / f, height() / f));
}

void DevicePiece::render(QPainter& painter, const QRectF& target) const {
  if (target.width() <= 0 || target.height() <= 0) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  // A one-pixel outline inside the piece; it grows with a scaled painter.
  const double outline = 1.0;
  const QRectF box = target.adjusted(0.5, 0.5, -0.5, -0.5);
  switch (look_) {
    case Look::Ball: {
      QRadialGradient shade(box.center() - QPointF(box.width() / 5, box.height() / 5),
                            box.width() * 0.7);
      shade.setColorAt(0, kGrey.lighter(135));
      shade.setColorAt(0.6, kGrey);
      shade.setColorAt(1, kGrey.darker(125));
      painter.setPen(QPen(kGrey.darker(170), outline));
      painter.setBrush(shade);
      painter.drawEllipse(box);
      break;
    }
    case Look::Block:
      painter.setPen(QPen(kGrey.darker(170), outline));
      painter.setBrush(kGrey);
      painter.drawRect(box);
      break;
    case Look::Picture:
      // Drawn afresh at every size: the strokes keep their width however
      // far the picture is stretched, and the springs change size all the time.
      renderer_->render(&painter, target);
      break;
  }
  painter.restore();
}

}  // namespace orvinda
