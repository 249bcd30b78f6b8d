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
constexpr double kTitleScale = 1.3;

QFont title_font(QFont font) {
  font.setBold(true);
  if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * kTitleScale);
  return font;
}
}  // namespace

PictureSheet::PictureSheet(const PlotSurface& surface, const Device* device, SheetText text,
                           QFont font, DrawingList overlay)
    : surface_(surface), device_(device), overlay_(std::move(overlay)), text_(std::move(text)),
      font_(std::move(font)) {
  side_ = std::max(1.0, surface_.drawing().size().width());
}

bool PictureSheet::hasColumns() const {
  return !text_.left.isEmpty() || !text_.right.isEmpty() || !text_.left_heading.isEmpty() ||
         !text_.right_heading.isEmpty();
}

double PictureSheet::textBlockHeight() const {
  if (!hasColumns()) return 0;
  const QFontMetricsF metrics(font_);
  const auto rows = static_cast<double>(std::max(text_.left.size(), text_.right.size()) + 1);
  return kGap + rows * metrics.lineSpacing() * 1.2 + kGap;
}

double PictureSheet::titleHeight() const {
  if (text_.title.isEmpty()) return 0;
  return kGap + QFontMetricsF(title_font(font_)).lineSpacing() + kGap;
}

double PictureSheet::heightFor(double width) const {
  const QSizeF plot = surface_.drawing().size();
  const double plot_height = plot.isEmpty() ? side_ : plot.height();
  return width * (titleHeight() + plot_height + textBlockHeight()) / side_;
}

void PictureSheet::paint(QPainter& painter, const QRectF& target) const {
  const QSizeF plot = surface_.drawing().size();
  const double plot_height = plot.isEmpty() ? side_ : plot.height();
  const double title_height = titleHeight();
  const double total = title_height + plot_height + textBlockHeight();
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / side_, target.width() / side_);
  painter.fillRect(QRectF(0, 0, side_, total), Qt::white);

  // Texts at the size they have on the screen, whatever the device's resolution.
  QFont font = font_;
  const double device_dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
  const double screen_dpi = surface_.logicalDpiY();
  const double to_device = device_dpi > 0 ? screen_dpi / device_dpi : 1;
  if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * to_device);

  if (!text_.title.isEmpty()) {
    QFont big = title_font(font_);
    const QFontMetricsF title_metrics(big);
    if (big.pointSizeF() > 0) big.setPointSizeF(big.pointSizeF() * to_device);
    painter.setFont(big);
    painter.setPen(Qt::black);
    const QString line = title_metrics.elidedText(text_.title, Qt::ElideRight, side_ - 2 * kGap);
    painter.drawText(QRectF(kGap, kGap, side_ - 2 * kGap, title_metrics.lineSpacing()),
                     Qt::AlignHCenter | Qt::AlignVCenter, line);
  }

  const QRectF plot_rect(0, title_height, side_, plot_height);
  surface_.drawing().replay(painter, plot_rect);
  if (!overlay_.empty()) overlay_.replay(painter, plot_rect);
  if (device_) {
    painter.save();
    painter.setClipRect(plot_rect, Qt::IntersectClip);
    painter.translate(plot_rect.topLeft());
    device_->paint(painter);
    painter.restore();
  }
  painter.setPen(QPen(QColor(160, 160, 160), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot_rect.adjusted(0.5, 0.5, -0.5, -0.5));

  if (hasColumns()) {
    const QFontMetricsF metrics(font_);
    const double row = metrics.lineSpacing() * 1.2;
    painter.setPen(Qt::black);
    auto column = [&](double left, const QString& heading, const QStringList& lines) {
      double y = title_height + plot_height + kGap + metrics.ascent();
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
  }
  painter.restore();
}

}  // namespace orvinda
