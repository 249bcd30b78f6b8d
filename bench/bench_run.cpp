// The run's rhythm and cost: step periods against 10·zam ms and the CPU the
// pause burns, next to the same steps with a pause that spins on the event
// queue.

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <cstdlib>

#include "bench_support.h"
#include "model/run_stepper.h"
#include "platform/fake_platform.h"
#include "plot/axes_scene.h"
#include "plot/plot_surface.h"
#include "ui/app_setup.h"
#include "window/form1.h"

using namespace orvinda;
using namespace orvinda::bench;

namespace {

constexpr int kSteps = 200;
const QString kStart = QStringLiteral("ПУСК");

struct RunTiming {
  std::vector<Clock::time_point> wall;
  std::vector<double> cpu;                 // process CPU, ms
  std::vector<Clock::time_point> wake_up;  // the pause's timer fired

  std::vector<double> periods() const {
    std::vector<double> out;
    for (std::size_t i = 1; i < wall.size(); ++i) out.push_back(ms_between(wall[i - 1], wall[i]));
    return out;
  }
  std::vector<double> cpu_per_step() const {
    std::vector<double> out;
    for (std::size_t i = 1; i < cpu.size(); ++i) out.push_back(cpu[i] - cpu[i - 1]);
    return out;
  }
  double mean_cpu_per_step() const {
    return cpu.size() < 2 ? 0 : (cpu.back() - cpu.front()) / static_cast<double>(cpu.size() - 1);
  }
  double cpu_share_percent() const {
    const double wall_ms = wall.size() < 2 ? 0 : ms_between(wall.front(), wall.back());
    return wall_ms > 0 ? 100 * (cpu.back() - cpu.front()) / wall_ms : 0;
  }
  // A period splits into the pause and the drawing of the next step.
  std::vector<double> pauses() const {
    std::vector<double> out;
    for (std::size_t i = 0; i < wake_up.size() && i < wall.size(); ++i) {
      out.push_back(ms_between(wall[i], wake_up[i]));
    }
    return out;
  }
  std::vector<double> step_work() const {
    std::vector<double> out;
    for (std::size_t i = 0; i < wake_up.size() && i + 1 < wall.size(); ++i) {
      out.push_back(ms_between(wake_up[i], wall[i + 1]));
    }
    return out;
  }
  void mark() {
    wall.push_back(Clock::now());
    cpu.push_back(process_cpu_ms());
  }
};

// Starts a run with the button, stops it with the button after kSteps steps.
RunTiming program_run(Form1& form, FakePlatform& platform) {
  RunTiming trace;
  const std::size_t tones_before = platform.tones.size();
  const long long steps_before = form.runSteps();
  int steps = 0;
  const auto connection = QObject::connect(&form, &Form1::stepTaken, [&] {
    trace.mark();
    ++steps;
    if (steps == kSteps) form.CmdOK->click();  // the loop ends at its next step
    if (steps > kSteps + 50) {
      fault("the run went on after СТОП was pressed");
      std::exit(1);
    }
  });
  const auto wake_up = QObject::connect(form.Timer1, &QTimer::timeout,
                                        [&] { trace.wake_up.push_back(Clock::now()); });
  run_until_stopped(form);
  QObject::disconnect(connection);
  QObject::disconnect(wake_up);

  if (steps != kSteps || form.runSteps() - steps_before != kSteps) {
    fault("run took " + std::to_string(steps) + " steps instead of " + std::to_string(kSteps));
  }
  if (form.CmdOK->text() != kStart) fault("button did not return to ПУСК after the run");
  if (platform.tones.size() != tones_before + 1) fault("the run's closing tone did not sound once");
  return trace;
}

// The same steps with the pause written as a spin on the event queue.
RunTiming literal_run(Form1& form) {
  form.Form_Resize();
  RunStepper stepper({form.wx, form.x0, form.vx0, form.wy, form.y0, form.vy0}, form.wywx, form.dt);
  const QColor red = bgr_color(kTraceColor);
  int interval = 0;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  RunTiming trace;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    interval = 0;
    trace.wake_up.push_back(Clock::now());
  });

  for (int i = 0; i < kSteps; ++i) {
    const RunStep step = stepper.next();
    form.Picture1->LineTo(step.segment_x, step.segment_y, red);
    trace.mark();
    interval = form.zam * 10;
    timer.start(interval);
    while (interval > 0) QCoreApplication::processEvents();
  }
  return trace;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  prepare_application(app);
  BenchWindow window;
  Form1& form = window.form;
  FakePlatform& platform = window.platform;

  RunTiming at_five;
  for (int zam : {1, 5, 9}) {
    form.HScroll1->setValue(zam);
    if (form.zam != zam) fault("zam is " + std::to_string(form.zam) + " after the scroll bar");
    const RunTiming trace = program_run(form, platform);
    settle();

    const double nominal = 10.0 * zam;
    const Stats period = stats_of(trace.periods());
    const bool on_time =
        std::fabs(period.median - nominal) <= 0.5 && std::fabs(period.p95 - nominal) <= 2;
    const std::string z = "zam=" + std::to_string(zam);
    const std::string split = " (pause " + fixed(stats_of(trace.pauses()).median, 2) + " + step " +
                              fixed(stats_of(trace.step_work()).median, 2) + ")";
    row("run step period", z + split, ms_text(period.median), "p95 " + ms_text(period.p95),
        fixed(nominal, 0) + " ms: median ±0.5, p95 ±2", verdict(on_time));

    const Stats cpu = stats_of(trace.cpu_per_step());
    const double share = trace.cpu_share_percent();
    if (zam == 5) {
      at_five = trace;
      row("run CPU per step", z + " (" + fixed(share, 2) + " % of a core)", ms_text(cpu.median),
          "p95 " + ms_text(cpu.p95), "< 2 % of a core", verdict(share < 2));
    } else {
      row("run CPU per step", z + " (" + fixed(share, 2) + " % of a core)", ms_text(cpu.median),
          "p95 " + ms_text(cpu.p95), "-", "info");
    }
  }

  form.HScroll1->setValue(5);
  const RunTiming literal = literal_run(form);
  settle();
  const Stats period = stats_of(literal.periods());
  const std::string split = " (pause " + fixed(stats_of(literal.pauses()).median, 2) + " + step " +
                            fixed(stats_of(literal.step_work()).median, 2) + ")";
  row("busy-pause run period", "zam=5" + split, ms_text(period.median),
      "p95 " + ms_text(period.p95), "-", "info");
  const Stats cpu = stats_of(literal.cpu_per_step());
  row("busy-pause run CPU", "zam=5 (" + fixed(literal.cpu_share_percent(), 1) + " % of a core)",
      ms_text(cpu.median), "p95 " + ms_text(cpu.p95), "-", "info");

  const double ratio = literal.mean_cpu_per_step() > 0
                           ? at_five.mean_cpu_per_step() / literal.mean_cpu_per_step()
                           : 0;
  row("CPU ours / busy pause", "zam=5, mean per step", fixed(ratio, 4), "-",
      "< 0.05 (far below 0.1)", verdict(ratio < 0.05));
  return faults ? 1 : 0;
}
