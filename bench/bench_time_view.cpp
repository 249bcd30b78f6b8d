// The time view: its full redraw at 800 × 600, and what it adds to a run at
// zam = 1 — CPU per step against the same run without it, and the step
// period against 10 ms.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <cstdlib>

#include "bench_support.h"
#include "platform/fake_platform.h"
#include "tools/time_view/time_view.h"
#include "ui/app_setup.h"
#include "window/form1.h"

using namespace orvinda;
using namespace orvinda::bench;

namespace {

constexpr int kRepetitions = 40;
constexpr int kSteps = 300;
constexpr int kRounds = 3;

TimeView* open_view(Form1& form) {
  form.mnuExperimentTimeView->trigger();
  TimeView* view = form.timeViewWindow();
  view->resize(800, 600);
  settle();
  if (view->size() != QSize(800, 600)) fault("the time view did not become 800×600");
  return view;
}

void close_view(Form1& form) {
  if (form.timeViewWindow()) form.timeViewWindow()->close();
  settle();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  settle();
}

void set_parameters(Form1& form, const char* wy, const char* x0, const char* vx0, const char* y0,
                    const char* vy0) {
  form.Text4->setText(QString::fromLatin1(wy));
  form.Text2->setText(QString::fromLatin1(x0));
  form.Text3->setText(QString::fromLatin1(vx0));
  form.Text5->setText(QString::fromLatin1(y0));
  form.Text6->setText(QString::fromLatin1(vy0));
  settle();
}

void measure_redraw(Form1& form, const std::string& name) {
  TimeView* view = open_view(form);
  for (int i = 0; i < 3; ++i) view->redrawAll();
  settle();
  std::vector<double> redraw, with_paint;
  for (int i = 0; i < kRepetitions; ++i) {
    redraw.push_back(time_ms([&] { view->redrawAll(); }));
    settle();
  }
  for (int i = 0; i < kRepetitions; ++i) {
    with_paint.push_back(time_ms([&] {
      view->redrawAll();
      QCoreApplication::processEvents();
    }));
    settle();
  }
  const std::string points = " (" + std::to_string(view->sweep().points().size()) + " points)";
  const Stats s = stats_of(redraw);
  row("time view redraw", "800×600, " + name + points, ms_text(s.median), "max " + ms_text(s.max),
      "< 4 ms", time_verdict(s, 4));
  const Stats p = stats_of(with_paint);
  row("time view redraw", "800×600, " + name + " + paint", ms_text(p.median),
      "max " + ms_text(p.max), "-", "info");
  close_view(form);
}

struct RunTiming {
  std::vector<Clock::time_point> wall;
  std::vector<double> cpu;
  std::vector<double> periods() const {
    std::vector<double> out;
    for (std::size_t i = 1; i < wall.size(); ++i) out.push_back(ms_between(wall[i - 1], wall[i]));
    return out;
  }
  double mean_cpu_per_step() const {
    return cpu.size() < 2 ? 0 : (cpu.back() - cpu.front()) / static_cast<double>(cpu.size() - 1);
  }
};

// Starts a run with the button and stops it after kSteps steps.
RunTiming run(Form1& form) {
  RunTiming timing;
  int steps = 0;
  const auto connection = QObject::connect(&form, &Form1::stepTaken, [&] {
    timing.wall.push_back(Clock::now());
    timing.cpu.push_back(process_cpu_ms());
    if (++steps == kSteps) form.CmdOK->click();
    if (steps > kSteps + 50) {
      fault("the run went on after СТОП was pressed");
      std::exit(1);
    }
  });
  run_until_stopped(form);
  QObject::disconnect(connection);
  settle();
  if (steps != kSteps) fault("the run took " + std::to_string(steps) + " steps");
  return timing;
}

double median_of(std::vector<double> values) { return stats_of(std::move(values)).median; }

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  prepare_application(app);
  BenchWindow window;
  Form1& form = window.form;

  measure_redraw(form, "start values");
  set_parameters(form, "1.05", "4", "0", "4", "0");
  measure_redraw(form, "1 : 1,05");
  set_parameters(form, "97.3", "4", "0", "4", "0");
  measure_redraw(form, "Wy = 97,3");
  set_parameters(form, "1.8", "3", "3", "3", "2");

  form.HScroll1->setValue(1);
  // Rounds alternate, so a busy moment of the machine falls on both sides.
  std::vector<double> cpu_without, cpu_with;
  std::vector<double> periods_with;
  for (int round = 0; round < kRounds; ++round) {
    cpu_without.push_back(run(form).mean_cpu_per_step());
    TimeView* view = open_view(form);
    const long long first = view->fullRedraws();
    const RunTiming with = run(form);
    if (view->momentStep() != kSteps) fault("the time view's marker is not on the last step");
    // One redraw for the start, and one each time the span moved on.
    const int scrolls = view->fullRedraws() - static_cast<int>(first);
    cpu_with.push_back(with.mean_cpu_per_step());
    const std::vector<double> p = with.periods();
    periods_with.insert(periods_with.end(), p.begin(), p.end());
    if (round == 0) {
      row("time view in a run", "full redraws in " + std::to_string(kSteps) + " steps",
          std::to_string(scrolls), "-", "-", "info");
    }
    close_view(form);
  }
  const double without = median_of(cpu_without), with = median_of(cpu_with);
  const double ratio = without > 0 ? with / without : 0;
  row("run CPU per step", "zam=1, without the time view", ms_text(without), "-", "-", "info");
  row("run CPU per step", "zam=1, with the time view", ms_text(with),
      "×" + fixed(ratio, 2) + " of without", "≤ ×1.30", verdict(ratio <= 1.30));
  const Stats period = stats_of(periods_with);
  const bool on_time = std::fabs(period.median - 10) <= 0.5 && std::fabs(period.p95 - 10) <= 2;
  row("run step period", "zam=1, with the time view", ms_text(period.median),
      "p95 " + ms_text(period.p95), "10 ms: median ±0.5, p95 ±2", verdict(on_time));
  return faults ? 1 : 0;
}
