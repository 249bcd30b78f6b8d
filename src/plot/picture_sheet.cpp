#include "plot/picture_sheet.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "plot/device.h"
#include "plot/plot_surface.h"

namespace orvinda {

namespace {
constexpr double kGap = 12;  // surface pixels between the plot and the text, and around
}

PictureSheet::PictureSheet(const PlotSurface& surface, const Device* device, SheetText text,
                           QFont font)
    : surface_(surface), device_(device), text_(std::move(text)), font_(std::move(font)) {
  side_ = std::max(1.0, surface_.drawing().size().width());
}

double PictureSheet::textBlockHeight() const {
  const QFontMetricsF metrics(font_);
  const auto rows = static_cast<double>(std::max(text_.left.size(), text_.right.size()) + 1);
  return kGap + rows * metrics.lineSpacing() * 1.2 + kGap;
}

double PictureSheet::heightFor(double width) const {
  const QSizeF plot = surface_.drawing().size();
  const double plot_height = plot.isEmpty() ? side_ : plot.height();
  return width * (plot_height + textBlockHeight()) / side_;
}

void PictureSheet::paint(QPainter& painter, const QRectF& target) const {
  const QSizeF plot = surface_.drawing().size();
  const double plot_height = plot.isEmpty() ? side_ : plot.height();
  const double total = plot_height + textBlockHeight();
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / side_, target.width() / side_);
  painter.fillRect(QRectF(0, 0, side_, total), Qt::white);

  const QRectF plot_rect(0, 0, side_, plot_height);
  surface_.drawing().replay(painter, plot_rect);
  if (device_) {
    painter.save();
    painter.setClipRect(plot_rect, Qt::IntersectClip);
    device_->paint(painter);
    painter.restore();
  }
  painter.setPen(QPen(QColor(160, 160, 160), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot_rect.adjusted(0.5, 0.5, -0.5, -0.5));

  // Texts at the size they have on the screen, whatever the device's resolution.
  QFont font = font_;
  const double device_dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
  const double screen_dpi = surface_.logicalDpiY();
  if (font.pointSizeF() > 0 && device_dpi > 0) {
    font.setPointSizeF(font.pointSizeF() * screen_dpi / device_dpi);
  }
  const QFontMetricsF metrics(font_);
  const double row = metrics.lineSpacing() * 1.2;
  painter.setPen(Qt::black);
  auto column = [&](double left, const QString& heading, const QStringList& lines) {
    double y = plot_height + kGap + metrics.ascent();
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QPointF(left, y), heading);
    painter.setFont(font);
    for (const QString& line : lines) {
      y += row;
      painter.drawText(QPointF(left, y), line);
    }
  };
  column(kGap, text_.left_heading, text_.left);
  column(side_ / 2 + kGap, text_.right_heading, text_.right);
  painter.restore();
}

}  // namespace orvinda
