#pragma once
// Draws the plot's operations, given in metres, onto one target: the
// screen's cached picture as they happen, or any painter when a recorded
// list is drawn again. One rasterisation for both, so a picture drawn again
// at the same size is the picture drawn live.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QTransform>
#include <functional>
#include <vector>

#include "plot/scale_mapping.h"
#include "plot/stroke_raster.h"
#include "plot/trace_store.h"

namespace orvinda {

class PlotPainter {
 public:
  // mapping: metres to the target's logical pixels; bounds: the target's
  // logical rectangle (0, 0, width, height). painter() makes the painter on
  // first need. image, when given, is the painter's own device at scale 1:
  // 1-pixel lines are then written straight into its pixels.
  PlotPainter(const ScaleMapping& mapping, QSizeF bounds, std::function<QPainter&()> painter,
              QImage* image = nullptr);

  // The run's trace goes straight into an image's pixels through raster,
  // whose transform takes the logical pixels to the image's device pixels
  // and clip limits it there (see StrokeRaster).
  void setTraceRaster(StrokeRaster* raster, const QTransform& to_device, const QRect& clip);

  // Each returns the logical rectangle it touched (empty when nothing).
  QRectF line(QPointF a_metres, QPointF b_metres, QColor color, int width);
  QRectF dot(QPointF at_metres, QColor color, int width);
  // A segment of the run's trace.
  QRectF trace(QPointF a_metres, QPointF b_metres, QColor color, int width);
  // A path of segments joined as they were drawn one after another.
  QRectF polyline(const std::vector<TracePoint>& metres, QColor color, int width);
  // Top-left corner of the text at the point.
  QRectF text(QPointF at_metres, const QString& text, const QFont& font,
              const QFontMetricsF& metrics, QColor color);

 private:
  QRectF segment(QPointF a, QPointF b, QColor color, int width);
  void fillCrisp(const QRectF& logical, QColor color);

  ScaleMapping mapping_;
  QSizeF bounds_;
  std::function<QPainter&()> painter_;
  QImage* image_;
  StrokeRaster* raster_ = nullptr;
  QTransform to_device_;
  QRect raster_clip_;
};

}  // namespace orvinda
