// Pictures out of the program: saving a long run to PNG, SVG and PDF, the
// drawing list's memory after a million run steps, and drawing a kept trace
// again when the window is resized.

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cmath>

#include "bench_support.h"
#include "model/characteristics.h"
#include "model/run_stepper.h"
#include "plot/axes_scene.h"
#include "plot/picture_sheet.h"
#include "plot/plot_surface.h"
#include "tools/export/picture_export.h"
#include "tools/shared/experiment_picture.h"
#include "ui/app_setup.h"
#include "window/form1.h"

using namespace orvinda;
using namespace orvinda::bench;

namespace {

std::string mib(std::size_t bytes) { return fixed(bytes / 1048576.0, 2) + " MiB"; }

std::size_t kept_segments(const PlotSurface& surface) {
  std::size_t n = 0;
  for (const auto& trace : surface.drawing().traces()) n += trace.store.segmentCount();
  return n;
}

// A run of about 100 000 steps of a ratio that never closes, so that few of
// its segments repeat, saved in each format.
void export_long_run() {
  const MotionParameters p{1, 3, 3, std::sqrt(2.0), 3, 2.0f};
  const Characteristics c = compute_characteristics(p, 0, false);
  const double turns = 100000 * static_cast<double>(c.dt) / kTruncatedTwoPi;
  const ExperimentPicture picture(p, turns);
  const std::unique_ptr<PictureSheet> sheet = picture.sheet();
  const std::string what = std::to_string(picture.steps()) + " steps, " +
                           std::to_string(kept_segments(picture.surface())) + " kept";
  QTemporaryDir dir;
  const struct {
    const char* name;
    PictureFormat format;
    double target_ms;
  } formats[] = {{"png", PictureFormat::Png, 500},
                 {"svg", PictureFormat::Svg, 1000},
                 {"pdf", PictureFormat::Pdf, 1000}};
  for (const auto& f : formats) {
    std::vector<double> times;
    const QString path = dir.filePath(QStringLiteral("run.") + QString::fromLatin1(f.name));
    for (int i = 0; i < 5; ++i) {
      times.push_back(time_ms([&] {
        if (!write_picture(path, f.format, *sheet).isEmpty()) fault("could not write a picture");
      }));
    }
    const Stats s = stats_of(times);
    row("export", std::string(f.name) + ", " + what, ms_text(s.median), "max " + ms_text(s.max),
        "≤ " + fixed(f.target_ms, 0) + " ms", time_verdict(s, f.target_ms));
  }
}

// A million run steps through the surface, as the run draws them.
void list_after_a_million_steps(double wy, const char* name) {
  PlotSurface surface;
  surface.resize(485, 485);
  const MotionParameters p{1, 3, 3, wy, 3, 2.0f};
  const Characteristics c = compute_characteristics(p, 0, false);
  surface.Cls();
  surface.Scale(-6, 6, 6, -6);
  surface.setDrawWidth(3);
  surface.setCurrentX(p.x0);
  surface.setCurrentY(p.y0);
  RunStepper stepper(p, c.wywx, c.dt);
  const QColor red = bgr_color(kTraceColor);
  const double ms = time_ms([&] {
    for (int i = 0; i < 1'000'000; ++i) {
      const RunStep s = stepper.next();
      surface.LineTo(s.segment_x, s.segment_y, red);
    }
  });
  const std::size_t bytes = surface.drawing().memoryBytes();
  row("drawing list",
      std::string("10^6 steps, ") + name + ", " + std::to_string(kept_segments(surface)) +
          " segments kept",
      mib(bytes), fixed(ms / 1e3, 1) + " µs per step", "≤ 16 MiB",
      verdict(bytes <= 16u * 1024 * 1024));
}

// The window at full HD with the trace of a run of `steps` steps, resized:
// the scene is drawn for the new size and the kept trace again over it. The
// target holds for 5000 segments; longer runs show how the cost grows.
void replay_on_resize(Form1& form, int steps, int repetitions) {
  const QSize frame = form.size() - form.centralWidget()->size();
  form.resize(QSize(1920, 1080) + frame);
  settle();
  const QColor red = bgr_color(kTraceColor);
  auto draw_trace = [&] {
    form.Form_Resize();
    RunStepper stepper({form.wx, form.x0, form.vx0, form.wy, form.y0, form.vy0}, form.wywx,
                       form.dt);
    for (int i = 0; i < steps; ++i) {
      const RunStep s = stepper.next();
      form.Picture1->LineTo(s.segment_x, s.segment_y, red);
    }
  };
  form.Text4->setText(QStringLiteral(" 1.41421356"));  // a figure that does not close soon
  std::vector<double> with_trace, scene_only;
  std::size_t kept = 0;
  for (int i = 0; i < repetitions; ++i) {
    form.resize(QSize(1920, 1080) + frame);
    draw_trace();
    settle();
    kept = kept_segments(*form.Picture1);
    with_trace.push_back(time_ms([&] { form.resize(QSize(1900, 1070) + frame); }));
    settle();
    form.Form_Resize();  // the trace is gone
    settle();
    scene_only.push_back(time_ms([&] { form.resize(QSize(1920, 1080) + frame); }));
    settle();
  }
  const Stats t = stats_of(with_trace), s = stats_of(scene_only);
  const std::string name =
      "1920×1080, " + std::to_string(steps) + " steps, " + std::to_string(kept) + " segments kept";
  if (steps == 5000) {
    row("resize redraw", name, ms_text(t.median), "max " + ms_text(t.max), "≤ 8 ms",
        time_verdict(t, 8));
    row("resize redraw", "1920×1080, no trace", ms_text(s.median), "max " + ms_text(s.max), "-",
        "info");
  } else {
    row("resize redraw", name, ms_text(t.median), "max " + ms_text(t.max), "-", "info");
  }
  form.Text4->setText(QStringLiteral(" 1.8"));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  prepare_application(app);
  export_long_run();
  list_after_a_million_steps(1.8, "closes after 5 turns");
  list_after_a_million_steps(std::sqrt(2.0), "never closes");
  list_after_a_million_steps(37.3, "fast vertical");
  BenchWindow window;
  replay_on_resize(window.form, 5000, 30);
  replay_on_resize(window.form, 50000, 8);
  return faults ? 1 : 0;
}
