#include "plot/stroke_raster.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

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

inline void blend(QRgb* pixel, std::uint8_t* covered, int coverage, QRgb color) {
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
  // Per channel (s·a + t·(255 − a) + 128) / 255, rounded, two channels at
  // a time in 16-bit lanes: no lane exceeds 65407, so none spills over.
  const quint32 s = color | 0xFF000000u, t = *pixel;
  const quint32 ua = static_cast<quint32>(a), ub = 255u - ua;
  auto mix2 = [ua, ub](quint32 s2, quint32 t2) {
    const quint32 v = s2 * ua + t2 * ub + 0x00800080u;
    return ((v + ((v >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  };
  *pixel = mix2(s & 0x00FF00FFu, t & 0x00FF00FFu) |
           (mix2((s >> 8) & 0x00FF00FFu, (t >> 8) & 0x00FF00FFu) << 8);
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

void StrokeRaster::prepare(QRgb color) {
  if (mask_size_ != image_->size() || mask_color_ != color) {
    covered_.assign(static_cast<std::size_t>(image_->width()) * image_->height(), 0);
    mask_size_ = image_->size();
    mask_color_ = color;
  }
  bits_ = image_->bits();  // detached now, not by several threads at once
}

void StrokeRaster::segments(const std::vector<Segment>& all, double width, QRgb color,
                            const QRect& clip) {
  if (!image_ || !suits(*image_) || all.empty()) return;
  prepare(color);
  const QRect area = clip & image_->rect();
  if (area.isEmpty()) return;
  constexpr std::size_t kWorthBands = 512;
  if (all.size() < kWorthBands) {
    for (const Segment& s : all) stroke(s.a, s.b, width, color, area);
    return;
  }
  // A long stroke crosses the picture many times, and its rows lie far apart
  // in memory. Drawn a band of rows at a time, every band small enough to
  // stay in the cache, each pixel is fetched about once.
  constexpr int kBandRows = 32;
  const int bands = (area.height() + kBandRows - 1) / kBandRows;
  std::vector<std::vector<std::uint32_t>> in_band(static_cast<std::size_t>(bands));
  const double reach = width / 2 + 0.5;
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Segment& s = all[i];
    const double lo = std::min(s.a.y(), s.b.y()) - reach, hi = std::max(s.a.y(), s.b.y()) + reach;
    if (!(hi >= area.top() && lo <= area.bottom() + 1)) continue;  // also drops NaN
    const int first =
        std::max(0, static_cast<int>((std::max(lo, double(area.top())) - area.top()) / kBandRows));
    const int last = std::min(
        bands - 1,
        static_cast<int>((std::min(hi, double(area.bottom() + 1)) - area.top()) / kBandRows));
    for (int b = first; b <= last; ++b)
      in_band[static_cast<std::size_t>(b)].push_back(static_cast<std::uint32_t>(i));
  }
  std::atomic<int> next{0};
  auto work = [&] {
    for (int b = next++; b < bands; b = next++) {
      const int top = area.top() + b * kBandRows;
      const QRect rows(area.left(), top, area.width(),
                       std::min(kBandRows, area.bottom() + 1 - top));
      for (std::uint32_t i : in_band[static_cast<std::size_t>(b)])
        stroke(all[i].a, all[i].b, width, color, rows);
    }
  };
  const unsigned cores = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
  std::vector<std::thread> helpers;
  for (unsigned i = 1; i < cores; ++i) helpers.emplace_back(work);
  work();
  for (std::thread& t : helpers) t.join();
}

void StrokeRaster::segment(QPointF a, QPointF b, double width, QRgb color, const QRect& clip) {
  if (!image_ || !suits(*image_)) return;
  prepare(color);
  stroke(a, b, width, color, clip);
}

void StrokeRaster::stroke(QPointF a, QPointF b, double width, QRgb color, const QRect& clip) {
  if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
      !std::isfinite(b.y())) {
    return;
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
  // Per row, the stretch of pixel centres within a distance of the segment.
  // The capsule is convex, so it is one interval: the band along the
  // segment (its sides and ends are straight lines, linear in the row) joined
  // with the end discs, which only rows near the ends meet.
  struct Edges {
    double within;
    double band_lo, band_hi;  // x = band_slope * yc + band_lo (or band_hi)
  };
  const double inverse_uy = uy != 0 ? 1 / uy : 0, inverse_ux = ux != 0 ? 1 / ux : 0;
  const double band_slope = ux * inverse_uy;
  auto edges_for = [&](double within) {
    Edges e{within, 0, 0};
    e.band_lo = (-band_at_a - within) * inverse_uy;
    e.band_hi = (-band_at_a + within) * inverse_uy;
    if (e.band_lo > e.band_hi) std::swap(e.band_lo, e.band_hi);
    return e;
  };
  const double ends_slope = -uy * inverse_ux;
  double ends_lo = along_at_a * inverse_ux, ends_hi = (along_at_a + length) * inverse_ux;
  if (ends_lo > ends_hi) std::swap(ends_lo, ends_hi);
  auto span = [&](const Edges& e, double yc, double& left, double& right) {
    left = 1e300;
    right = -1e300;
    if (length > 0) {
      double lo = -1e300, hi = 1e300;
      bool inside_band = true;
      if (uy != 0) {
        lo = band_slope * yc + e.band_lo;
        hi = band_slope * yc + e.band_hi;
      } else {
        inside_band = std::fabs(ux * yc - band_at_a) <= e.within;
      }
      if (ux != 0) {
        lo = std::max(lo, ends_slope * yc + ends_lo);
        hi = std::min(hi, ends_slope * yc + ends_hi);
      } else {
        const double along = uy * yc - along_at_a;
        inside_band = inside_band && along >= 0 && along <= length;
      }
      if (inside_band && lo <= hi) {
        left = lo;
        right = hi;
      }
    }
    const double w2 = e.within * e.within;
    for (const QPointF& c : {a, b}) {
      const double h = w2 - (yc - c.y()) * (yc - c.y());
      if (h >= 0) {
        const double root = std::sqrt(h);
        left = std::min(left, c.x() - root);
        right = std::max(right, c.x() + root);
      }
    }
  };
  const Edges outer = edges_for(reach);
  const double inside = r - 0.5;  // pixels this near are wholly covered
  const Edges inner = edges_for(std::max(inside, 0.0));
  uchar* const bits = bits_;
  const qsizetype stride = image_->bytesPerLine();
  const QRgb opaque = color | 0xFF000000u;
  for (int y = top; y <= bottom; ++y) {
    const double yc = y + 0.5;
    double left, right;
    span(outer, yc, left, right);
    if (left > right) continue;
    // Only pixels whose centres lie within reach: the others get nothing.
    const int from = std::max(area.left(), ceil_int(left - 0.5));
    const int to = std::min(area.right(), floor_int(right - 0.5));
    if (from > to) continue;
    auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
    std::uint8_t* covered = covered_.data() + static_cast<std::size_t>(y) * mask_size_.width();
    // The middle of the row in one fill; the edges pixel by pixel.
    int fill_from = to + 1, fill_to = to;
    if (inside > 0) {
      double in_left, in_right;
      span(inner, yc, in_left, in_right);
      if (in_left <= in_right) {
        fill_from = std::max(from, ceil_int(in_left - 0.5));
        fill_to = std::min(to, floor_int(in_right - 0.5));
      }
    }
    auto edge = [&](int x) {
      const double c = reach - distance(x + 0.5, yc);
      if (c > 0) {
        blend(row + x, covered + x, c >= 1 ? 255 : static_cast<int>(c * 255 + 0.5), color);
      }
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
