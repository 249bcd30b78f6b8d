#include "plot/stroke_raster.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace orvinda {

namespace {
// Without SSE4.1 std::floor and std::ceil are library calls; these are not.
// Both are only asked for values well inside the range of an int.
int floor_int(double v) {
  const int i = static_cast<int>(v);
  return i - (v < i ? 1 : 0);
}
int ceil_int(double v) {
  const int i = static_cast<int>(v);
  return i + (v > i ? 1 : 0);
}
}  // namespace

bool StrokeRaster::suits(const QImage& image) {
  return image.format() == QImage::Format_RGB32 ||
         image.format() == QImage::Format_ARGB32_Premultiplied;
}

QImage* StrokeRaster::imageOf(QPainter& painter) {
  QPaintDevice* device = painter.device();
  if (!device || device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(device);
  const QTransform t = painter.deviceTransform();
  if (!suits(*image) || t.type() > QTransform::TxScale) return nullptr;
  return image;
}

StrokeRaster::StrokeRaster(QImage* image) : image_(image) {}

void StrokeRaster::attach(QImage* image) {
  image_ = image;
  restart();
}

void StrokeRaster::restart() {
  covered_.clear();
  mask_size_ = QSize();
}

void StrokeRaster::blend(QRgb* pixel, std::uint8_t* covered, int coverage, QRgb color) {
  const int before = *covered;
  if (coverage <= before) return;
  *covered = static_cast<std::uint8_t>(coverage);
  if (coverage == 255) {  // inside the stroke: most pixels
    *pixel = color | 0xFF000000u;
    return;
  }
  // The pixel holds the background blended with the stroke at `before`;
  // blending by a brings it to the background blended at `coverage`.
  const int a = before == 0 ? coverage : 255 - (255 - coverage) * 255 / (255 - before);
  const QRgb d = *pixel;
  auto mix = [a](int s, int t) {
    const int v = s * a + t * (255 - a) + 128;
    return (v + (v >> 8)) >> 8;  // v / 255, rounded
  };
  *pixel = qRgba(mix(qRed(color), qRed(d)), mix(qGreen(color), qGreen(d)),
                 mix(qBlue(color), qBlue(d)), mix(255, qAlpha(d)));
}

void StrokeRaster::segment(QPointF a, QPointF b, double width, QRgb color, const QRect& clip) {
  if (!image_ || !suits(*image_)) return;
  if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
      !std::isfinite(b.y())) {
    return;
  }
  if (mask_size_ != image_->size() || mask_color_ != color) {
    covered_.assign(static_cast<std::size_t>(image_->width()) * image_->height(), 0);
    mask_size_ = image_->size();
    mask_color_ = color;
  }
  const double r = width / 2;
  const double reach = r + 0.5;  // beyond it a pixel is not touched
  const QRect area = clip & image_->rect();
  const int top =
      std::max(area.top(), static_cast<int>(std::floor(std::min(a.y(), b.y()) - reach)));
  const int bottom =
      std::min(area.bottom(), static_cast<int>(std::ceil(std::max(a.y(), b.y()) + reach)));
  if (top > bottom) return;

  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double length2 = dx * dx + dy * dy;
  const double length = std::sqrt(length2);
  const double ux = length > 0 ? dx / length : 0, uy = length > 0 ? dy / length : 0;
  const double band_at_a = -uy * a.x() + ux * a.y();  // the normal's offset of the line
  const double along_at_a = ux * a.x() + uy * a.y();
  auto distance = [&](double px, double py) {
    const double along = (px - a.x()) * dx + (py - a.y()) * dy;
    if (along > 0 && along < length2) return std::fabs(-uy * px + ux * py - band_at_a);
    const QPointF& end = along <= 0 ? a : b;
    const double ex = px - end.x(), ey = py - end.y();
    return std::sqrt(ex * ex + ey * ey);
  };
  // Per row, the stretch of pixel centres within `within` of the segment:
  // the capsule is convex, so the union of the end discs and the band
  // between them is one interval.
  const double inverse_uy = uy != 0 ? 1 / uy : 0, inverse_ux = ux != 0 ? 1 / ux : 0;
  auto row_span = [&](double yc, double within, double& left, double& right) {
    left = 1e300;
    right = -1e300;
    const double w2 = within * within;
    for (const QPointF& c : {a, b}) {
      const double h = w2 - (yc - c.y()) * (yc - c.y());
      if (h >= 0) {
        const double root = std::sqrt(h);
        left = std::min(left, c.x() - root);
        right = std::max(right, c.x() + root);
      }
    }
    if (length == 0) return;
    double lo = -1e300, hi = 1e300;
    // -within <= -uy x + ux yc - band_at_a <= within
    if (uy != 0) {
      const double base = ux * yc - band_at_a;
      double x1 = (base - within) * inverse_uy, x2 = (base + within) * inverse_uy;
      if (x1 > x2) std::swap(x1, x2);
      lo = std::max(lo, x1);
      hi = std::min(hi, x2);
    } else if (std::fabs(ux * yc - band_at_a) > within) {
      return;
    }
    // 0 <= ux x + uy yc - along_at_a <= length
    if (ux != 0) {
      const double base = along_at_a - uy * yc;
      double x1 = base * inverse_ux, x2 = (base + length) * inverse_ux;
      if (x1 > x2) std::swap(x1, x2);
      lo = std::max(lo, x1);
      hi = std::min(hi, x2);
    } else {
      const double along = uy * yc - along_at_a;
      if (along < 0 || along > length) return;
    }
    if (lo <= hi) {
      left = std::min(left, lo);
      right = std::max(right, hi);
    }
  };
  const double inside = r - 0.5;       // pixels this near are wholly covered
  uchar* const bits = image_->bits();  // one detach check for the whole segment
  const qsizetype stride = image_->bytesPerLine();
  const QRgb opaque = color | 0xFF000000u;
  for (int y = top; y <= bottom; ++y) {
    const double yc = y + 0.5;
    double left, right;
    row_span(yc, reach, left, right);
    if (left > right) continue;
    const int from = std::max(area.left(), floor_int(left - 0.5));
    const int to = std::min(area.right(), ceil_int(right - 0.5));
    if (from > to) continue;
    auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
    std::uint8_t* covered = covered_.data() + static_cast<std::size_t>(y) * mask_size_.width();
    // The middle of the row in one fill; the edges pixel by pixel.
    int fill_from = to + 1, fill_to = to;
    if (inside > 0) {
      double in_left, in_right;
      row_span(yc, inside, in_left, in_right);
      if (in_left <= in_right) {
        fill_from = std::max(from, ceil_int(in_left - 0.5));
        fill_to = std::min(to, floor_int(in_right - 0.5));
      }
    }
    auto edge = [&](int x) {
      const double c = reach - distance(x + 0.5, yc);
      if (c > 0) blend(row + x, covered + x, c >= 1 ? 255 : static_cast<int>(c * 255 + 0.5), color);
    };
    if (fill_from > fill_to) {
      for (int x = from; x <= to; ++x) edge(x);
      continue;
    }
    for (int x = from; x < fill_from; ++x) edge(x);
    std::fill(row + fill_from, row + fill_to + 1, opaque);
    std::fill(covered + fill_from, covered + fill_to + 1, std::uint8_t{255});
    for (int x = fill_to + 1; x <= to; ++x) edge(x);
  }
}

}  // namespace orvinda
