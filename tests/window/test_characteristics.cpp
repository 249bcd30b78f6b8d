// The characteristics of the motion, as computed and as the window shows them.

#include <QLabel>
#include <QLocale>
#include <QtTest>
#include <cmath>

#include "model/characteristics.h"
#include "model/start_values.h"
#include "platform/fake_platform.h"
#include "window/form1.h"

using namespace orvinda;

namespace {
MotionParameters start_values() { return kStartParameters; }
}  // namespace

class TestCharacteristics : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void worked_example() {
    const Characteristics c = compute_characteristics(start_values(), 0, false);
    QCOMPARE(qRound(c.ax * 1000), 4243);
    QCOMPARE(qRound(c.ay * 1000), 3199);
    QCOMPARE(qRound(c.fix * 1000), 785);
    QCOMPARE(qRound(c.fiy * 1000), 355);
    QCOMPARE(qRound(c.ayax * 1000), 754);
    QCOMPARE(qRound(c.dj * 1000), -137);
    QCOMPARE(c.wywx, 1.8f);
    QCOMPARE(c.np, std::int16_t(50));
    // Single precision, as stored: 0.1256637 / 1.8 rounded to a float.
    QCOMPARE(c.dt, static_cast<float>((6.283185307 / 50) / static_cast<double>(1.8f)));
    QCOMPARE(QString::number(c.dt, 'g', 6), QStringLiteral("0.0698132"));
  }

  void phase_data() {
    QTest::addColumn<double>("coordinate");
    QTest::addColumn<double>("velocity");
    QTest::addColumn<double>("expected");
    // clang-format off
    QTest::newRow("first quadrant") << 3.0 << 3.0 << 0.785;
    QTest::newRow("negative coordinate keeps its quadrant") << -3.0 << 3.0 << 2.356;
    QTest::newRow("third quadrant") << -3.0 << -3.0 << -2.356;
    QTest::newRow("on the axis, moving down") << 0.0 << -2.0 << -1.571;
    QTest::newRow("on the axis, moving up") << 0.0 << 2.0 << 1.571;
    QTest::newRow("negative turning point") << -3.0 << 0.0 << 3.142;
    QTest::newRow("positive turning point") << 3.0 << 0.0 << 0.0;
    QTest::newRow("negative zero velocity") << -3.0 << -0.0 << 3.142;
    QTest::newRow("rest point") << 0.0 << 0.0 << 1.571;
    // clang-format on
  }

  void phase() {
    QFETCH(double, coordinate);
    QFETCH(double, velocity);
    QFETCH(double, expected);
    QCOMPARE(std::round(initial_phase(coordinate, velocity, 1) * 1000) / 1000, expected);
  }

  void rest_point_phase_is_the_fixed_constant() { QCOMPARE(initial_phase(0, 0, 1), 1.57079632675); }

  void time_step_data() {
    QTest::addColumn<double>("wy");
    QTest::addColumn<float>("expected");
    const double period = 6.283185307 / 50;
    // clang-format off
    QTest::newRow("equal frequencies") << 1.0 << static_cast<float>(period);
    QTest::newRow("double") << 2.0 << static_cast<float>(period / 2);
    QTest::newRow("slower vertical") << 0.5 << static_cast<float>(period);
    // clang-format on
  }

  void time_step() {
    QFETCH(double, wy);
    QFETCH(float, expected);
    MotionParameters p = start_values();
    p.wy = wy;
    QCOMPARE(compute_characteristics(p, 0, false).dt, expected);
  }

  void amplitude_ratio_kept_when_ax_is_zero() {
    MotionParameters p = start_values();
    const Characteristics before = compute_characteristics(p, 0, false);
    p.x0 = 0;
    p.vx0 = 0;
    const Characteristics at_rest = compute_characteristics(p, before.ayax, before.ayax_defined);
    QCOMPARE(at_rest.ax, 0.0);
    QCOMPARE(at_rest.ayax, before.ayax);
    p.x0 = 1;
    QCOMPARE(compute_characteristics(p, at_rest.ayax, true).ayax, at_rest.ay / 1.0);
  }

  void phase_difference_in_units_of_pi() {
    MotionParameters p{1, 1, 1, 1, 1, -1.0f};
    const Characteristics c = compute_characteristics(p, 0, false);
    QCOMPARE(std::round(c.dj * 1000) / 1000, -0.5);
  }

  void extreme_inputs_stay_finite() {
    const double big = std::numeric_limits<double>::max();
    MotionParameters p{1, big, big, 1e-320, -big, std::numeric_limits<float>::max()};
    const Characteristics c = compute_characteristics(p, 0, false);
    for (double v : {c.ax, c.ay, c.fix, c.fiy, c.ayax, c.dj, double(c.wywx), double(c.dt)}) {
      QVERIFY(std::isfinite(v));
    }
    p.wy = 1e300;  // the ratio overflows a float
    const Characteristics fast = compute_characteristics(p, 0, false);
    QVERIFY(std::isfinite(fast.wywx));
    QVERIFY(fast.dt > 0);
  }

  // The seven labels at start-up, with the user's decimal separator.
  void labels_at_start() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    const QString sep = QLocale::system().decimalPoint();
    auto expect = [&sep](QString text) { return text.replace(QLatin1Char('.'), sep); };
    QCOMPARE(form.Label12->text(), expect(QStringLiteral("Ax=4.243E+00 м")));
    QCOMPARE(form.Label13->text(), expect(QStringLiteral("fi_x=0.785 ")));
    QCOMPARE(form.Label14->text(), expect(QStringLiteral("Ay=3.199E+00 м")));
    QCOMPARE(form.Label15->text(), expect(QStringLiteral("fi_y=0.355 ")));
    QCOMPARE(form.Label16->text(), expect(QStringLiteral("Ay/Ax=0.754 ")));
    QCOMPARE(form.Label17->text(), expect(QStringLiteral("Δφ=-0.137π")));
    QCOMPARE(form.Label18->text(), expect(QStringLiteral("Wy/Wx=1.800 ")));
  }

  void labels_for_the_rest_point() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.x0 = 0;
    form.vx0 = 0;
    form.Form_Resize();
    const QString sep = QLocale::system().decimalPoint();
    QCOMPARE(form.Label12->text(), QStringLiteral("Ax=0.000E+00 м").replace(".", sep));
    QCOMPARE(form.Label13->text(), QStringLiteral("fi_x=1.571 ").replace(".", sep));
    QCOMPARE(form.Label16->text(), QStringLiteral("Ay/Ax -->00"));
  }
};

QTEST_MAIN(TestCharacteristics)
#include "test_characteristics.moc"
