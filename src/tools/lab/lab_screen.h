#pragma once
// The oscilloscope's screen: 10 × 8 divisions, a beam that glows and fades.
// The afterglow is an image that fades a little each frame, onto which only
// the new stretch of beam is drawn, so a frame costs the same however long
// the persistence. The grid lies on top and never fades. The scale is in
// divisions, so the measuring layer over it reads divisions.

#include <QImage>
#include <QPainter>
#include <array>
#include <memory>
#include <vector>

#include "model/trace.h"
#include "plot/plot_surface.h"
#include "plot/stroke_raster.h"

namespace orvinda {

class LabScreen : public PlotSurface {
  Q_OBJECT

 public:
  static constexpr int kColumns = 10;
  static constexpr int kRows = 8;

  explicit LabScreen(QWidget* parent = nullptr);
  ~LabScreen() override;

  // Fades what glows by `brightness` (1: not at all) and draws the new
  // stretch, in divisions, at full brightness.
  void frame(const std::vector<TracePoint>& stretch, double brightness);
  void clearGlow();

  // The screen as it looks, grid included, at the given size.
  QImage snapshot(QSize size) const;
  const QImage& glow() const { return glow_; }

  QSize sizeHint() const override { return {500, 400}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ensureImages();
  void fade(double brightness);

  QImage glow_;
  QImage grid_;
  StrokeRaster raster_{&glow_};
  std::unique_ptr<QPainter> glow_painter_;
  std::array<quint8, 256> fade_table_{};
  double fade_for_ = -1;  // the brightness fade_table_ was made for
};

}  // namespace orvinda
