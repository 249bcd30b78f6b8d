#include "tools/time_view/time_view.h"

#include <QLabel>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "feed/run_feed.h"
#include "model/format_pattern.h"
#include "plot/plot_layer.h"
#include "plot/plot_range.h"
#include "plot/plot_surface.h"
#include "ui/app_setup.h"
#include "ui/characteristics_text.h"
#include "ui/fonts.h"
#include "ui/plot_look.h"

namespace orvinda {

namespace {

// Steps a run may have taken before the window opened: hours of a run.
constexpr long long kMostStepsToCatchUp = 100'000'000;

QString readout(double value, const QString& separator) {
  QString text = QString::fromStdString(format_by_pattern(value, "0.00", separator.toStdString()));
  if (text.startsWith(QLatin1Char('-'))) text.replace(0, 1, QChar(0x2212));
  return text;
}

void set_readout(QLabel* label, const QString& shown, const QString& spoken) {
  label->setText(shown);
  label->setAccessibleName(spoken);
}

}  // namespace

TimeView::TimeView(RunFeed& feed) : QWidget(nullptr, Qt::Window), feed_(feed) {
  setObjectName(QStringLiteral("TimeView"));
  setWindowTitle(QStringLiteral("Развёртка колебаний"));
  setAccessibleName(QStringLiteral("Развёртка колебаний"));
  setWindowIcon(program_icon());
  setAttribute(Qt::WA_DeleteOnClose);
  // Closing the main window ends the program; this one must not keep it.
  setAttribute(Qt::WA_QuitOnClose, false);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setMinimumSize(420, 320);

  Picture = new LayeredPlotSurface(this);
  Picture->setObjectName(QStringLiteral("Picture"));
  style_plot_surface(Picture);
  Picture->setFocusPolicy(Qt::StrongFocus);
  Picture->setAccessibleName(QStringLiteral("Графики x(t), y(t) и вращающиеся векторы"));
  Picture->setAccessibleDescription(QStringLiteral(
      "Вверху слева — окружность вектора x, под ней график x(t), время на нём идёт вниз. "
      "Правее — окружность вектора y и график y(t), время на нём идёт вправо. Пунктир — "
      "проекции векторов, красные точки — текущий момент."));

  auto make_label = [this](const char* name, const QFont& font) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    label->setPalette(this->palette());
    return label;
  };
  LabelT = make_label("LabelT", serif_font(true));
  LabelX = make_label("LabelX", serif_font(true));
  LabelY = make_label("LabelY", serif_font(true));
  LabelLegend = make_label("LabelLegend", sans_font());
  LabelLegend->setWordWrap(true);
  LabelLegend->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  LabelLegend->setText(QStringLiteral(
      "Синие стрелки — векторы длиной Ax и Ay, вращаются с частотами Wx и Wy.\n"
      "Проекция вектора x на горизонтальную ось — координата x, проекция вектора y на "
      "вертикальную ось — координата y.\n"
      "Красные точки — текущий момент. Время t — время модели в секундах (Wx = 1 рад/с)."));
  LabelLegend->setAccessibleDescription(QStringLiteral("Пояснение к рисунку"));

  auto* close_key = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close_key, &QShortcut::activated, this, &QWidget::close);

  frame_timer_ = new QTimer(this);
  frame_timer_->setSingleShot(true);
  frame_timer_->setTimerType(Qt::PreciseTimer);
  connect(frame_timer_, &QTimer::timeout, this, &TimeView::drawFrame);

  connect(&feed_, &RunFeed::runStarted, this, &TimeView::runStarted);
  connect(&feed_, &RunFeed::stepTaken, this, &TimeView::stepTaken);
  connect(&feed_, &RunFeed::runEnded, this, &TimeView::runEnded);
  connect(&feed_, &RunFeed::redrawn, this, &TimeView::parametersRedrawn);

  resize(800, 600);
  if (feed_.running()) {
    catchUpWithRun();
  } else {
    showIdle();
  }
}

void TimeView::placeBeside(const QWidget& main) {
  const QScreen* screen = main.screen();
  if (!screen) return;
  const QRect room = screen->availableGeometry();
  const QRect frame = main.frameGeometry();
  const QSize decoration = frameGeometry().size() - size();
  const int width = std::min(800, room.right() - frame.right() - decoration.width());
  if (width < minimumWidth()) return;
  const int height =
      std::clamp(room.bottom() - frame.top() - decoration.height(), minimumHeight(), 600);
  resize(width, height);
  move(frame.right() + 1, frame.top());
}

bool TimeView::sameAsRun() const {
  const MotionParameters p = feed_.parameters();
  const MotionParameters& q = run_parameters_;
  return p.wx == q.wx && p.x0 == q.x0 && p.vx0 == q.vx0 && p.wy == q.wy && p.y0 == q.y0 &&
         p.vy0 == q.vy0 && feed_.characteristics().wywx == run_wywx_ &&
         feed_.characteristics().dt == run_dt_;
}

void TimeView::showIdle() {
  from_run_ = false;
  sweep_ = idle_sweep(feed_.parameters(), feed_.characteristics().wywx, feed_.characteristics().dt);
  moment_ = sweep_.points().front();
  moment_time_ = 0;
  moment_step_ = 0;
  redrawAll();
}

// The run's values are kept, to tell later whether the parameters moved on.
void TimeView::beginRunSweep() {
  from_run_ = true;
  run_parameters_ = feed_.parameters();
  run_wywx_ = feed_.characteristics().wywx;
  run_dt_ = feed_.characteristics().dt;
  sweep_.restart(sweep_extent(run_wywx_, run_dt_, run_parameters_.wx).span);
}

