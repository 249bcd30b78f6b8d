#include "plot/drawing_list.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <bit>

#include "plot/plot_painter.h"
#include "plot/stroke_raster.h"

namespace orvinda {

namespace {

constexpr qsizetype kMaxRemembered = 16384;  // a static scene has far fewer

quint64 fingerprint(const DrawOp& op, const std::array<double, 4>& scale, const QString& text) {
  // A word at a time: the static scene adds a few hundred of these per redraw.
  quint64 hash = 1469598103934665603ULL;
  auto add = [&hash](quint64 word) {
    hash = (hash ^ word) * 1099511628211ULL;
    hash ^= hash >> 29;
  };
  add(static_cast<quint64>(op.kind));
  for (double v : {op.a, op.b, op.c, op.d, scale[0], scale[1], scale[2], scale[3]}) {
    add(std::bit_cast<quint64>(v));
  }
  add((static_cast<quint64>(op.color) << 32) | static_cast<quint32>(op.width));
  add(qHash(text));
  return hash;
}

}  // namespace

void DrawingList::clear(QSizeF size_px, const QFont& font, double logical_dpi) {
  scale_.reset();
  ops_.clear();
  texts_.clear();
  seen_.clear();
  traces_.clear();
  size_ = size_px;
  font_ = font;
  dpi_ = logical_dpi > 0 ? logical_dpi : 96;
}

std::array<double, 4> DrawingList::scale() const {
  return scale_.value_or(std::array<double, 4>{0, 0, 1, 1});
}

bool DrawingList::inScale(const TraceStore& t) const {
  const std::array<double, 4> s = scale();
  return t.left() == s[0] && t.top() == s[1] && t.right() == s[2] && t.bottom() == s[3];
}

bool DrawingList::add(const DrawOp& op, const QString& text) {
  if (op.kind == DrawOp::Kind::Scale) {
    const std::array<double, 4> corners{op.a, op.b, op.c, op.d};
    if (scale_ == corners) return false;
    scale_ = corners;
    ops_.push_back(op);
    return true;
  }
  const quint64 key = fingerprint(op, scale(), text);
  if (auto it = seen_.constFind(key); it != seen_.constEnd()) {
    const DrawOp& earlier = ops_[static_cast<std::size_t>(*it)];
    const bool same_text = op.text < 0 || texts_.at(earlier.text) == text;
    DrawOp candidate = op;
    candidate.text = earlier.text;
    if (candidate == earlier && same_text) return false;
  }
  DrawOp stored = op;
  if (op.kind == DrawOp::Kind::Text) {
    stored.text = static_cast<int>(texts_.size());
    texts_ << text;
  }
  if (seen_.size() < kMaxRemembered) seen_.insert(key, static_cast<int>(ops_.size()));
  ops_.push_back(stored);
  return true;
}

bool DrawingList::addTrace(TracePoint a, TracePoint b, QColor color, int width) {
  const bool goes_on = !traces_.empty() && traces_.back().after_ops == ops_.size() &&
                       traces_.back().color == color.rgba() && traces_.back().width == width &&
                       inScale(traces_.back().store);
  if (!goes_on) {
    // Something else was drawn in between: a new piece, drawn after it, that
    // still drops what the trace drew before.
    const std::array<double, 4> s = scale();
    Trace next{TraceStore(s[0], s[1], s[2], s[3]), color.rgba(), width, ops_.size()};
    for (auto it = traces_.rbegin(); it != traces_.rend(); ++it) {
      if (it->color == next.color && it->width == width && inScale(it->store)) {
        next.store.continueFrom(it->store);
        break;
      }
    }
    traces_.push_back(std::move(next));
  }
  return traces_.back().store.add(a, b);
}

std::vector<DrawingList::Trace> DrawingList::takeTraces() {
  std::vector<Trace> out;
  out.swap(traces_);
  return out;
}

bool DrawingList::adoptTrace(Trace&& trace) {
  if (!inScale(trace.store)) return false;
  trace.after_ops = ops_.size();
  traces_.push_back(std::move(trace));
  return true;
}

std::size_t DrawingList::memoryBytes() const {
  std::size_t bytes = sizeof(*this) + ops_.capacity() * sizeof(DrawOp) +
                      static_cast<std::size_t>(seen_.capacity()) * (sizeof(quint64) + sizeof(int));
  for (const QString& text : texts_) bytes += sizeof(QString) + text.capacity() * sizeof(QChar);
  for (const Trace& trace : traces_) bytes += trace.store.memoryBytes();
  return bytes;
}

void DrawingList::replay(QPainter& painter, const QRectF& target) const {
  replayWith(&painter, nullptr, target);
}

void DrawingList::replayOnto(QImage& image) const {
  QPainter painter(&image);
  replayWith(&painter, &image, QRectF(QPointF(0, 0), size_));
}

void DrawingList::replayWith(QPainter* painter, QImage* image, const QRectF& target) const {
  if (size_.isEmpty()) return;
  painter->save();
  painter->translate(target.topLeft());
  painter->scale(target.width() / size_.width(), target.height() / size_.height());
  painter->setClipRect(QRectF(QPointF(0, 0), size_), Qt::IntersectClip);

  // Texts keep the size they had on the surface, in its pixels, whatever
  // the resolution of the device drawn on.
  QFont font = font_;
  const double device_dpi = painter->device() ? painter->device()->logicalDpiY() : dpi_;
  if (font.pointSizeF() > 0 && device_dpi > 0)
    font.setPointSizeF(font.pointSizeF() * dpi_ / device_dpi);
  const QFontMetricsF metrics(font_);

  ScaleMapping mapping;
  auto painter_of = [painter]() -> QPainter& { return *painter; };
  // The trace straight into the pixels when the painter draws on an image.
  QImage* raster_image = StrokeRaster::imageOf(*painter);
  StrokeRaster raster(raster_image);
  const QTransform to_device = painter->deviceTransform();
  QRect raster_clip = raster_image ? raster_image->rect() : QRect();
  if (raster_image && painter->hasClipping()) {
    raster_clip &= to_device.mapRect(painter->clipBoundingRect()).toAlignedRect();
  }
  std::size_t next_trace = 0;
  auto draw_traces_up_to = [&](std::size_t ops_drawn) {
    for (; next_trace < traces_.size() && traces_[next_trace].after_ops <= ops_drawn;
         ++next_trace) {
      const Trace& trace = traces_[next_trace];
      const ScaleMapping trace_mapping(trace.store.left(), trace.store.top(), trace.store.right(),
                                       trace.store.bottom(), size_.width(), size_.height());
      PlotPainter draw(trace_mapping, size_, painter_of, image);
      if (raster_image) draw.setTraceRaster(&raster, to_device, raster_clip);
      draw.polylines(trace.store.polylines(), QColor::fromRgba(trace.color), trace.width);
    }
  };
  for (std::size_t i = 0; i < ops_.size(); ++i) {
    draw_traces_up_to(i);
    const DrawOp& op = ops_[i];
    if (op.kind == DrawOp::Kind::Scale) {
      mapping = ScaleMapping(op.a, op.b, op.c, op.d, size_.width(), size_.height());
      continue;
    }
    raster.restart();  // a trace drawn later blends over this
    PlotPainter draw(mapping, size_, painter_of, image);
    const QColor color = QColor::fromRgba(op.color);
    switch (op.kind) {
      case DrawOp::Kind::Line: draw.line({op.a, op.b}, {op.c, op.d}, color, op.width); break;
      case DrawOp::Kind::Dot: draw.dot({op.a, op.b}, color, op.width); break;
      case DrawOp::Kind::Text:
        draw.text({op.a, op.b}, texts_.at(op.text), font, metrics, color);
        break;
      case DrawOp::Kind::Scale: break;
    }
  }
  draw_traces_up_to(ops_.size());
  painter->restore();
}

}  // namespace orvinda
