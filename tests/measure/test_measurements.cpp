// Measuring on the figure: where a segment's end snaps, the segment's
// readout, and the ellipse method's a and b.

#include <QtTest>
#include <cmath>

#include "model/numbers.h"
#include "support/run_traces.h"
#include "tools/measure/model/drawn_figure.h"
#include "tools/measure/model/ellipse_method.h"
#include "tools/measure/model/figure_nodes.h"
#include "tools/measure/model/segment_measure.h"
#include "tools/measure/model/snapping.h"

using namespace orvinda;
using namespace orvinda::testing;

Q_DECLARE_METATYPE(orvinda::SnapTarget)

namespace {

constexpr double kSnap = 3 * kPixel;  // "within a few pixels"

// The figure as a run leaves it after `laps` closed figures.
DrawnFigure drawn(Figure f, double laps) {
  const MotionParameters p = figure_parameters(f);
  return DrawnFigure(p, to_single(p.wy / p.wx), laps * 2 * std::numbers::pi * f.wx);
}

// A 1 : 1 ellipse of the given amplitudes and Δφ, as the run draws it.
DrawnFigure ellipse(double ax, double ay, double dphi) {
  const MotionParameters p{1, ax, 0, 1, ay * std::cos(dphi), to_single(ay * std::sin(dphi))};
  return DrawnFigure(p, 1, 100);
}

}  // namespace