void TimeView::runStarted() {
  beginRunSweep();
  sweep_.add({0, feed_.parameters().x0, feed_.parameters().y0});
  moment_ = sweep_.points().back();
  moment_time_ = 0;
  moment_step_ = 0;
  redrawAll();
}

// Opened during a run: the run so far, stepped again from its start.
void TimeView::catchUpWithRun() {
  beginRunSweep();
  moment_step_ =
      sweep_run(sweep_, run_parameters_, run_wywx_, run_dt_, feed_.lastTime(), kMostStepsToCatchUp);
  moment_ = sweep_.points().back();
  moment_time_ = feed_.lastTime();
  redrawAll();
}

void TimeView::stepTaken() {
  if (!from_run_) {
    catchUpWithRun();
    return;
  }
  const RunStep& step = feed_.lastStep();
  const SweepPoint now{sweep_seconds(feed_.lastTime(), feed_.parameters().wx), step.x, step.y};
  if (sweep_.add(now)) needs_redraw_ = true;
  moment_ = now;
  moment_time_ = feed_.lastTime();
  ++moment_step_;
  requestFrame();
}

void TimeView::runEnded() {
  // The stop shows the very last step.
  if (frame_timer_->isActive() || drawn_step_ != moment_step_) drawFrame();
}

// At the fastest speed a run steps every 10 ms; drawing every one of them
// would cost far more than the run itself, and no eye follows it. The
// picture is brought up to date at most once a frame.
void TimeView::requestFrame() {
  if (!isVisible()) {
    stale_ = true;
    return;
  }
  if (frame_timer_->isActive()) return;
  const qint64 since = last_frame_.isValid() ? last_frame_.elapsed() : kFrameMs;
  if (since >= kFrameMs) {
    drawFrame();
  } else {
    frame_timer_->start(static_cast<int>(kFrameMs - since));
  }
}

void TimeView::drawFrame() {
  frame_timer_->stop();
  if (!isVisible()) {
    stale_ = true;
    return;
  }
  if (stale_ || needs_redraw_ || drawn_points_ > sweep_.points().size()) {
    redrawAll();
    return;
  }
  const std::vector<SweepPoint>& points = sweep_.points();
  if (drawn_points_ < points.size()) {
    const PlotSurface::Batch batch(*Picture);
    for (std::size_t i = std::max<std::size_t>(drawn_points_, 1); i < points.size(); ++i) {
      draw_time_step(*Picture, layout_, r_, points[i - 1], points[i]);
    }
    drawn_points_ = points.size();
  }
  showMoment();
}

void TimeView::parametersRedrawn() {
  // After a run its picture stays until the parameters change, as the
  // main window keeps its trace.
  if (feed_.running() || (from_run_ && sameAsRun())) {
    redrawAll();
  } else {
    showIdle();
  }
}

void TimeView::redrawAll() {
  frame_timer_->stop();
  if (!isVisible()) {
    stale_ = true;
    return;
  }
  stale_ = false;
  needs_redraw_ = false;
  ++full_redraws_;
  r_ = plot_radius(feed_.characteristics().ax, feed_.characteristics().ay);
  TimeSceneInput in;
  in.r = r_;
  in.ax = feed_.characteristics().ax;
  in.ay = feed_.characteristics().ay;
  in.decimal_separator = decimal_separator();
  layout_ = time_layout(QSizeF(Picture->size()), sweep_.begin(), sweep_.end(),
                        time_text(*Picture, r_, sweep_.end(), in.decimal_separator));
  draw_time_scene(*Picture, layout_, in);
  draw_time_curves(*Picture, layout_, r_, sweep_.points());
  drawn_points_ = sweep_.points().size();
  placeReadouts();
  showMoment();
}

void TimeView::showMoment() {
  PlotLayer& layer = Picture->newLayer();
  draw_time_moment(layer, layout_, r_, moment_,
                   rotating_vectors(feed_.characteristics(), moment_time_, moment_.x, moment_.y));
  Picture->showLayer();
  drawn_moment_ = moment_;
  drawn_step_ = moment_step_;
  ++frames_;
  last_frame_.restart();
  const QString separator = decimal_separator();
  const QString t = readout(moment_.t, separator);
  const QString x = readout(moment_.x, separator);
  const QString y = readout(moment_.y, separator);
  set_readout(LabelT, QStringLiteral("t = %1 с").arg(t), QStringLiteral("Время %1 с").arg(t));
  set_readout(LabelX, QStringLiteral("x = %1 м").arg(x),
              QStringLiteral("Координата x %1 м").arg(x));
  set_readout(LabelY, QStringLiteral("y = %1 м").arg(y),
              QStringLiteral("Координата y %1 м").arg(y));
}

void TimeView::placeReadouts() {
  const QRectF free = layout_.free;
  const int line = LabelT->fontMetrics().height() + 4;
  const int left = static_cast<int>(free.left()) + 12;
  const int width = std::max(0, static_cast<int>(free.right()) - left - 4);
  int top = static_cast<int>(free.top()) + 8;
  for (QLabel* label : {LabelT, LabelX, LabelY}) {
    label->setGeometry(left, top, width, line);
    top += line;
  }
  top += line / 2;
  const int legend_height = std::max(0, static_cast<int>(free.bottom()) - top - 4);
  LabelLegend->setGeometry(left, top, width, legend_height);
  LabelLegend->setVisible(legend_height >= LabelLegend->heightForWidth(width));
}

void TimeView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Picture->setGeometry(rect());
  redrawAll();
}

void TimeView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stale_) redrawAll();
}

}  // namespace orvinda
