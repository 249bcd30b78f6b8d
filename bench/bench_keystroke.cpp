// From a key pressed in the Xo box to the end of every redraw it sets off:
// the box's handler, its rewrite to the normal form and the nested redraws
// all run inside the key event.

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "bench_support.h"
#include "platform/fake_platform.h"
#include "ui/app_setup.h"
#include "window/form1.h"

using namespace orvinda;
using namespace orvinda::bench;

namespace {

constexpr int kKeystrokes = 100;
constexpr double kTargetMs = 8;

struct Series {
  std::vector<double> times;
  int redraws = 0;
};

// Even keystrokes replace the whole text, odd ones append at its end.
void type_digits(Form1& form, Series& replace, Series& append, bool with_paint) {
  QLineEdit* box = form.Text2;
  for (int i = 0; i < kKeystrokes; ++i) {
    const bool replacing = i % 2 == 0;
    const char digit = static_cast<char>('1' + i % 9);
    if (replacing) {
      box->selectAll();
    } else {
      box->end(false);
    }
    // The box keeps the text as typed until Enter.
    const QString expected = (replacing ? QString() : box->text()) + QLatin1Char(digit);
    const int redraws_before = form.redrawCount();
    const double ms = time_ms([&] {
      QTest::keyClick(box, digit);
      if (with_paint) QCoreApplication::processEvents();
    });
    Series& series = replacing ? replace : append;
    series.times.push_back(ms);
    series.redraws = form.redrawCount() - redraws_before;
    if (box->text() != expected) {
      fault("Xo box reads '" + box->text().toStdString() + "' after typing, expected '" +
            expected.toStdString() + "'");
      return;
    }
    settle();
  }
}

void report(const std::string& name, const Series& s, bool judged) {
  const Stats st = stats_of(s.times);
  const std::string redraws = std::to_string(s.redraws) + (s.redraws == 1 ? " redraw" : " redraws");
  row("keystroke in Xo", name + " (" + redraws + ")", ms_text(st.median), "max " + ms_text(st.max),
      judged ? "< 8 ms" : "-", judged ? time_verdict(st, kTargetMs) : "info");
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  prepare_application(app);
  BenchWindow window;
  Form1& form = window.form;
  form.activateWindow();
  if (!QTest::qWaitForWindowActive(&form, 2000)) std::fprintf(stderr, "window not active\n");
  if (form.centralWidget()->size() != QSize(640, 530)) {
    fault("client area is not 640×530 at start-up");
  }
  form.Text2->setFocus();
  settle();

  Series replace, append;
  type_digits(form, replace, append, false);
  std::vector<double> all = replace.times;
  all.insert(all.end(), append.times.begin(), append.times.end());
  report("select all + digit", replace, true);
  report("digit at end", append, true);
  const Stats st = stats_of(all);
  row("keystroke in Xo", "all " + std::to_string(all.size()), ms_text(st.median),
      "max " + ms_text(st.max), "< 8 ms", time_verdict(st, kTargetMs));

  Series replace_paint, append_paint;
  type_digits(form, replace_paint, append_paint, true);
  std::vector<double> painted = replace_paint.times;
  painted.insert(painted.end(), append_paint.times.begin(), append_paint.times.end());
  const Stats sp = stats_of(painted);
  row("keystroke in Xo", "all " + std::to_string(painted.size()) + " + paint", ms_text(sp.median),
      "max " + ms_text(sp.max), "-", "info");
  return faults ? 1 : 0;
}
