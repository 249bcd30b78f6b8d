// Odd events the window must survive: a resize while a rejected frequency
// sounds its tone, a storm of forced resizes during a run, extreme values
// run for a long time, and a move to a screen with another pixel ratio.

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>
#include <cmath>
#include <limits>

#include "model/characteristics.h"
#include "model/device_layout.h"
#include "model/run_stepper.h"
#include "platform/fake_platform.h"
#include "plot/device.h"
#include "plot/plot_range.h"
#include "plot/plot_surface.h"
#include "plot/scale_mapping.h"
#include "window/form1.h"

using namespace orvinda;

namespace {

constexpr double kBig = std::numeric_limits<double>::max();

void resize_client(Form1& form, QSize client) {
  const QSize frame = form.size() - form.centralWidget()->size();
  form.resize(client + frame);
}

bool red(QColor c) { return c.red() > 200 && c.green() < 90 && c.blue() < 90; }

int red_pixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += red(image.pixelColor(x, y)) ? 1 : 0;
  }
  return count;
}

// Counts the resizes a window goes through, and those back to one size.
struct ResizeCounter : QObject {
  QSize back_to;
  int resizes = 0;
  int backs = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Resize) {
      ++resizes;
      if (static_cast<QResizeEvent*>(event)->size() == back_to) ++backs;
    }
    return false;
  }
};

}  // namespace

