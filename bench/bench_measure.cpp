// Measuring during a run: the step period at zam = 1 with the measuring layer
// off and on (counting lines standing, the pointer moving), what one recount
// of three lines costs on the figures that cost most, and a dragged
// segment's move on a long trace.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>
#include <numbers>

#include "bench_support.h"
#include "model/numbers.h"
#include "plot/axes_scene.h"
#include "plot/plot_surface.h"
#include "tools/measure/measure_overlay.h"
#include "tools/measure/model/crossings.h"
#include "tools/measure/model/drawn_figure.h"
#include "tools/measure/model/figure_nodes.h"
#include "ui/app_setup.h"
#include "window/form1.h"

using namespace orvinda;
using namespace orvinda::bench;

namespace {

constexpr int kSteps = 400;

void set_boxes(Form1& form, const char* wy, const char* y0, const char* vy0) {
  form.Text4->setText(QString::fromLatin1(wy));
  form.Text2->setText(QStringLiteral("4"));
  form.Text3->setText(QStringLiteral("0"));
  form.Text5->setText(QString::fromLatin1(y0));
  form.Text6->setText(QString::fromLatin1(vy0));
}

void click(QWidget* widget, QPoint at, Qt::KeyboardModifiers mods) {
  const QPointF local(at);
  const QPointF global(widget->mapToGlobal(at));
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, mods);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                      mods);
  QApplication::sendEvent(widget, &release);
}

