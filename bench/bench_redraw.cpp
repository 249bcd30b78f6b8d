// The full redraw of the window at the default client size and at full HD.

#include <QApplication>
#include <QSize>

#include "bench_support.h"
#include "platform/fake_platform.h"
#include "ui/app_setup.h"
#include "window/form1.h"

using namespace orvinda;
using namespace orvinda::bench;

namespace {

constexpr int kWarmUp = 5;
constexpr int kRepetitions = 60;

bool set_client_size(Form1& form, QSize wanted) {
  const QSize frame = form.size() - form.centralWidget()->size();
  form.resize(wanted + frame);
  settle();
  return form.centralWidget()->size() == wanted;
}

QString size_name(QSize s) { return QStringLiteral("%1×%2").arg(s.width()).arg(s.height()); }

void measure(Form1& form, QSize client, double target_ms) {
  const std::string name = size_name(client).toStdString();
  if (!set_client_size(form, client)) {
    fault("client area did not become " + name + ", it is " +
          size_name(form.centralWidget()->size()).toStdString());
    return;
  }
  for (int i = 0; i < kWarmUp; ++i) form.Form_Resize();
  settle();

  std::vector<double> redraw, with_paint;
  for (int i = 0; i < kRepetitions; ++i) {
    redraw.push_back(time_ms([&] { form.Form_Resize(); }));
    settle();
  }
  // What the user waits for: the redraw and the paint it queued.
  for (int i = 0; i < kRepetitions; ++i) {
    with_paint.push_back(time_ms([&] {
      form.Form_Resize();
      QCoreApplication::processEvents();
    }));
    settle();
  }

  const Stats s = stats_of(redraw);
  row("Form_Resize", name, ms_text(s.median), "max " + ms_text(s.max),
      "< " + fixed(target_ms, 0) + " ms", time_verdict(s, target_ms));
  const Stats p = stats_of(with_paint);
  row("Form_Resize", name + " + paint", ms_text(p.median), "max " + ms_text(p.max), "-", "info");
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  prepare_application(app);
  BenchWindow window;
  Form1& form = window.form;

  measure(form, QSize(640, 530), 4);
  measure(form, QSize(1920, 1080), 8);
  return faults ? 1 : 0;
}
