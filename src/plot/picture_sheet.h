#pragma once
// A picture of the plot for files and paper: the plot as the screen shows it
// (scene, trace, and the device where it stands) and, below it, two columns
// of text under their headings. Drawn from the drawing list, so vector files
// stay vectors and any size stays sharp.

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

#include "plot/drawing_list.h"

class QPainter;

namespace orvinda {

class Device;
class PlotSurface;

struct SheetText {
  QString title;  // a line above the plot; none when empty
  QString left_heading;
  QStringList left;
  QString right_heading;
  QStringList right;
};

class PictureSheet {
 public:
  // device may be null (no device drawn). Texts use font, sized as on the
  // surface's screen; without columns there is no text block below. overlay,
  // when given, is a list recorded on a surface of the same size and scale,
  // drawn over the plot (the start point and arrow).
  PictureSheet(const PlotSurface& surface, const Device* device, SheetText text, QFont font,
               DrawingList overlay = {});

  // The sheet's height for a width, in the same units.
  double heightFor(double width) const;
  // Draws the sheet into target, scaled to its width, on white.
  void paint(QPainter& painter, const QRectF& target) const;

 private:
  double textBlockHeight() const;  // in the surface's pixels
  double titleHeight() const;
  bool hasColumns() const;
  const PlotSurface& surface_;
  const Device* device_;
  DrawingList overlay_;
  SheetText text_;
  QFont font_;
  double side_;  // the plot's width in the surface's pixels
};

}  // namespace orvinda
