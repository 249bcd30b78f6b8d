#pragma once
// Everything the plot surface drew since it was last cleared, in metres:
// the scale, lines, dots and texts of the static scene, and the run's trace.
// It can be drawn again onto any painter at any size, so files, printed pages
// and a changed screen show the very picture that was drawn.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "plot/trace_store.h"

namespace orvinda {

struct DrawOp {
  enum class Kind : quint8 { Scale, Line, Dot, Text };
  Kind kind = Kind::Line;
  double a = 0, b = 0, c = 0, d = 0;  // Scale: corners; Line: ends; Dot, Text: the point
  QRgb color = 0;
  int width = 1;  // pixels
  int text = -1;  // index into texts()
  bool operator==(const DrawOp&) const = default;
};

class DrawingList {
 public:
  // The surface the list is drawn on: its size in pixels, its font and that
  // font's resolution; pen widths and texts are in those pixels.
  void clear(QSizeF size_px, const QFont& font, double logical_dpi);

  // Records an operation of the scene. False when the very same operation
  // (same scale, place, colour, width and text) is already in the list:
  // drawn again, it would only thicken antialiased edges.
  bool add(const DrawOp& op, const QString& text = QString());

  // The run's trace, from the point a to b, in the current scale. False when
  // the segment repeats what the trace already holds (see TraceStore).
  bool addTrace(TracePoint a, TracePoint b, QColor color, int width);

  const std::vector<DrawOp>& ops() const { return ops_; }
  const QStringList& texts() const { return texts_; }
  struct Trace {
    TraceStore store;
    QRgb color;
    int width;
    std::size_t after_ops = 0;  // drawn after this many operations
  };
  const std::vector<Trace>& traces() const { return traces_; }
  QSizeF size() const { return size_; }
  const QFont& font() const { return font_; }
  bool empty() const { return ops_.empty() && traces_.empty(); }
  std::size_t memoryBytes() const;

  // Takes the trace out, to be drawn again after the scene is redrawn.
  std::vector<Trace> takeTraces();
  // Puts a taken trace back as it is, when it was kept in the scale now set.
  bool adoptTrace(Trace&& trace);

  // Draws the list into target (in the painter's coordinates), scaled
  // uniformly from the recorded size: pen widths and texts grow with it.
  // Everything is drawn in the order it was recorded.
  void replay(QPainter& painter, const QRectF& target) const;
  // The same onto an image of the recorded logical size at its own pixel
  // ratio, with 1-pixel lines written as the surface writes them.
  void replayOnto(QImage& image) const;

 private:
  void replayWith(QPainter* painter, QImage* image, const QRectF& target) const;
  // The scale set last (the unit square before any), and whether a trace
  // was kept in it.
  std::array<double, 4> scale() const;
  bool inScale(const TraceStore& t) const;
  std::optional<std::array<double, 4>> scale_;
  std::vector<DrawOp> ops_;
  QStringList texts_;
  QHash<quint64, int> seen_;  // fingerprint of an operation -> its index
  std::vector<Trace> traces_;
  QSizeF size_;
  QFont font_;
  double dpi_ = 96;
};

}  // namespace orvinda
