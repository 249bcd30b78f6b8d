#pragma once
// What the main window tells its tools, and the one way they ask it for
// parameters. The main window fills it where it gives its own signals; a
// tool holds the feed and never the window, so it can be built, tested and
// read without it.

#include <QObject>

#include "model/characteristics.h"
#include "model/run_stepper.h"

namespace orvinda {

class RunFeed : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // The parameters and what the latest full redraw computed from them.
  const MotionParameters& parameters() const { return parameters_; }
  const Characteristics& characteristics() const { return characteristics_; }

  bool running() const { return runs_ > 0; }
  // The latest step of the run going on (or the last one), and its time t,
  // the float running sum of dt, in radians of horizontal phase.
  const RunStep& lastStep() const { return last_step_; }
  float lastTime() const { return last_time_; }

  // A tool's only way to change parameters: the window writes them into its
  // boxes, as typing does, unless a run goes on.
  void requestParameters(const MotionParameters& p) { Q_EMIT parametersRequested(p); }

  // --- filled by the main window ---------------------------------------
  void publishRedraw(const MotionParameters& p, const Characteristics& c);
  void publishRunStart(const RunStep& first);
  void publishStep(const RunStep& step, float t);
  void publishRunEnd();

 Q_SIGNALS:
  // As the main window's signals of the same names.
  void runStarted();
  void stepTaken();
  void runEnded();
  void redrawn();
  void parametersRequested(const MotionParameters& p);

 private:
  MotionParameters parameters_;
  Characteristics characteristics_;
  int runs_ = 0;  // run loops on the window's stack
  RunStep last_step_;
  float last_time_ = 0;
};

}  // namespace orvinda
