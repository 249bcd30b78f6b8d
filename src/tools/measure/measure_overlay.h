#pragma once
// Measuring on the plot: a see-through layer over the plot surface and its
// device that reads coordinates, measures segments and places counting lines
// on the run's trace. It only paints itself; the surface's picture is never
// touched, so hiding the layer leaves the plot exactly as it was.
//
// Mouse: the pointer's coordinates follow it; a drag measures a segment whose
// ends snap to what the lab work measures from; Shift + click places a
// horizontal counting line, Ctrl + click a vertical one.
// Keys, while the surface has the focus: arrows move the cursor point a pixel
// (Shift: ten), Enter starts and ends a segment, H and V place a horizontal
// and a vertical counting line at the cursor point, E runs the ellipse method
// (also in the layer's context menu), Esc clears everything.
//
// Everything is measured on the drawn figure as the motion gives it, which a
// source set by the window describes; the surface's trace is only a picture.

#include <QElapsedTimer>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "model/trace.h"
#include "tools/measure/model/crossings.h"
#include "tools/measure/model/drawn_figure.h"
#include "tools/measure/model/ellipse_method.h"
#include "tools/measure/model/snapping.h"

class QAction;
class QLabel;
class QMenu;
class QPainter;
class QTimer;

namespace orvinda {

class PlotSurface;
struct MeasureFormat;

class MeasureOverlay : public QWidget {
  Q_OBJECT

 public:
  explicit MeasureOverlay(PlotSurface* surface);
  ~MeasureOverlay() override;

  // On: shown over the surface, taking its mouse and its measuring keys.
  // Off: hidden, everything measured cleared, the surface as it was.
  void setActive(bool active);
  bool isActive() const { return active_; }

  struct Line {
    CountingLine line;
    CrossingCount count;
    QLabel* label = nullptr;
  };
  struct Segment {
    Snap from, to;
    QLabel* label = nullptr;
  };
  const std::vector<Line>& countingLines() const { return lines_; }
  // Finished segments, oldest first; the one being measured is pending.
  const std::vector<Segment>& segments() const { return segments_; }
  const std::optional<Segment>& pendingSegment() const { return pending_; }

  // The cursor point: the pixel under the pointer, or where the keys moved it.
  QPoint cursorPixel() const { return cursor_px_; }
  TracePoint cursorPoint() const;
  QLabel* cursorLabel() const { return cursor_label_; }

  // One pixel of the plot in metres: the tolerance of counting.
  double pixelMetres() const;
  // How far a segment's end reaches for a point to snap to.
  static constexpr int kSnapPixels = 4;

  void clearMeasurements();

  // Marks only: counting lines are drawn but count nothing, and the ellipse
  // method is gone, so that nothing measures for a student at the bench.
  void setMarksOnly(bool marks_only);
  bool marksOnly() const { return marks_only_; }
  // The unit of lengths and coordinates ("м", "дел").
  void setUnit(const QString& unit);

  // What the run has drawn, asked again whenever the trace changes.
  void setFigureSource(std::function<DrawnFigure()> source);
  const DrawnFigure& figure();

  // The ellipse method on the drawn figure: its reading, or why it does not
  // apply, until the measurements are cleared.
  void runEllipseMethod();
  const std::optional<EllipseReading>& ellipseReading() const { return ellipse_; }
  QLabel* ellipseLabel() const { return ellipse_label_; }
  QAction* ellipseAction() const { return ellipse_action_; }
  QMenu* contextMenu() const { return context_menu_; }

 public Q_SLOTS:
  // A run step drew more trace: counts follow, no more often than keeps the
  // run's beat.
  void traceGrew();
  // The trace or the scale changed (a redraw, the end of a run): counts
  // follow once the redraw is complete.
  void traceChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool handleKey(QKeyEvent* event);
  void addCountingLine(LineDirection direction, QPoint pixel);
  void startSegment(QPoint pixel);
  void moveSegmentEnd(QPoint pixel);
  void finishSegment();
  void moveCursor(QPoint pixel, bool from_keys);
  TracePoint metresAt(QPoint pixel) const;
  QPointF pixelAt(TracePoint metres) const;
  // Both look only at the trace nearby: long runs that never close leave
  // a long trace.
  Snap snapAt(QPoint pixel);
  CrossingCount countOn(const CountingLine& line);
  void paintEllipse(QPainter& p);
  bool recount();  // true when a count changed
  MeasureFormat format() const;
  std::array<double, 4> plotRange() const;  // left, top, right, bottom in metres
  QLabel* makeLabel(const QString& role);
  void refreshTexts();
  void layoutLabels();
  void describeSurface();

  PlotSurface* surface_;
  QString surface_description_;  // the surface's own, given back when off
  bool active_ = false;
  bool marks_only_ = false;
  QString unit_ = QStringLiteral("м");
  std::vector<Line> lines_;
  std::vector<Segment> segments_;
  std::optional<Segment> pending_;
  QLabel* pending_label_ = nullptr;
  bool dragging_ = false;
  QPoint press_px_;
  QPoint cursor_px_;
  bool pointer_inside_ = false;
  bool cursor_from_keys_ = false;
  QLabel* cursor_label_ = nullptr;

  std::array<double, 4> range_{};  // of the plot the measurements were made on
  std::function<DrawnFigure()> figure_source_;
  DrawnFigure figure_;
  std::vector<TracePoint> nodes_;  // of figure_
  bool figure_stale_ = true;
  std::optional<EllipseReading> ellipse_;
  QLabel* ellipse_label_ = nullptr;
  QAction* ellipse_action_ = nullptr;
  QMenu* context_menu_ = nullptr;
  QTimer* settle_ = nullptr;        // the recount after a redraw
  QElapsedTimer since_recount_;     // during a run
  qint64 recount_interval_ms_ = 0;  // grows with what a recount costs
};

}  // namespace orvinda
