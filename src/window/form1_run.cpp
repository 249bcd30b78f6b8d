// The run: start and stop, the step loop, its pause and its tone.

#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "feed/run_feed.h"
#include "model/device_layout.h"
#include "model/run_stepper.h"
#include "platform/platform.h"
#include "plot/axes_scene.h"
#include "plot/device.h"
#include "plot/plot_surface.h"
#include "window/form1.h"

namespace orvinda {

namespace {
const QString kStart = QStringLiteral("ПУСК");
const QString kStop = QStringLiteral("СТОП");
constexpr int kToneHz = 880;
}  // namespace

void Form1::CmdOK_Click() {
  if (CmdOK->text() == kStart) {
    commitEditing();
    // The commit may have refused a frequency with a modal box, during
    // which this click could have started a run already.
    if (CmdOK->text() != kStart) return;
    CmdOK->setText(kStop);
    for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5, Text6}) box->setEnabled(false);
    Form_Resize();
    lockSize(true);
    setWindowTitle(kRunningCaption);
    minmax();
    axes();
    raschet();
  } else {
    CmdOK->setText(kStart);
    lockSize(false);
    setWindowTitle(kIdleCaption);
  }
}

void Form1::lockSize(bool locked) {
  if (locked == size_locked_) return;
  // A size forced in the last moments of the run is undone while the
  // window is still locked, so going back redraws nothing.
  if (!locked) resizeBackIfForced();
  size_locked_ = locked;
  QWindow* handle = windowHandle();
  if (locked) {
    locked_size_ = size();
    locked_state_ = windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    // A maximised or full-screen window is held by its state. A fixed size
    // or other flags would have the window manager restore it, at its old
    // place but this size, with СТОП off the screen.
    if (locked_state_ != Qt::WindowNoState) return;
    unlocked_min_ = minimumSize();
    unlocked_max_ = maximumSize();
    setFixedSize(locked_size_);
    if (handle) {
      unlocked_flags_ = handle->flags();
      handle->setFlags(unlocked_flags_ & ~Qt::WindowMaximizeButtonHint);
    }
  } else {
    if (locked_state_ != Qt::WindowNoState) return;
    setMinimumSize(unlocked_min_);
    setMaximumSize(unlocked_max_);
    if (handle) handle->setFlags(unlocked_flags_);
  }
}

void Form1::resizeBackIfForced() {
  if (!resize_back_due_) return;
  resize_back_due_ = false;
  if (locked_state_ != Qt::WindowNoState && (windowState() & locked_state_) != locked_state_) {
    setWindowState(windowState() | locked_state_);
  } else if (size() != locked_size_) {
    resize(locked_size_);
  }
}

void Form1::raschet() {
  RunStepper stepper(motionParameters(), wywx, dt);
  const QColor red = bgr_color(kTraceColor);
  ++runs_;
  last_step_ = RunStep{x0, y0, x0, y0, false};
  last_time_ = 0;
  feed_->publishRunStart(last_step_);
  Q_EMIT runStarted();
  for (;;) {
    if (program_ended_ || CmdOK->text() != kStop) break;
    const RunStep step = stepper.next();
    ++run_steps_;
    Picture1->LineTo(step.segment_x, step.segment_y, red);
    if (step.move_device) device_->move(step.x, step.y, xmin, ymax);
    resizeBackIfForced();
    last_step_ = step;
    last_time_ = stepper.t();
    feed_->publishStep(step, last_time_);
    Q_EMIT stepTaken();
    Wait(zam * 0.01);
  }
  --runs_;
  feed_->publishRunEnd();
  Q_EMIT runEnded();
  if (program_ended_) return;
  tone(50);
  for (QLineEdit* box : {Text2, Text3, Text4, Text5, Text6}) box->setEnabled(true);
}

void Form1::Wait(double delay) {
  Timer1Interval = static_cast<int>(std::nearbyint(1000 * delay));  // halves to even
  if (Timer1Interval > 0) {
    // The pauses keep a steady beat: each is due one interval after the one
    // before was due, so drawing time and timer lateness do not add up.
    // After a hold (a modal box, a stop) the beat starts afresh.
    if (!pause_clock_.isValid()) pause_clock_.start();
    const qint64 now = pause_clock_.nsecsElapsed();
    const qint64 interval = qint64{Timer1Interval} * 1'000'000;
    // A timer may wake up to half a millisecond early (whole milliseconds);
    // that is no reason to lose the beat.
    constexpr qint64 kEarlyWake = 1'000'000;
    qint64 due = pause_due_ns_ + interval;
    if (due < now || due > now + interval + kEarlyWake) due = now + interval;
    pause_due_ns_ = due;
    Timer1->start(static_cast<int>(std::lround((due - now) / 1e6)));
  }
  // The pause sleeps in its own event loop; Timer1_Timer ends it, and every
  // pause below it on the stack, as the interval it tests has become 0.
  QEventLoop loop;
  waits_.push_back(&loop);
  while (Timer1Interval > 0 && !program_ended_) loop.exec();
  waits_.erase(std::find(waits_.begin(), waits_.end(), &loop));
  Timer1->stop();
}

void Form1::Timer1_Timer() {
  Timer1Interval = 0;
  Timer1->stop();
  for (QEventLoop* loop : waits_) loop->quit();
}

void Form1::HScroll1_Change() {
  zam = static_cast<std::int16_t>(HScroll1->value());
  Label21->setText(QString::number(zam));
}

void Form1::tone(double n) { platform_.tone(kToneHz, static_cast<int>(std::lround(12 * n))); }

}  // namespace orvinda
