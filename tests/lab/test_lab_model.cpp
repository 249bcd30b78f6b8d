// The bench's model: variants, the beam and its drift, the statistics, the
// ellipse's error and grading at the edges of the error.

#include <QtTest>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "tools/lab/model/beam.h"
#include "tools/lab/model/ellipse_phase.h"
#include "tools/lab/model/lab_statistics.h"
#include "tools/lab/model/lab_variant.h"
#include "tools/lab/model/lab_work.h"

using namespace orvinda;

namespace {

constexpr double kTurn = 2 * std::numbers::pi;

std::vector<FrequencyRow> rows_for(double fx, double dial_scale,
                                   const std::vector<std::pair<int, int>>& counts) {
  // Each row's dial set where the figure of Nг, Nв stands still.
  std::vector<FrequencyRow> rows;
  for (auto [ng, nv] : counts) rows.push_back({ng, nv, fx * ng / nv * dial_scale});
  return rows;
}

}  // namespace

class TestLabModel : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void variantGolden_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QList<int>>("hidden");
    // fx (0.01 Hz), ax (0.01 V), phase (0.1°), scale error (‰), shift (0.1°),
    // the shifter's amplitudes (0.01 V).
    QTest::newRow("1") << 1 << QList<int>{14094, 215, 2124, 7, 1457, 106, 310};
    QTest::newRow("2") << 2 << QList<int>{31834, 152, 701, -1, 691, 317, 330};
    QTest::newRow("12345") << 12345 << QList<int>{19786, 269, 2685, -7, 1590, 109, 241};
    QTest::newRow("99999") << 99999 << QList<int>{14604, 114, 2300, 7, 1624, 260, 149};
  }
  void variantGolden() {
    QFETCH(int, code);
    QFETCH(QList<int>, hidden);
    const LabVariant v = lab_variant(code);
    const QList<int> got{v.fx_centihertz,        v.ax_centivolts,     v.phase_x_decidegrees,
                         v.scale_error_permille, v.shift_decidegrees, v.shifter_ax_centivolts,
                         v.shifter_ay_centivolts};
    QCOMPARE(got, hidden);
  }

  void variantsStayOnTheirGrids() {
    bool negative = false, positive = false;
    for (int code = 1; code <= 3000; ++code) {
      const LabVariant v = lab_variant(code);
      QVERIFY(v.fx_hz() >= 40 && v.fx_hz() <= 400);
      QVERIFY(std::abs(v.scale_error_permille) <= 10);
      QVERIFY(v.shift_deg() >= 10 && v.shift_deg() <= 170);
      QVERIFY(v.ax_volts() >= 1 && v.ax_volts() <= 4);
      negative |= v.scale_error_permille < 0;
      positive |= v.scale_error_permille > 0;
    }
    QVERIFY(negative && positive);
    QVERIFY(lab_variant(7).fx_centihertz != lab_variant(8).fx_centihertz);
  }

  void driftPeriod_data() {
    QTest::addColumn<double>("fx");
    QTest::addColumn<double>("fgen");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("q");
    QTest::newRow("1:1 0.5 Hz off") << 100.0 << 100.5 << 1 << 1;
    QTest::newRow("3:2 below") << 123.45 << 184.9 << 3 << 2;
    QTest::newRow("1:2 slow") << 400.0 << 199.8 << 1 << 2;
    QTest::newRow("5:3 fast beat") << 60.0 << 101.0 << 5 << 3;
    QTest::newRow("2:1") << 40.0 << 80.25 << 2 << 1;
  }
  void driftPeriod() {
    QFETCH(double, fx);
    QFETCH(double, fgen);
    QFETCH(int, p);
    QFETCH(int, q);
    // The figure's shape is q·φy − p·φx: time it through one whole turn on
    // the beam's own phases, frame by frame.
    Beam beam;
    beam.x = {fx, 1, 0};
    beam.y = {fgen, 1, 0};
    beam.set_phases(0.3, 1.1);
    const auto shape = [&] { return q * beam.phase_y() - p * beam.phase_x(); };
    double last = shape(), turned = 0, t = 0;
    const double frame = 1.0 / 240;
    while (std::fabs(turned) < kTurn && t < 100) {
      beam.advance(frame, frame);
      t += frame;
      const double now = shape();
      turned += std::remainder(now - last, kTurn);
      last = now;
    }
    // The last frame overshoots by a part of itself.
    const double overshoot = (std::fabs(turned) - kTurn) / std::fabs(turned) * t;
    const double measured = t - overshoot;
    const double expected = drift_period(fx, fgen, p, q);
    QVERIFY2(std::fabs(measured - expected) <= 0.01 * expected,
             qPrintable(QStringLiteral("%1 s, expected %2 s").arg(measured).arg(expected)));
  }

  void stillFigureHasNoDrift() { QVERIFY(std::isinf(drift_period(100, 150, 3, 2))); }

  void beamIsDenseBetweenFrames_data() {
    QTest::addColumn<double>("fx");
    QTest::addColumn<double>("fy");
    QTest::newRow("X faster") << 400.0 << 10.0;
    QTest::newRow("Y faster") << 40.0 << 2000.0;
    QTest::newRow("equal") << 250.0 << 250.0;
  }
  void beamIsDenseBetweenFrames() {
    QFETCH(double, fx);
    QFETCH(double, fy);
    Beam beam;
    beam.x = {fx, 2, 0.4};
    beam.y = {fy, 3, 0};
    beam.set_phases(0.7, 0.2);
    const double most_gap = 1 / std::max(fx, fy) / kSamplesPerPeriod;
    // Irregular frames, as a busy desktop gives them.
    const std::vector<double> frames{1.0 / 60, 0.017, 0.033, 0.001, 0.25, 1.0 / 60};
    double start = 0;
    std::optional<BeamPoint> previous_end;
    for (double dt : frames) {
      const std::vector<BeamPoint> points = beam.advance(dt, 10);
      QVERIFY(points.size() >= 2);
      QCOMPARE(points.front().t, 0.0);
      QVERIFY(std::fabs(points.back().t - dt) < 1e-12);
      if (previous_end) {
        QVERIFY(std::fabs(points.front().x - previous_end->x) < 1e-9);
        QVERIFY(std::fabs(points.front().y - previous_end->y) < 1e-9);
      }
      for (std::size_t i = 1; i < points.size(); ++i) {
        QVERIFY2(points[i].t - points[i - 1].t <= most_gap * (1 + 1e-9),
                 qPrintable(QStringLiteral("gap %1 s").arg(points[i].t - points[i - 1].t)));
      }
      // The signal at wall-clock time, from the start phases.
      const BeamPoint& last = points.back();
      const double t = start + dt;
      QVERIFY(std::fabs(last.x - 2 * std::cos(0.7 + kTurn * fx * t - 0.4)) < 1e-6);
      QVERIFY(std::fabs(last.y - 3 * std::cos(0.2 + kTurn * fy * t)) < 1e-6);
      previous_end = last;
      start = t;
    }
  }

  void longPauseSamplesOnlyWhatStillGlows() {
    Beam beam;
    beam.x = {400, 1, 0};
    beam.y = {2000, 1, 0};
    const std::vector<BeamPoint> points = beam.advance(3600, 2);
    QVERIFY(points.size() <= std::size_t(2 * 2000 * kSamplesPerPeriod + 2));
    QVERIFY(std::fabs(points.front().t - 3598) < 1e-9);
    QVERIFY(beam.phase_x() >= 0 && beam.phase_x() < kTurn);
  }

  void afterglowFades() {
    QCOMPARE(afterglow_brightness(0, 0.5), 1.0);
    QVERIFY(std::fabs(afterglow_brightness(0.5, 0.5) - 0.05) < 1e-12);
    // Fading frame by frame is fading at once.
    const double step = afterglow_brightness(0.016, 2);
    QVERIFY(std::fabs(std::pow(step, 10) - afterglow_brightness(0.16, 2)) < 1e-12);
    QVERIFY(afterglow_brightness(0.1, 0.02) < afterglow_brightness(0.1, 2));
  }

  void studentCoefficients_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("t");
    // P = 0.95, n − 1 degrees of freedom, from the printed tables.
    QTest::newRow("3") << 3 << 4.30;
    QTest::newRow("4") << 4 << 3.18;
    QTest::newRow("5") << 5 << 2.78;
    QTest::newRow("6") << 6 << 2.57;
    QTest::newRow("7") << 7 << 2.45;
    QTest::newRow("8") << 8 << 2.36;
    QTest::newRow("9") << 9 << 2.31;
    QTest::newRow("10") << 10 << 2.26;
  }
  void studentCoefficients() {
    QFETCH(int, n);
    QFETCH(double, t);
    QCOMPARE(student_coefficient(n), t);
  }

  void statistics() {
    const Estimate e = estimate({10, 12, 11, 13, 14}, 0.12);
    QCOMPARE(e.n, 5);
    QVERIFY(std::fabs(e.mean - 12) < 1e-12);
    const double s = std::sqrt(10.0 / 4);  // deviations 2, 0, 1, 1, 2
    QVERIFY(std::fabs(e.random - 2.78 * s / std::sqrt(5.0)) < 1e-12);
    QVERIFY(std::fabs(e.total - std::sqrt(e.random * e.random + 0.12 * 0.12)) < 1e-12);
    // One reading has no spread to go by; equal readings have none.
    QCOMPARE(estimate({5}, 0.1).random, 0.0);
    QCOMPARE(estimate({5, 5, 5}, 0.1).total, 0.1);
    // Δсист = γ·f̄.
    const Estimate f = frequency_estimate(rows_for(200, 1, {{1, 1}, {1, 2}, {2, 1}}), 0.01);
    QVERIFY(std::fabs(f.mean - 200) < 1e-9 && std::fabs(f.systematic - 2) < 1e-9);
  }

  void ellipseReading_data() {
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("a");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("phi0");
    QTest::addColumn<double>("error");  // δφ, or −1 for an interval
    QTest::addColumn<double>("low");
    const double deg = 180 / std::numbers::pi;
    // tg 30° · √((0.1/3)² + (0.1/6)²), in degrees.
    QTest::newRow("30°") << 3.0 << 6.0 << true << 30.0
                         << std::tan(30 / deg) * std::sqrt(1.0 / 900 + 1.0 / 3600) * deg << 0.0;
    QTest::newRow("small chord") << 0.5 << 7.0 << true << std::asin(0.5 / 7) * deg
                                 << std::tan(std::asin(0.5 / 7)) * std::sqrt(0.04 + 0.01 / 49) * deg
                                 << 0.0;
    QTest::newRow("just outside 10° of 90°")
        << 4.9 << 4.99 << true << std::asin(4.9 / 4.99) * deg
        << std::tan(std::asin(4.9 / 4.99)) * std::sqrt(0.01 / (4.9 * 4.9) + 0.01 / (4.99 * 4.99)) *
               deg
        << 0.0;
    QTest::newRow("just inside 10° of 90°") << 4.9 << 4.97 << true << std::asin(4.9 / 4.97) * deg
                                            << -1.0 << std::asin(4.8 / 5.07) * deg;
    QTest::newRow("near 90°: interval")
        << 5.95 << 6.0 << true << std::asin(5.95 / 6) * deg << -1.0 << std::asin(5.85 / 6.1) * deg;
    QTest::newRow("b a little above a: 90°")
        << 6.15 << 6.0 << true << 90.0 << -1.0 << std::asin(6.05 / 6.1) * deg;
    QTest::newRow("b at the limit a + δa + δb") << 6.2 << 6.0 << true << 90.0 << -1.0 << 90.0;
    QTest::newRow("b beyond the limit") << 6.21 << 6.0 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("zero chord") << 0.0 << 6.0 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("zero height") << 1.0 << 0.0 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("not a number") << std::nan("") << 6.0 << false << 0.0 << 0.0 << 0.0;
  }
  void ellipseReading() {
    QFETCH(double, b);
    QFETCH(double, a);
    QFETCH(bool, accepted);
    QFETCH(double, phi0);
    QFETCH(double, error);
    QFETCH(double, low);
    const ChordReading r = phase_from_chords(b, a);
    QCOMPARE(r.accepted(), accepted);
    if (!accepted) {
      QVERIFY(!r.refusal.empty());
      return;
    }
    QVERIFY(std::fabs(r.phi0_deg - phi0) < 1e-9);
    QCOMPARE(r.interval, error < 0);
    if (error >= 0) QVERIFY(std::fabs(r.error_deg - error) < 1e-9);
    if (r.interval) QVERIFY(std::fabs(r.low_deg - low) < 1e-9);
  }

  void tiltGivesTheQuadrant() {
    QCOMPARE(phase_for_tilt(30, Tilt::kFirstThird), 30.0);
    QCOMPARE(phase_for_tilt(30, Tilt::kSecondFourth), 150.0);
  }

  void frequencyGradingAtTheEdges_data() {
    QTest::addColumn<double>("offset");  // of the truth, in units of the total error
    QTest::addColumn<bool>("passed");
    QTest::newRow("just inside above") << 0.999 << true;
    QTest::newRow("just outside above") << 1.001 << false;
    QTest::newRow("just inside below") << -0.999 << true;
    QTest::newRow("just outside below") << -1.001 << false;
  }
  void frequencyGradingAtTheEdges() {
    QFETCH(double, offset);
    QFETCH(bool, passed);
    std::vector<FrequencyRow> rows = rows_for(150, 1, {{1, 1}, {1, 2}, {2, 1}, {2, 3}, {3, 2}});
    rows[1].dial_hz += 0.4;  // some spread
    const Estimate e = frequency_estimate(rows, 0.01);
    QVERIFY(e.random > 0);
    QCOMPARE(grade_frequency(rows, 0.01, e.mean + offset * e.total).passed, passed);
  }

  void phaseGradingAtTheEdges_data() {
    QTest::addColumn<double>("offset");
    QTest::addColumn<bool>("passed");
    QTest::newRow("just inside") << 0.999 << true;
    QTest::newRow("just outside") << 1.001 << false;
    QTest::newRow("just inside below") << -0.999 << true;
    QTest::newRow("just outside below") << -1.001 << false;
  }
  void phaseGradingAtTheEdges() {
    QFETCH(double, offset);
    QFETCH(bool, passed);
    const std::vector<ChordRow> rows{{3.0, 6.0}, {2.1, 4.0}, {3.9, 8.0}};
    const PhaseEstimate p = phase_estimate(rows, Tilt::kSecondFourth);
    QVERIFY(!p.interval);
    QVERIFY(std::fabs(p.phi_deg - (180 - p.phi0.mean)) < 1e-12);
    QCOMPARE(grade_phase(rows, Tilt::kSecondFourth, p.phi_deg + offset * p.phi0.total).passed,
             passed);
  }

  void phaseIntervalNearRightAngle() {
    const std::vector<ChordRow> rows{{5.9, 6.0}, {5.95, 6.0}, {5.0, 5.05}};
    const PhaseEstimate p = phase_estimate(rows, Tilt::kSecondFourth);
    QVERIFY(p.interval);
    QCOMPARE(p.low_deg, 90.0);
    QVERIFY(p.high_deg > 100 && p.high_deg < 125);
    QVERIFY(grade_phase(rows, Tilt::kSecondFourth, 95).passed);
    QVERIFY(!grade_phase(rows, Tilt::kSecondFourth, 85).passed);
    QVERIFY(grade_phase(rows, Tilt::kFirstThird, 85).passed);
  }

  void likelyMistake_data() {
    QTest::addColumn<int>("task");
    QTest::addColumn<QString>("mistake");
    QTest::newRow("swapped counts") << 1 << QStringLiteral("перепутаны Nг и Nв");
    QTest::newRow("a row far off") << 2 << QStringLiteral("Строка № 3");
    QTest::newRow("wrong quadrant") << 3 << QStringLiteral("не та четверть");
  }
  void likelyMistake() {
    QFETCH(int, task);
    QFETCH(QString, mistake);
    Verdict v;
    if (task == 1) {
      std::vector<FrequencyRow> rows = rows_for(150, 1, {{1, 2}, {2, 3}, {1, 3}, {2, 5}, {3, 4}});
      for (FrequencyRow& r : rows) std::swap(r.ng, r.nv);
      v = grade_frequency(rows, 0.01, 150);
    } else if (task == 2) {
      // Five rows agree; the third, 5 % off, pulls the mean and its error.
      std::vector<FrequencyRow> rows =
          rows_for(150, 1, {{1, 1}, {1, 2}, {2, 1}, {2, 3}, {3, 2}, {1, 3}});
      rows[2].dial_hz *= 1.053;
      v = grade_frequency(rows, 0.01, 145);
    } else {
      v = grade_phase({{3.0, 6.0}, {2.0, 4.0}, {4.0, 8.0}}, Tilt::kFirstThird, 150);
    }
    QVERIFY(!v.passed);
    QVERIFY2(QString::fromStdString(v.mistake).contains(mistake), v.mistake.c_str());
  }

  void distinctRatios() {
    const std::vector<FrequencyRow> rows{{1, 2, 100}, {2, 4, 100}, {2, 1, 100}, {3, 2, 100}};
    QCOMPARE(distinct_ratios(rows), 3);
  }

  void typedInput_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");       // 0: refused
    QTest::addColumn<double>("reading");  // −1: refused
    QTest::newRow("whole") << "3" << 3 << 3.0;
    QTest::newRow("blanks") << " 12 " << 12 << 12.0;
    QTest::newRow("zero") << "0" << 0 << 0.0;
    QTest::newRow("negative") << "-2" << 0 << -1.0;
    QTest::newRow("comma") << "2,5" << 0 << 2.5;
    QTest::newRow("point") << "0.35" << 0 << 0.35;
    QTest::newRow("word") << "три" << 0 << -1.0;
    QTest::newRow("empty") << "" << 0 << -1.0;
    QTest::newRow("two separators") << "1,2.3" << 0 << -1.0;
    QTest::newRow("lone point") << "." << 0 << -1.0;
    QTest::newRow("huge count") << "100" << 0 << 100.0;
  }
  void typedInput() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(double, reading);
    const std::string s = text.toStdString();
    QCOMPARE(parse_count(s).value_or(0), count);
    QVERIFY(std::fabs(parse_reading(s).value_or(-1) - reading) < 1e-12);
  }

  void resultRounding_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("error");
    QTest::addColumn<QString>("text");
    QTest::newRow("hertz") << 123.456 << 1.234 << "123,5 ± 1,2";
    QTest::newRow("small error") << 0.5 << 0.0123 << "0,500 ± 0,012";
    QTest::newRow("large error") << 1234.4 << 25.0 << "1234 ± 25";
    QTest::newRow("degrees") << 149.96 << 2.04 << "150,0 ± 2,0";
  }
  void resultRounding() {
    QFETCH(double, value);
    QFETCH(double, error);
    QFETCH(QString, text);
    const ResultText r = result_text(value, error);
    QCOMPARE(QString::fromStdString(r.value + " ± " + r.error), text);
  }
};

QTEST_APPLESS_MAIN(TestLabModel)
#include "test_lab_model.moc"
