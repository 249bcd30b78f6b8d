#include "tools/lab/lab_screen.h"

#include <QPaintEvent>
#include <cmath>

#include "plot/plot_painter.h"

namespace orvinda {

namespace {

const QColor kBeam(90, 255, 140);
const QColor kGrid(110, 130, 115);
const QColor kScreen(0, 0, 0);
constexpr int kBeamWidth = 2;
constexpr double kTick = 0.2;  // divisions between the ticks of the axes

}  // namespace

LabScreen::LabScreen(QWidget* parent) : PlotSurface(parent) {
  setObjectName(QStringLiteral("labScreen"));
  setAccessibleName(QStringLiteral("Экран осциллографа"));
  setFocusPolicy(Qt::StrongFocus);  // the measuring keys
  setMinimumSize(300, 240);
  Scale(-kColumns / 2.0, kRows / 2.0, kColumns / 2.0, -kRows / 2.0);
}

LabScreen::~LabScreen() = default;

void LabScreen::ensureImages() {
  const qreal dpr = devicePixelRatioF();
  const QSize device = (QSizeF(size()) * dpr).toSize().expandedTo(QSize(1, 1));
  if (glow_.size() == device && grid_.size() == device) return;
  glow_painter_.reset();
  glow_ = QImage(device, QImage::Format_RGB32);
  glow_.setDevicePixelRatio(dpr);
  glow_.fill(kScreen);
  raster_.attach(&glow_);

  grid_ = QImage(device, QImage::Format_ARGB32_Premultiplied);
  grid_.setDevicePixelRatio(dpr);
  grid_.fill(Qt::transparent);
  QPainter painter(&grid_);
  PlotPainter draw(mapping(), size(), [&painter]() -> QPainter& { return painter; });
  const double hx = kColumns / 2.0, hy = kRows / 2.0;
  for (int i = 0; i <= kColumns; ++i) draw.line({i - hx, -hy}, {i - hx, hy}, kGrid, 1);
  for (int j = 0; j <= kRows; ++j) draw.line({-hx, j - hy}, {hx, j - hy}, kGrid, 1);
  // Ticks along the axes, to read a tenth of a division between them.
  for (double x = -hx; x <= hx + 1e-9; x += kTick) draw.line({x, -0.08}, {x, 0.08}, kGrid, 1);
  for (double y = -hy; y <= hy + 1e-9; y += kTick) draw.line({-0.1, y}, {0.1, y}, kGrid, 1);
}

void LabScreen::fade(double brightness) {
  if (brightness >= 1) return;
  if (brightness != fade_for_) {
    for (int v = 0; v < 256; ++v) {
      fade_table_[static_cast<std::size_t>(v)] = static_cast<quint8>(std::floor(v * brightness));
    }
    fade_for_ = brightness;
  }
  glow_painter_.reset();
  const qsizetype count = glow_.sizeInBytes() / 4;
  auto* pixel = reinterpret_cast<QRgb*>(glow_.bits());
  const auto& t = fade_table_;
  for (qsizetype i = 0; i < count; ++i) {
    const QRgb p = pixel[i];
    pixel[i] = 0xff000000u | (QRgb{t[(p >> 16) & 0xff]} << 16) | (QRgb{t[(p >> 8) & 0xff]} << 8) |
               QRgb{t[p & 0xff]};
  }
}

void LabScreen::frame(const std::vector<TracePoint>& stretch, double brightness) {
  ensureImages();
  fade(brightness);
  if (stretch.size() >= 2) {
    raster_.restart();
    PlotPainter draw(
        mapping(), size(),
        [this]() -> QPainter& {
          if (!glow_painter_) glow_painter_ = std::make_unique<QPainter>(&glow_);
          return *glow_painter_;
        },
        &glow_);
    const qreal dpr = glow_.devicePixelRatio();
    draw.setTraceRaster(&raster_, QTransform::fromScale(dpr, dpr), glow_.rect());
    draw.polyline(stretch, kBeam, kBeamWidth);
  }
  update();
}

void LabScreen::clearGlow() {
  ensureImages();
  glow_painter_.reset();
  glow_.fill(kScreen);
  update();
}

QImage LabScreen::snapshot(QSize size) const {
  QImage image(size, QImage::Format_RGB32);
  image.fill(kScreen);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), glow_);
  painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), grid_);
  return image;
}

void LabScreen::paintEvent(QPaintEvent* event) {
  ensureImages();
  glow_painter_.reset();
  QPainter painter(this);
  const QRectF r = event->rect();
  const qreal dpr = glow_.devicePixelRatio();
  const QRectF source(r.topLeft() * dpr, r.size() * dpr);
  painter.drawImage(r, glow_, source);
  painter.drawImage(r, grid_, source);
}

void LabScreen::resizeEvent(QResizeEvent* event) {
  PlotSurface::resizeEvent(event);
  ensureImages();
}

}  // namespace orvinda