class TestRobustness : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The tone's event loop lets a resize through. It must not redraw with the
  // rejected value, nor reject it a second time.
  void resize_during_the_rejection_tone_waits() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    resize_client(form, QSize(640, 530));
    double stored_during_tone = 0;
    platform.while_tone_sounds = [&] {
      stored_during_tone = form.wy;
      resize_client(form, QSize(740, 640));
    };
    QString box_text_under_the_message;
    QString label_under_the_message;
    platform.while_message_open = [&] {
      box_text_under_the_message = form.Text4->text();
      label_under_the_message = form.Label18->text();
    };
    form.Text4->setText(QStringLiteral("0"));

    QCOMPARE(platform.tones.size(), std::size_t(1));
    QCOMPARE(platform.messages.size(), std::size_t(1));
    QVERIFY(stored_during_tone > 0);
    QCOMPARE(box_text_under_the_message, QStringLiteral("0"));
    QCOMPARE(label_under_the_message, QStringLiteral("Wy/Wx=1.800 "));  // not redrawn yet
    QCOMPARE(form.Text4->text(), QStringLiteral(" 2"));
    QCOMPARE(form.wy, 2.0);
    QCOMPARE(form.Label18->text(), QStringLiteral("Wy/Wx=2.000 "));
    // The waiting redraw has placed everything for the new size.
    QCOMPARE(form.Picture1->geometry(), QRect(5, 5, 585, 585));
    QCOMPARE(form.CmdOK->geometry(), QRect(665, 610, 70, 25));
  }

  // Forced resizes during a run are answered by one resize back per step at
  // most, and the trace drawn so far stays.
  void storm_of_forced_resizes_during_a_run() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.HScroll1->setValue(1);
    ResizeCounter counter;
    int redraws_at_storm = 0;
    int red_before = 0;
    const auto connection = QObject::connect(&form, &Form1::stepTaken, &form, [&] {
      const long long step = form.runSteps();
      if (step == 20) {
        counter.back_to = form.size();
        red_before = red_pixels(form.Picture1->picture());
        redraws_at_storm = form.redrawCount();
        form.installEventFilter(&counter);
        // The window system forces sizes the fixed window does not allow.
        for (int i = 0; i < 60; ++i) {
          form.windowHandle()->resize(counter.back_to + QSize(10 + i, 7 + i));
          QCoreApplication::processEvents();
        }
      }
      if (step == 26) form.CmdOK->click();
    });
    form.CmdOK->click();
    QObject::disconnect(connection);
    form.removeEventFilter(&counter);

    QCOMPARE(counter.resizes - counter.backs, 60);  // the storm reached the window
    // Steps 21 ... 26 could each answer once; one answer is all it takes.
    QVERIFY2(counter.backs >= 1 && counter.backs <= 6,
             qPrintable(QStringLiteral("%1 resizes back").arg(counter.backs)));
    QCOMPARE(form.size(), counter.back_to);
    QCOMPARE(form.redrawCount(), redraws_at_storm);  // nothing redrawn
    QVERIFY(red_before > 100);
    QVERIFY(red_pixels(form.Picture1->picture()) >= red_before);
  }

  // Extreme values, run long: every coordinate and every size of the device
  // stays finite and within what the surface can draw.
  void extreme_values_stay_drawable_data() {
    QTest::addColumn<double>("wy");
    QTest::addColumn<double>("x0");
    QTest::addColumn<double>("vx0");
    for (double wy : {1e-300, 1e-38, 1e38, 1e300, kBig}) {
      for (double x0 : {kBig, -kBig}) {
        for (double vx0 : {kBig, -kBig}) {
          QTest::addRow("wy=%g x0=%s vx0=%s", wy, x0 > 0 ? "+max" : "-max",
                        vx0 > 0 ? "+max" : "-max")
              << wy << x0 << vx0;
        }
      }
    }
  }

  void extreme_values_stay_drawable() {
    QFETCH(double, wy);
    QFETCH(double, x0);
    QFETCH(double, vx0);
    const MotionParameters p{1, x0, vx0, wy, x0, static_cast<float>(vx0 > 0 ? 3e38 : -3e38)};
    const Characteristics c = compute_characteristics(p, 0, false);
    QVERIFY(std::isfinite(c.ax) && std::isfinite(c.ay) && std::isfinite(c.dt) && c.dt > 0);
    const PlotRange r = plot_range(c.ax, c.ay);
    const ScaleMapping m(r.xmin, r.ymax, r.xmax, r.ymin, 485, 485);
    // The pieces' design sizes in pixels, in metres of this range.
    DeviceSizes s;
    s.ball_w = s.ball_h = s.block_w = s.block_h = s.vspring_w = 24 * m.unit_per_px_x();
    s.bar_w = 4 * m.unit_per_px_x();
    auto drawable = [&](double x_metres, double y_metres) {
      const double px = m.to_px_x(x_metres), py = m.to_px_y(y_metres);
      return std::isfinite(px) && std::isfinite(py) && std::fabs(px) <= 2 * 485 &&
             std::fabs(py) <= 2 * 485;
    };
    auto length_ok = [&](double metres) {
      return std::isfinite(metres) && metres >= 0 && metres / m.unit_per_px_x() <= 3 * 485;
    };
    const DevicePlacement start = initial_device_placement(p.x0, p.y0, r.xmin, r.ymax, r.ymin, s);
    QVERIFY(length_ok(start.hspring_width) && length_ok(start.vspring_height) &&
            length_ok(start.bar_height));
    RunStepper stepper(p, c.wywx, c.dt);
    for (int i = 0; i < 200000; ++i) {
      const RunStep step = stepper.next();
      if (!drawable(step.segment_x, step.segment_y) || !drawable(step.x, step.y)) {
        QFAIL(qPrintable(QStringLiteral("step %1 at (%2, %3)").arg(i).arg(step.x).arg(step.y)));
      }
      const DeviceMove d = moved_device(step.x, step.y, r.xmin, r.ymax, s);
      if (!drawable(d.ball_left, d.ball_top) || !drawable(d.bar_left, r.ymax) ||
          !drawable(d.block_left, r.ymax) || !drawable(d.vspring_left, r.ymax) ||
          !length_ok(d.hspring_width) || !length_ok(d.vspring_height)) {
        QFAIL(qPrintable(QStringLiteral("device at step %1: spring %2 x %3")
                             .arg(i)
                             .arg(d.hspring_width)
                             .arg(d.vspring_height)));
      }
    }
  }

  // A move to a screen with another pixel ratio keeps the picture: scene and
  // trace, drawn again sharp for the new screen.
  void new_pixel_ratio_keeps_the_picture() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    QVERIFY2(screens.size() == 2, "the test runs on two offscreen screens");
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.HScroll1->setValue(1);
    const auto connection = QObject::connect(&form, &Form1::stepTaken, &form, [&] {
      if (form.runSteps() == 60) form.CmdOK->click();
    });
    form.CmdOK->click();
    QObject::disconnect(connection);
    const QImage before = form.Picture1->picture().copy();
    QCOMPARE(before.devicePixelRatio(), 1.0);
    const int red_before = red_pixels(before);
    QVERIFY(red_before > 100);

    form.windowHandle()->setScreen(screens[1]);
    QCoreApplication::processEvents();
    const QImage& after = form.Picture1->picture();
    QCOMPARE(after.devicePixelRatio(), 2.0);
    QCOMPARE(after.size(), before.size() * 2);
    // Four device pixels for every pixel of before, give or take the edges.
    QVERIFY(red_pixels(after) > 3 * red_before);
    QCOMPARE(after.pixelColor(form.Picture1->mapping().to_px_x(1) * 2, 10), QColor(128, 255, 128));
  }
};

// Two offscreen screens, the second at twice the pixel ratio.
int main(int argc, char* argv[]) {
  QTemporaryDir dir;
  const QString config = dir.filePath(QStringLiteral("screens.json"));
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return 1;
  file.write(R"({"screens": [
    {"name": "one", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "dpr": 1},
    {"name": "two", "x": 1920, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "dpr": 2}
  ]})");
  file.close();
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.toLocal8Bit());
  QApplication app(argc, argv);
  TestRobustness test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_robustness.moc"
