#pragma once
// The plot area: a white drawing surface with a user scale in metres, a
// current point and a pen width, whose picture persists until Cls. Every
// operation is recorded in a drawing list and drawn at once on a picture
// kept at the screen's device pixel ratio, repainting only the rectangle it
// touched. The list draws the picture again for files, printing and a
// changed screen.

#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "plot/drawing_list.h"
#include "plot/scale_mapping.h"
#include "plot/stroke_raster.h"

namespace orvinda {

class PlotPainter;

// A colour written &HBBGGRR, blue in the high byte.
QColor bgr_color(unsigned value);

class PlotSurface : public QWidget {
  Q_OBJECT

 public:
  explicit PlotSurface(QWidget* parent = nullptr);
  ~PlotSurface() override;

  // The projector view: the surface draws as one of its size divided by the
  // factor, on a picture of that many more device pixels, so texts, lines,
  // the trace and the device all grow by it. 1 draws exactly as without it.
  // The owner redraws after a change. Pixels of the mapping and the drawing
  // list are these drawing pixels; widget pixels are the factor larger.
  void setViewScale(double factor);
  double viewScale() const { return view_scale_; }
  QSizeF drawingSize() const;

  // Upper-left corner (x1, y1), lower-right corner (x2, y2).
  void Scale(double x1, double y1, double x2, double y2);
  void Cls();
  void setDrawWidth(int pixels);
  int DrawWidth() const { return draw_width_; }

  void Line(double x1, double y1, double x2, double y2, QColor color);
  void LineTo(double x, double y, QColor color);  // from the current point: the run's trace
  void PSet(double x, double y);                  // foreground colour
  void PSet(double x, double y, QColor color);
  void setCurrentX(double x) { current_x_ = x; }
  void setCurrentY(double y) { current_y_ = y; }
  double CurrentX() const { return current_x_; }
  double CurrentY() const { return current_y_; }
  // Top-left corner of the text at the current point.
  void Print(const QString& text);
  // Width and height of a text in pixels, in the surface's font.
  QSizeF textSize(const QString& text) const;
  double textHeight() const { return metrics().height(); }

  // Many operations in a row share one painter (the static scene).
  class Batch {
   public:
    explicit Batch(PlotSurface& surface) : surface_(surface) { surface_.beginBatch(); }
    ~Batch() { surface_.endBatch(); }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    PlotSurface& surface_;
  };
  void beginBatch();
  void endBatch();

  const ScaleMapping& mapping() const { return mapping_; }
  // What was drawn since the last Cls.
  const DrawingList& drawing() const { return list_; }
  // Takes the run's trace out of the list (the picture keeps it until Cls)
  // and draws a taken trace again in the present scale and size.
  std::vector<DrawingList::Trace> takeTraces();
  void drawTraces(std::vector<DrawingList::Trace> traces);

  // The persistent picture, at device resolution.
  const QImage& picture() const { return picture_; }
  // The picture's colour at a point in metres (for checks).
  QColor colorAt(double x, double y) const;
  // How many drawing operations ran since the last Cls.
  int operationCount() const { return operations_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  const QFontMetricsF& metrics() const;
  QPainter& painter();
  PlotPainter painterFor(const ScaleMapping& mapping);
  void ensurePicture();
  qreal pictureRatio() const;
  void renderAgain();
  void updateMapping();
  void touched(const QRectF& rect);
  QColor foreground() const;

  QImage picture_;
  QSize picture_size_;                    // the widget size it was made for
  StrokeRaster trace_raster_{&picture_};  // the trace straight into picture_
  DrawingList list_;
  ScaleMapping mapping_;
  double scale_x1_ = 0, scale_y1_ = 0, scale_x2_ = 1, scale_y2_ = 1;
  double current_x_ = 0, current_y_ = 0;
  int draw_width_ = 1;
  double view_scale_ = 1;
  int operations_ = 0;
  mutable std::optional<QFontMetricsF> metrics_;
  std::unique_ptr<QPainter> batch_;
  std::unique_ptr<QPainter> single_;  // one operation's painter outside a batch
  QRect batch_dirty_;                 // a batch repaints once, in one rectangle, when it ends
};

}  // namespace orvinda
