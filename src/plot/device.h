#pragma once
// The oscillating device: the ball on a vertical spring hanging from a block,
// which runs along the rail on a horizontal spring, and the bar through the
// ball. Its five pieces are children of the plot surface, placed in metres.

#include <QRectF>

#include "model/device_layout.h"

class QPainter;

namespace orvinda {

class DevicePiece;
class PlotSurface;

class Device {
 public:
  // Creates the pieces on the surface, stacked bar, springs, block, ball.
  explicit Device(PlotSurface* surface);

  DevicePiece* ball() const { return ball_; }        // Shape1
  DevicePiece* block() const { return block_; }      // Shape2
  DevicePiece* hspring() const { return hspring_; }  // Image1
  DevicePiece* vspring() const { return vspring_; }  // Image2
  DevicePiece* bar() const { return bar_; }          // Image3

  // The pieces' sizes in metres, read from them at this moment.
  DeviceSizes sizes() const;
  // Everything at the initial point (x0, y0) of the range.
  void place(double x0, double y0, double xmin, double ymax, double ymin);
  // What a run step moves, for the point (x, y).
  void move(double x, double y, double xmin, double ymax);

  // Places the pieces' widgets again after the surface's view scale changed.
  void refit();

  // Draws the pieces as they stand, in the surface's drawing pixels, onto a painter
  // that maps those pixels where the picture goes (back to front).
  void paint(QPainter& painter) const;

 private:
  DevicePiece* ball_;
  DevicePiece* block_;
  DevicePiece* hspring_;
  DevicePiece* vspring_;
  DevicePiece* bar_;
};

}  // namespace orvinda
