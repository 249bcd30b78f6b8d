#include "plot/device.h"

#include <QPainter>

#include "plot/device_piece.h"
#include "plot/plot_surface.h"
#include "plot/resources.h"

namespace orvinda {

Device::Device(PlotSurface* surface) {
  ensure_resources();
  // Created back to front: the bar and springs behind the block and the ball.
  bar_ = new DevicePiece(surface, DevicePiece::Look::Picture, QSizeF(4, 400),
                         QStringLiteral(":/bar.svg"));
  vspring_ = new DevicePiece(surface, DevicePiece::Look::Picture, QSizeF(24, 100),
                             QStringLiteral(":/spring_vertical.svg"));
  hspring_ = new DevicePiece(surface, DevicePiece::Look::Picture, QSizeF(100, 24),
                             QStringLiteral(":/spring_horizontal.svg"));
  block_ = new DevicePiece(surface, DevicePiece::Look::Block, QSizeF(24, 24));
  ball_ = new DevicePiece(surface, DevicePiece::Look::Ball, QSizeF(24, 24));
  bar_->setObjectName(QStringLiteral("Image3"));
  vspring_->setObjectName(QStringLiteral("Image2"));
  hspring_->setObjectName(QStringLiteral("Image1"));
  block_->setObjectName(QStringLiteral("Shape2"));
  ball_->setObjectName(QStringLiteral("Shape1"));
  // Named for screen readers.
  bar_->setAccessibleName(QStringLiteral("Стержень"));
  vspring_->setAccessibleName(QStringLiteral("Вертикальная пружина"));
  hspring_->setAccessibleName(QStringLiteral("Горизонтальная пружина"));
  block_->setAccessibleName(QStringLiteral("Брусок"));
  ball_->setAccessibleName(QStringLiteral("Шарик"));
}

DeviceSizes Device::sizes() const {
  DeviceSizes sizes;
  sizes.ball_w = ball_->Width();
  sizes.ball_h = ball_->Height();
  sizes.block_w = block_->Width();
  sizes.block_h = block_->Height();
  sizes.bar_w = bar_->Width();
  sizes.vspring_w = vspring_->Width();
  return sizes;
}

void Device::place(double x0, double y0, double xmin, double ymax, double ymin) {
  const DevicePlacement p = initial_device_placement(x0, y0, xmin, ymax, ymin, sizes());
  bar_->setLeft(p.bar_left);
  bar_->setTop(p.bar_top);
  bar_->setHeight(p.bar_height);
  ball_->setLeft(p.ball_left);
  ball_->setTop(p.ball_top);
  block_->setTop(p.block_top);
  block_->setLeft(p.block_left);
  hspring_->setLeft(p.hspring_left);
  hspring_->setWidth(p.hspring_width);
  hspring_->setTop(p.hspring_top);
  vspring_->setTop(p.vspring_top);
  vspring_->setLeft(p.vspring_left);
  vspring_->setHeight(p.vspring_height);
}

void Device::move(double x, double y, double xmin, double ymax) {
  const DeviceMove m = moved_device(x, y, xmin, ymax, sizes());
  bar_->setLeft(m.bar_left);
  ball_->setLeft(m.ball_left);
  ball_->setTop(m.ball_top);
  hspring_->setWidth(m.hspring_width);
  block_->setLeft(m.block_left);
  vspring_->setLeft(m.vspring_left);
  vspring_->setHeight(m.vspring_height);
}

void Device::refit() {
  for (DevicePiece* piece : {bar_, vspring_, hspring_, block_, ball_}) piece->refit();
}

void Device::paint(QPainter& painter) const {
  for (const DevicePiece* piece : {bar_, vspring_, hspring_, block_, ball_}) {
    // As the screen shows it: the widget's whole-pixel geometry.
    piece->render(painter, piece->shownRect());
  }
}

}  // namespace orvinda
