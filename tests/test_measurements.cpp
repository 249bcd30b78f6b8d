// Measuring on the figure: where a segment's end snaps, the segment's
// readout, and the ellipse method's a and b.

#include <QtTest>
#include <cmath>

#include "run_traces.h"
#include "tools/measure/model/ellipse_method.h"
#include "tools/measure/model/segment_measure.h"
#include "tools/measure/model/snapping.h"
#include "tools/measure/model/trace_clip.h"

using namespace orvinda;
using namespace orvinda::testing;

Q_DECLARE_METATYPE(orvinda::SnapTarget)
Q_DECLARE_METATYPE(orvinda::EllipseAxis)

namespace {

constexpr double kSnap = 3 * kPixel;  // "within a few pixels"

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
                            << QPointF(4 * std::cos(3 * kHalfTurn / 8), 2);
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
    const Figure f = wy == 4 ? Figure{3, 4, kHalfTurn / 2} : Figure{1, wy, kHalfTurn / 4};
    for (const Trace& trace : {run_trace(f, 1), run_trace(f, 3), fragmented_trace(f, 5)}) {
      const Snap s = snap_point({pointer.x(), pointer.y()}, trace, kSnap);
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

  // Snapping looks only at the trace around the pointer, for speed on long
  // runs: along both axes and around the nodes it finds what it finds on the
  // whole trace.
  void snapping_near_the_pointer_finds_the_same() {
    const double h = kHalfTurn;
    for (const Figure f : {Figure{1, 1, h / 4}, Figure{1, 2, h / 2}, Figure{3, 4, h / 2}}) {
      for (const Trace& trace : {run_trace(f, 1), run_trace(f, 3), fragmented_trace(f, 5)}) {
        QList<QPointF> pointers;
        for (int i = -40; i <= 40; ++i) {
          for (int k = -4; k <= 4; ++k) {
            pointers << QPointF(k * kSnap / 3, i * 0.11) << QPointF(i * 0.11, k * kSnap / 3);
          }
        }
        for (int i = -8; i <= 8; ++i) {  // around the 3 : 4 figure's node at (1.53, 2)
          pointers << QPointF(1.53 + i * kPixel / 2, 2 + i * kPixel / 3);
        }
        for (QPointF at : pointers) {
          const TracePoint p{at.x(), at.y()};
          const Snap whole = snap_point(p, trace, kSnap);
          const Snap part = snap_point(p, clip_trace(trace, snap_boxes(p, kSnap)), kSnap);
          const QString where = QStringLiteral("%1, %2").arg(at.x()).arg(at.y());
          QVERIFY2(part.target == whole.target, qPrintable(where));
          QVERIFY2(part.point.x == whole.point.x && part.point.y == whole.point.y,
                   qPrintable(where));
        }
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
    QTest::addColumn<double>("dphi");
    QTest::addColumn<EllipseAxis>("axis");
    const double quarter = kHalfTurn / 4;
    QTest::newRow("π/4 on the y axis") << quarter << EllipseAxis::kYAxis;
    QTest::newRow("π/4 on the x axis") << quarter << EllipseAxis::kXAxis;
    QTest::newRow("π/6") << kHalfTurn / 6 << EllipseAxis::kYAxis;
    QTest::newRow("π/3") << kHalfTurn / 3 << EllipseAxis::kXAxis;
    QTest::newRow("π/2, a circle") << 2 * quarter << EllipseAxis::kYAxis;
    QTest::newRow("3π/4, leaning the other way") << 3 * quarter << EllipseAxis::kYAxis;
    QTest::newRow("0, a straight line") << 0.0 << EllipseAxis::kYAxis;
  }

  // On the drawn ellipse, a and b come within a pixel of their true values
  // 2 A and 2 A sin Δφ, whatever the run's length, so b / a gives sin Δφ.
  void ellipse_method_gives_the_phase() {
    QFETCH(double, dphi);
    QFETCH(EllipseAxis, axis);
    const Figure f{1, 1, dphi};
    const double a = 8, b = 8 * std::fabs(std::sin(dphi));
    for (const Trace& trace : {run_trace(f, 1), run_trace(f, 4), fragmented_trace(f, 4)}) {
      const EllipseMeasure m = ellipse_method(trace, axis, kPixel);
      QVERIFY(m.valid);
      QVERIFY2(std::fabs(m.a - a) <= kPixel, qPrintable(QString::number(m.a)));
      QVERIFY2(std::fabs(m.b - b) <= kPixel, qPrintable(QString::number(m.b)));
      QVERIFY2(std::fabs(m.sin_phase_difference - std::fabs(std::sin(dphi))) <= kPixel / a,
               qPrintable(QString::number(m.sin_phase_difference)));
      // b's ends are the crossings with the axis, on it.
      const double off_axis = axis == EllipseAxis::kYAxis ? m.b_from.x : m.b_from.y;
      QCOMPARE(off_axis, 0.0);
    }
  }

  void ellipse_method_needs_an_ellipse() {
    const EllipseMeasure figure_of_1_2 =
        ellipse_method(run_trace({1, 2, kHalfTurn / 2}, 2), EllipseAxis::kYAxis, kPixel);
    QVERIFY(!figure_of_1_2.valid);
    QCOMPARE(figure_of_1_2.sin_phase_difference, 0.0);
    // A parabola meets the y axis at its vertex only, twice, as a straight
    // line through the centre would: only the other axis tells them apart.
    const EllipseMeasure parabola =
        ellipse_method(run_trace({1, 2, 0}, 2), EllipseAxis::kYAxis, kPixel);
    QVERIFY(!parabola.valid);
    QVERIFY(!ellipse_method({}, EllipseAxis::kXAxis, kPixel).valid);
    const EllipseMeasure huge =
        ellipse_method({{{-kBig, -kBig}, {kBig, kBig}, {-kBig, -kBig}}}, EllipseAxis::kYAxis, 1);
    QCOMPARE(huge.a, kBig);
    QVERIFY(std::isfinite(huge.b) && std::isfinite(huge.sin_phase_difference));
  }
};

QTEST_GUILESS_MAIN(TestMeasurements)
#include "test_measurements.moc"
