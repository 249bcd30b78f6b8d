#pragma once
// A picture of the plot for files and paper: the plot as the screen shows it
// (scene, trace, and the device where it stands) and, below it, two columns
// of text under their headings. Drawn from the drawing list, so vector files
// stay vectors and any size stays sharp.

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace orvinda {

class Device;
class PlotSurface;

struct SheetText {
  QString left_heading;
  QStringList left;
  QString right_heading;
  QStringList right;
};

class PictureSheet {
 public:
  // device may be null (no device drawn). Texts use font, sized as on the
  // surface's screen.
  PictureSheet(const PlotSurface& surface, const Device* device, SheetText text, QFont font);

  // The sheet's height for a width, in the same units.
  double heightFor(double width) const;
  // Draws the sheet into target, scaled to its width, on white.
  void paint(QPainter& painter, const QRectF& target) const;

 private:
  double textBlockHeight() const;  // in the surface's pixels
  const PlotSurface& surface_;
  const Device* device_;
  SheetText text_;
  QFont font_;
  double side_;  // the plot's width in the surface's pixels
};

}  // namespace orvinda
