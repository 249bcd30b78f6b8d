// The static scene alone for plot radii from a few metres to 10^9: the grid
// is thinned, so its cost must not grow with the radius.

#include <QApplication>

#include "bench_support.h"
#include "platform/fake_platform.h"
#include "plot/plot_surface.h"
#include "ui/app_setup.h"
#include "window/form1.h"

using namespace orvinda;
using namespace orvinda::bench;

namespace {

constexpr int kWarmUp = 5;
constexpr int kRepetitions = 120;

struct Case {
  const char* name;
  double radius;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  prepare_application(app);
  BenchWindow window;
  Form1& form = window.form;

  const Case cases[] = {{"R = 6", 6}, {"R = 100", 100}, {"R = 1e4", 1e4}, {"R = 1e9", 1e9}};
  constexpr std::size_t kCases = std::size(cases);

  // Sets the parameters for a radius; false when the window's radius differs.
  auto prepare = [&form](const Case& c) {
    // The radius is floor(max(Ax, Ay)) + 2; Ay stays small.
    form.x0 = c.radius - 2;
    form.vx0 = 0;
    form.y0 = 0.5;
    form.vy0 = 0;
    form.parametr();
    form.minmax();
    return form.xmax == c.radius;
  };

  bool usable[kCases] = {};
  for (std::size_t k = 0; k < kCases; ++k) {
    usable[k] = prepare(cases[k]);
    if (!usable[k]) {
      fault(std::string("plot radius for ") + cases[k].name + " came out " + fixed(form.xmax, 1));
      continue;
    }
    for (int i = 0; i < kWarmUp; ++i) {
      form.Picture1->Cls();
      form.axes();
    }
  }

  // The cases take turns, so a change of the processor's speed during the
  // benchmark weighs on all of them alike and the ratios stay fair.
  std::vector<double> times[kCases];
  int operations[kCases] = {};
  for (int i = 0; i < kRepetitions; ++i) {
    for (std::size_t k = 0; k < kCases; ++k) {
      if (!usable[k]) continue;
      prepare(cases[k]);
      form.Picture1->Cls();
      times[k].push_back(time_ms([&] { form.axes(); }));
      operations[k] = form.Picture1->operationCount();
      settle();
    }
  }

  double baseline = 0;
  for (std::size_t k = 0; k < kCases; ++k) {
    if (!usable[k]) continue;
    const Stats s = stats_of(times[k]);
    const std::string case_name =
        std::string(cases[k].name) + " (" + std::to_string(operations[k]) + " drawing ops)";
    if (baseline == 0) {
      baseline = s.median;
      row("axes()", case_name, ms_text(s.median), "max " + ms_text(s.max), "baseline", "-");
    } else {
      const double ratio = s.median / baseline;
      row("axes()", case_name, ms_text(s.median), "max " + ms_text(s.max),
          "< 2x R=6 (now " + fixed(ratio, 2) + "x)", verdict(ratio < 2));
    }
  }
  return faults ? 1 : 0;
}
