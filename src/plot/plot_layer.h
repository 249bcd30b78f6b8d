#pragma once
// A layer of plot operations drawn over a surface's picture and replaced as
// a whole: what moves with the run (markers, rotating vectors) is drawn
// afresh at every step while the picture underneath stays as it is. The
// operations are recorded in a drawing list and drawn by it, as every
// picture of the plot is.

#include <QColor>
#include <QRect>
#include <QRegion>
#include <vector>

#include "plot/drawing_list.h"
#include "plot/plot_surface.h"
#include "plot/scale_mapping.h"

class QPaintEvent;

namespace orvinda {

class PlotLayer {
 public:
  // Empty, for a surface of this size in pixels and this font.
  void clear(QSizeF size_px, const QFont& font, double logical_dpi);

  // The same user scale as PlotSurface::Scale, over the whole surface.
  void Scale(double x1, double y1, double x2, double y2);
  void setDrawWidth(int pixels);
  void Line(double x1, double y1, double x2, double y2, QColor color);
  // A dot as wide as the pen, in a colour.
  void PSet(double x, double y, QColor color);

  const ScaleMapping& mapping() const { return mapping_; }
  const DrawingList& drawing() const { return list_; }
  // The pixels the layer covers, one rectangle for each run of operations
  // in one scale.
  QRegion region() const;
  void paint(QPainter& painter) const;

 private:
  void touch(const QRectF& rect);

  DrawingList list_;
  ScaleMapping mapping_;
  QSizeF size_;
  int width_ = 1;
  std::vector<QRect> covered_;
};

// A plot surface that shows a layer over its picture. A new layer repaints
// only what the old and the new one cover.
class LayeredPlotSurface : public PlotSurface {
  Q_OBJECT

 public:
  using PlotSurface::PlotSurface;

  // Starts a new layer at the surface's size; the old one stays on screen
  // until showLayer().
  PlotLayer& newLayer();
  void showLayer();
  const PlotLayer& layer() const { return shown_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PlotLayer shown_, next_;
};

}  // namespace orvinda
