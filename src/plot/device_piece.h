#pragma once
// A piece of the oscillating device, a child of the plot surface whose
// Left, Top, Width and Height are read and set in the surface's metres
// (Top is the upper edge, sizes grow to the right and downwards). Its size
// is held in pixels, so a ball keeps its 24 px when the scale changes.

#include <QRectF>
#include <QString>
#include <QWidget>

class QPainter;
class QSvgRenderer;

namespace orvinda {

class PlotSurface;

class DevicePiece : public QWidget {
  Q_OBJECT

 public:
  enum class Look { Ball, Block, Picture };

  // picture: a resource path of an SVG stretched to the piece (Look::Picture).
  DevicePiece(PlotSurface* surface, Look look, QSizeF design_size_px,
              const QString& picture = QString());
  ~DevicePiece() override;

  double Left() const;
  double Top() const;
  double Width() const;
  double Height() const;
  void setLeft(double x);
  void setTop(double y);
  void setWidth(double w);
  void setHeight(double h);

  // The widget's whole-pixel geometry in the surface's drawing pixels.
  QRectF shownRect() const;
  // Places the widget again after the surface's view scale changed.
  void refit();

  // The exact rectangle inside the surface in its drawing pixels (fractional).
  QRectF pixelRect() const { return rect_; }
  // Draws the piece's look into a rectangle of any painter (pictures of the
  // plot use it for the device as it stands).
  void render(QPainter& painter, const QRectF& target) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void applyGeometry();
  const PlotSurface* surface_;
  Look look_;
  QRectF rect_;
  QSvgRenderer* renderer_ = nullptr;
};

}  // namespace orvinda