class TestMeasurements : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void snapping_data() {
    QTest::addColumn<int>("wy");  // of a 1 : wy figure, or 4 for the 3 : 4 one
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<SnapTarget>("target");
    QTest::addColumn<QPointF>("expected");
    // The ellipse crosses the y axis at ±2√2 and the x axis at ±2√2; the
    // 3 : 4 figure has a node at (4 cos 3π/8, 2).
    const double r = 2 * std::sqrt(2.0);
    QTest::newRow("the ellipse on the y axis")
        << 1 << QPointF(0.03, 2.85) << SnapTarget::kTraceOnYAxis << QPointF(0, r);
    QTest::newRow("the ellipse on the x axis")
        << 1 << QPointF(-2.8, -0.02) << SnapTarget::kTraceOnXAxis << QPointF(-r, 0);
    QTest::newRow("a crossing before a nearer axis")
        << 1 << QPointF(-0.06, -2.8) << SnapTarget::kTraceOnYAxis << QPointF(0, -r);
    QTest::newRow("onto the y axis")
        << 1 << QPointF(0.05, 1) << SnapTarget::kYAxis << QPointF(0, 1);
    QTest::newRow("onto the x axis")
        << 1 << QPointF(1, -0.04) << SnapTarget::kXAxis << QPointF(1, 0);
    QTest::newRow("the origin") << 1 << QPointF(0.04, 0.05) << SnapTarget::kOrigin << QPointF(0, 0);
    QTest::newRow("near both axes, onto the nearer")
        << 1 << QPointF(0.06, 0.05) << SnapTarget::kXAxis << QPointF(0.06, 0);
    QTest::newRow("nothing near") << 1 << QPointF(1, 1) << SnapTarget::kNone << QPointF(1, 1);
    QTest::newRow("a node") << 4 << QPointF(1.55, 2.02) << SnapTarget::kNode
                            << QPointF(4 * std::cos(3 * std::numbers::pi / 8), 2);
    QTest::newRow("a pointer that is not a number")
        << 1 << QPointF(kNaN, kNaN) << SnapTarget::kOrigin << QPointF(0, 0);
    QTest::newRow("a pointer beyond the largest double")
        << 1 << QPointF(kInf, -kInf) << SnapTarget::kNone << QPointF(kBig, -kBig);
  }

  void snapping() {
    QFETCH(int, wy);
    QFETCH(QPointF, pointer);
    QFETCH(SnapTarget, target);
    QFETCH(QPointF, expected);
    const Figure f =
        wy == 4 ? Figure{3, 4, std::numbers::pi / 2} : Figure{1, wy, std::numbers::pi / 4};
    for (double laps : {1.0, 3.0, 20.0}) {
      const DrawnFigure figure = drawn(f, laps);
      const Snap s = snap_point({pointer.x(), pointer.y()}, figure, figure_nodes(figure, kPixel),
                                kSnap, kPixel);
      QCOMPARE(s.target, target);
      QVERIFY(std::isfinite(s.point.x) && std::isfinite(s.point.y));
      QVERIFY(std::fabs(s.point.x / 2 - expected.x() / 2) <= kPixel / 2);
      QVERIFY(std::fabs(s.point.y / 2 - expected.y() / 2) <= kPixel / 2);
      // Whatever lies on an axis is taken exactly on it.
      if (target == SnapTarget::kTraceOnYAxis || target == SnapTarget::kYAxis) {
        QCOMPARE(s.point.x, 0.0);
      }
      if (target == SnapTarget::kTraceOnXAxis || target == SnapTarget::kXAxis) {
        QCOMPARE(s.point.y, 0.0);
      }
    }
  }

  void segment_readout_data() {
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::newRow("three, four, five") << QPointF(1, 1) << QPointF(4, 5) << 5.0 << 3.0 << 4.0;
    QTest::newRow("backwards") << QPointF(4, 5) << QPointF(1, 1) << 5.0 << -3.0 << -4.0;
    QTest::newRow("no length") << QPointF(-2, 3) << QPointF(-2, 3) << 0.0 << 0.0 << 0.0;
    QTest::newRow("across the largest doubles")
        << QPointF(-kBig, -kBig) << QPointF(kBig, kBig) << kBig << kBig << kBig;
    QTest::newRow("an end that is not a number")
        << QPointF(kNaN, 0) << QPointF(1, 0) << 1.0 << 1.0 << 0.0;
    QTest::newRow("an infinite end") << QPointF(-kInf, 0) << QPointF(0, 0) << kBig << kBig << 0.0;
  }

  void segment_readout() {
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(double, length);
    QFETCH(double, dx);
    QFETCH(double, dy);
    const SegmentMeasure m = measure_segment({from.x(), from.y()}, {to.x(), to.y()});
    QCOMPARE(m.length, length);
    QCOMPARE(m.dx, dx);
    QCOMPARE(m.dy, dy);
    QVERIFY(!std::signbit(m.length));
    if (dx == 0) QVERIFY(!std::signbit(m.dx));  // never "-0" in a readout
  }

  void ellipse_method_gives_the_phase_data() {
    QTest::addColumn<double>("ax");
    QTest::addColumn<double>("ay");
    QTest::addColumn<bool>("reversed");  // run clockwise
    QTest::newRow("4 × 4") << 4.0 << 4.0 << false;
    QTest::newRow("4 × 4, clockwise") << 4.0 << 4.0 << true;
    QTest::newRow("5 × 2") << 5.0 << 2.0 << false;
    QTest::newRow("2 × 5, clockwise") << 2.0 << 5.0 << true;
  }

  // For |Δφ| from 5° to 175°, the method's Δφ lies within its own stated
  // error of the true one, with the sign of the traversal; that error is at
  // most 1° for |Δφ| in 10°-60° and 120°-170°.
  void ellipse_method_gives_the_phase() {
    QFETCH(double, ax);
    QFETCH(double, ay);
    QFETCH(bool, reversed);
    for (int degrees = 5; degrees <= 175; ++degrees) {
      const double dphi = (reversed ? -degrees : degrees) * std::numbers::pi / 180;
      const EllipseReading r = ellipse_method(ellipse(ax, ay, dphi), kPixel);
      const QString where = QString::number(degrees);
      QVERIFY2(r.applies, qPrintable(where));
      QVERIFY2(std::fabs(r.b - 2 * ay * std::sin(degrees * std::numbers::pi / 180)) < 1e-5,
               qPrintable(where));
      QVERIFY2(std::fabs(r.a - 2 * ay) < 1e-5, qPrintable(where));  // vy0 is a float
      QVERIFY2(r.anticlockwise == !reversed, qPrintable(where));
      QVERIFY2(r.b_from.x == 0 && r.b_to.x == 0 && r.b_from.y < r.b_to.y, qPrintable(where));
      const double magnitude = std::fabs(r.dphi_deg);
      QVERIFY2((r.dphi_deg > 0) == !reversed, qPrintable(where));
      if (r.interval) {
        QVERIFY2(std::abs(degrees - 90) <= 10, qPrintable(where));
        QVERIFY2(r.interval_low_deg <= degrees && degrees <= r.interval_high_deg,
                 qPrintable(where));
      } else {
        QVERIFY2(std::fabs(magnitude - degrees) <= r.error_deg, qPrintable(where));
        const bool usable = (degrees >= 10 && degrees <= 60) || (degrees >= 120 && degrees <= 170);
        if (usable && ax == 4) QVERIFY2(r.error_deg <= 1, qPrintable(where));
      }
    }
  }

  void ellipse_method_refuses_data() {
    QTest::addColumn<double>("x0");
    QTest::addColumn<double>("y0");
    QTest::addColumn<double>("vy0");
    QTest::addColumn<double>("wy");
    QTest::addColumn<double>("time");
    QTest::addColumn<QString>("reason");
    QTest::newRow("the parabola of 1 : 2")
        << 4.0 << 4.0 << 0.0 << 2.0 << 100.0 << QStringLiteral("1 : 2");
    QTest::newRow("a segment") << 4.0 << 3.0 << 0.0 << 1.0 << 100.0
                               << QStringLiteral("выродился в отрезок");
    QTest::newRow("a segment along the y axis")
        << 0.0 << 3.0 << 0.0 << 1.0 << 100.0 << QStringLiteral("выродился в отрезок");
    QTest::newRow("a point") << 0.0 << 0.0 << 0.0 << 1.0 << 100.0 << QStringLiteral("Точка");
    QTest::newRow("nothing drawn") << 4.0 << 0.0 << 4.0 << 1.0 << 0.0 << QStringLiteral("ПУСК");
    QTest::newRow("half drawn") << 4.0 << 0.0 << 4.0 << 1.0 << 3.0 << QStringLiteral("целиком");
    QTest::newRow("never closing")
        << 4.0 << 0.0 << 4.0 << 1.41421356 << 100.0 << QStringLiteral("не замыкается");
  }

  // Where the method does not apply it says why and measures nothing.
  void ellipse_method_refuses() {
    QFETCH(double, x0);
    QFETCH(double, y0);
    QFETCH(double, vy0);
    QFETCH(double, wy);
    QFETCH(double, time);
    QFETCH(QString, reason);
    const MotionParameters p{1, x0, 0, wy, y0, static_cast<float>(vy0)};
    const EllipseReading r = ellipse_method(DrawnFigure(p, to_single(wy), time), kPixel);
    QVERIFY(!r.applies);
    QVERIFY2(QString::fromStdString(r.refusal).contains(reason), r.refusal.c_str());
    QCOMPARE(r.b, 0.0);
    QCOMPARE(r.a, 0.0);
  }
};

QTEST_GUILESS_MAIN(TestMeasurements)
#include "test_measurements.moc"
