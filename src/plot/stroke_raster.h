#pragma once
// Thick antialiased strokes with round ends straight into an image's pixels,
// for the run's trace: tens of thousands of short segments, where the
// painter's stroker is far too slow. The stroke is the union of its
// segments: where they overlap the coverage is the larger one, never a sum,
// so joints look as smooth as a single path's.

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <cstdint>
#include <vector>

class QPainter;

namespace orvinda {

class StrokeRaster {
 public:
  // For an image of 32 bits a pixel (RGB32 or premultiplied ARGB32).
  static bool suits(const QImage& image);
  // The painter's image, when it draws on one with no rotation or shear.
  static QImage* imageOf(QPainter& painter);

  explicit StrokeRaster(QImage* image = nullptr);

  // A segment from a to b in the image's device pixels, width in device
  // pixels, opaque colour; clip in device pixels.
  void segment(QPointF a, QPointF b, double width, QRgb color, const QRect& clip);

  struct Segment {
    QPointF a, b;
  };
  // Many segments of one stroke, as segment() each. Long strokes are drawn
  // by a few threads at once, each on its own band of rows: what a pixel
  // becomes does not depend on the order of the segments that reach it.
  void segments(const std::vector<Segment>& all, double width, QRgb color, const QRect& clip);

  // Forgets what the stroke covered: drawing after this blends over it.
  void restart();
  // Another image, or the same image resized.
  void attach(QImage* image);
  QImage* image() const { return image_; }

 private:
  // Makes the mask for the colour and the image writable: before any stroke.
  void prepare(QRgb color);
  // One segment, after prepare(); several threads may draw at once on
  // separate rows.
  void stroke(QPointF a, QPointF b, double width, QRgb color, const QRect& clip);
  QImage* image_ = nullptr;
  uchar* bits_ = nullptr;
  std::vector<std::uint8_t> covered_;  // per pixel, 0 ... 255
  QSize mask_size_;
  QRgb mask_color_ = 0;
};

}  // namespace orvinda