void move_pointer(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

// Step periods of a run of kSteps steps, started and stopped with the button;
// the pointer moves over the plot every step when a layer is given.
std::vector<double> run_periods(Form1& form, MeasureOverlay* layer) {
  std::vector<Clock::time_point> marks;
  int steps = 0;
  const auto connection = QObject::connect(&form, &Form1::stepTaken, [&] {
    marks.push_back(Clock::now());
    if (layer) move_pointer(layer, QPoint(100 + steps % 200, 300 - steps % 150));
    if (++steps == kSteps) form.CmdOK->click();
  });
  run_until_stopped(form);
  QObject::disconnect(connection);
  if (steps != kSteps) fault("the run took " + std::to_string(steps) + " steps");
  std::vector<double> periods;
  for (std::size_t i = 1; i < marks.size(); ++i)
    periods.push_back(ms_between(marks[i - 1], marks[i]));
  return periods;
}

// Judged against the same run with the layer off: the machine's own jitter
// shows in both.
void period_row(const std::string& case_name, const std::vector<double>& periods,
                const Stats* off) {
  const Stats s = stats_of(periods);
  std::string target = "-";
  std::string judged = "info";
  if (off) {
    target = "median within 0.5 ms, p95 within 2 ms of the layer off";
    judged = verdict(s.median - off->median <= 0.5 && s.p95 - off->p95 <= 2);
  }
  row("run step period at zam=1", case_name, ms_text(s.median), "p95 " + ms_text(s.p95), target,
      judged);
}

// A recount as the layer makes it after a step or a parameter change: the
// figure's nodes, then three lines.
double recount_ms(const DrawnFigure& figure, double pixel) {
  return time_ms([&] {
    const std::vector<TracePoint> nodes = figure_nodes(figure, pixel);
    int total = 0;
    for (const CountingLine line : {CountingLine{LineDirection::kHorizontal, 1.3},
                                    CountingLine{LineDirection::kVertical, -0.7},
                                    CountingLine{LineDirection::kHorizontal, -2.1}}) {
      total += count_crossings(figure, nodes, line, pixel).count();
    }
    if (total < 0) fault("a negative count");
  });
}

void recount_rows() {
  const double pixel = 12.0 / 485;
  struct Case {
    const char* name;
    double wy, vy0, turns;
  };
  // The longest closing span, and figures that never close after the
  // longest time counted.
  const Case cases[] = {{"4 : 3, closed", 0.75, 3, 3},
                        {"19 : 20, closing after 20 turns", 20.0 / 19, 4, 19},
                        {"Wy = 1.3333, drifting, 1000 turns", 1.3333, 4, 1000},
                        {"Wy = 1.41421, never closing, 1000 turns", 1.41421, 4, 1000}};
  for (const Case& c : cases) {
    const MotionParameters p{1, 4, 0, c.wy, 0, static_cast<float>(c.vy0 * c.wy)};
    const DrawnFigure figure(p, to_single(c.wy), c.turns * 2 * std::numbers::pi);
    std::vector<double> costs;
    for (int i = 0; i < 20; ++i) costs.push_back(recount_ms(figure, pixel));
    const Stats s = stats_of(costs);
    row("recount of three lines, after a step", c.name, ms_text(s.median), "max " + ms_text(s.max),
        "<= 10 ms", time_verdict(s, 10));
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  prepare_application(app);
  BenchWindow window;
  Form1& form = window.form;
  form.HScroll1->setValue(1);

  // The figure 3 : 4, Δφ = π/2: it closes after 200 steps.
  set_boxes(form, "1.33333333333333", "0", "5.33333333333333");
  settle();
  const std::vector<double> off_periods = run_periods(form, nullptr);
  const Stats off = stats_of(off_periods);
  period_row("3 : 4, layer off", off_periods, nullptr);
  settle();

  form.mnuExperimentMeasure->setChecked(true);
  MeasureOverlay* layer = form.measureOverlay();
  if (!layer) {
    fault("no measuring layer");
    return 1;
  }
  click(layer, QPoint(60, 200), Qt::ShiftModifier);
  click(layer, QPoint(300, 60), Qt::ControlModifier);
  click(layer, QPoint(200, 330), Qt::ShiftModifier);
  settle();
  period_row("3 : 4, three lines, pointer moving", run_periods(form, layer), &off);
  if (layer->countingLines().size() != 3 || layer->countingLines()[0].count.count() != 8) {
    fault("the counting lines do not count 8 on the figure 3 : 4");
  }
  settle();

  // Close frequencies: the trace keeps growing as the run goes on.
  set_boxes(form, "1.05", "4", "0");
  settle();
  period_row("1 : 1.05, growing trace, three lines", run_periods(form, layer), &off);
  settle();

  recount_rows();

  // Traces as long as many minutes and hours of a run that never closes
  // leave: what a recount costs, and so how far apart a run's recounts fall,
  // and what a move of a dragged, snapping end costs. Neither looks at the
  // trace any more: both should stay flat as it grows.
  form.Picture1->setCurrentX(4);
  form.Picture1->setCurrentY(0);
  const QColor red = bgr_color(kTraceColor);
  const double w = std::sqrt(2.0);
  int drawn = 0;
  for (int steps : {20000, 200000}) {
    for (; drawn < steps; ++drawn) {
      const double t = (drawn + 1) * 0.02;
      form.Picture1->LineTo(4 * std::cos(t), 4 * std::cos(w * t + 0.3), red);
    }
    std::size_t segments = 0;
    for (const auto& trace : form.Picture1->drawing().traces()) {
      segments += trace.store.segmentCount();
    }
    const std::string kept = std::to_string(segments) + " kept segments";
    std::vector<double> costs;
    for (int i = 0; i < 5; ++i) {
      costs.push_back(time_ms([&] {
        layer->traceChanged();
        QCoreApplication::processEvents();  // the recount, without painting
      }));
    }
    const Stats cost = stats_of(costs);
    row("recount of three lines, in the window", kept, ms_text(cost.median),
        "max " + ms_text(cost.max), "<= 10 ms", time_verdict(cost, 10));

    const QPoint axis(static_cast<int>(form.Picture1->mapping().to_px_x(0)), 100);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(axis + QPoint(2, 0)),
                      QPointF(layer->mapToGlobal(axis)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(layer, &press);
    std::vector<double> moves;
    for (int i = 0; i < 40; ++i) {
      const QPoint at = axis + QPoint(i % 5 - 2, 5 * i);
      moves.push_back(time_ms([&] {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(layer->mapToGlobal(at)),
                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(layer, &move);
      }));
    }
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(axis + QPoint(0, 200)),
                        QPointF(layer->mapToGlobal(axis)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(layer, &release);
    const Stats move = stats_of(moves);
    row("drag along the y axis, per move", kept, ms_text(move.median), "max " + ms_text(move.max),
        "<= 16 ms", time_verdict(move, 16));
  }
  return faults ? 1 : 0;
}
