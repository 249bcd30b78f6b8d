#pragma once
// The window "Развёртка колебаний": x(t) and y(t) over one span of time and
// the two rotating vectors, following the main window's run step by step
// with the run's own points. One instance, not modal; it never keeps the
// program alive.

#include <QElapsedTimer>
#include <QWidget>

#include "model/characteristics.h"
#include "tools/time_view/model/time_sweep.h"
#include "tools/time_view/time_scene.h"

class QLabel;
class QTimer;

namespace orvinda {

class LayeredPlotSurface;
class RunFeed;

class TimeView : public QWidget {
  Q_OBJECT

 public:
  explicit TimeView(RunFeed& feed);

  LayeredPlotSurface* Picture = nullptr;
  QLabel* LabelT = nullptr;
  QLabel* LabelX = nullptr;
  QLabel* LabelY = nullptr;
  QLabel* LabelLegend = nullptr;

  // Puts the window to the right of the main window when the screen has
  // room for it there.
  void placeBeside(const QWidget& main);

  // What the window shows: the points in its span of time, the moment
  // marked, and how many steps into the run that moment is (0: its start).
  const TimeSweep& sweep() const { return sweep_; }
  const SweepPoint& moment() const { return moment_; }
  long long momentStep() const { return moment_step_; }
  // The moment the screen shows. During a run the picture is brought up to
  // date at most once a frame (kFrameMs), so at the fastest speed it may
  // be a step or two behind; it catches up when the run ends.
  const SweepPoint& drawnMoment() const { return drawn_moment_; }
  long long drawnStep() const { return drawn_step_; }
  int frames() const { return frames_; }
  static constexpr int kFrameMs = 30;
  const TimeLayout& sceneLayout() const { return layout_; }
  int fullRedraws() const { return full_redraws_; }

  // Everything drawn again at the present size (for measuring).
  void redrawAll();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void runStarted();
  void stepTaken();
  void runEnded();
  void requestFrame();
  void drawFrame();
  void parametersRedrawn();
  void beginRunSweep();
  void catchUpWithRun();
  void showIdle();
  void showMoment();
  void placeReadouts();
  bool sameAsRun() const;

  RunFeed& feed_;
  TimeSweep sweep_;
  SweepPoint moment_;
  float moment_time_ = 0;  // the run's float time of the moment
  long long moment_step_ = 0;
  bool from_run_ = false;  // the sweep is a run's, not the idle view
  MotionParameters run_parameters_;
  float run_wywx_ = 0, run_dt_ = 0;
  TimeLayout layout_;
  double r_ = 2;
  bool stale_ = true;          // drawn when next shown
  bool needs_redraw_ = false;  // the span moved on since the last frame
  std::size_t drawn_points_ = 0;
  SweepPoint drawn_moment_;
  long long drawn_step_ = 0;
  QTimer* frame_timer_ = nullptr;
  QElapsedTimer last_frame_;
  int frames_ = 0;
  int full_redraws_ = 0;
};

}  // namespace orvinda
