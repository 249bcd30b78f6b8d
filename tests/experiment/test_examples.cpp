// The classic examples: the texts their boxes will show, and the motion
// those boxes describe (equal amplitudes, the phase difference and the
// frequency ratio of the label).

#include <QtTest>

#include "model/characteristics.h"
#include "model/format_pattern.h"
#include "model/numbers.h"
#include "tools/experiment/model/examples.h"

using namespace orvinda;

namespace {
QString text_of(double value) { return QString::fromStdString(format_signed_number(value)); }
QString text_of(float value) { return QString::fromStdString(format_signed_number(value)); }
QString printed(double value, const char* pattern) {
  return QString::fromStdString(format_by_pattern(value, pattern, "."));
}
}  // namespace

class TestExamples : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void menu_order() {
    const QStringList expected = {"1 : 1, Δφ = 0",
                                  "1 : 1, Δφ = π/4",
                                  "1 : 1, Δφ = π/2",
                                  "1 : 1, Δφ = 3π/4",
                                  "1 : 1, Δφ = π",
                                  "1 : 2, Δφ = 0",
                                  "1 : 2, Δφ = π/2",
                                  "1 : 3, Δφ = π/2",
                                  "2 : 3, Δφ = π/4",
                                  "3 : 4, Δφ = π/2",
                                  "Близкие частоты (биения), 1 : 1,05"};
    QStringList labels;
    for (const Example& e : classic_examples()) labels << QString::fromStdString(e.label);
    QCOMPARE(labels, expected);
  }

  void boxes_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("boxes");  // Text1 … Text6
    QTest::addColumn<QString>("dj");         // Dj label, in units of pi
    QTest::addColumn<QString>("wywx");
    const QString r = " 2.82842712474619";
    // clang-format off
    QTest::newRow("1:1 in phase: a line") << 0 << QStringList{" 1", " 4", " 0", " 1", " 4", " 0"}
                                          << "0.000" << "1.000";
    QTest::newRow("1:1 pi/4: a tilted ellipse")
        << 1 << QStringList{" 1", " 4", " 0", " 1", r, " 2.828427"} << "0.250" << "1.000";
    QTest::newRow("1:1 pi/2: a circle")
        << 2 << QStringList{" 1", " 4", " 0", " 1", " 0", " 4"} << "0.500" << "1.000";
    QTest::newRow("1:1 3pi/4") << 3 << QStringList{" 1", " 4", " 0", " 1", "-2.82842712474619",
                                              // clang-format on
                                              " 2.828427"}
                               << "0.750"
                               << "1.000";
    // clang-format off
    QTest::newRow("1:1 opposite: the other line")
        << 4 << QStringList{" 1", " 4", " 0", " 1", "-4", " 0"} << "1.000" << "1.000";
    QTest::newRow("1:2 in phase: a parabola")
        << 5 << QStringList{" 1", " 4", " 0", " 2", " 4", " 0"} << "0.000" << "2.000";
    QTest::newRow("1:2 pi/2: a figure eight")
        << 6 << QStringList{" 1", " 4", " 0", " 2", " 0", " 8"} << "0.500" << "2.000";
    QTest::newRow("1:3 pi/2") << 7 << QStringList{" 1", " 4", " 0", " 3", " 0", " 12"} << "0.500"
                              << "3.000";
    QTest::newRow("2:3 pi/4") << 8 << QStringList{" 1", " 4", " 0", " 1.5", r, " 4.24264"}
                              << "0.250" << "1.500";
    QTest::newRow("3:4 pi/2") << 9
                              << QStringList{" 1", " 4", " 0", " 1.33333333333333", " 0",
                                             // clang-format on
                                             " 5.333333"}
                              << "0.500"
                              << "1.333";
    // clang-format off
    QTest::newRow("beats") << 10 << QStringList{" 1", " 4", " 0", " 1.05", " 4", " 0"} << "0.000"
                           << "1.050";
    // clang-format on
  }

  // What the boxes show, and that each value is already what its box will
  // read back, so the window holds exactly the example.
  void boxes() {
    QFETCH(int, index);
    QFETCH(QStringList, boxes);
    QFETCH(QString, dj);
    QFETCH(QString, wywx);
    const MotionParameters p = classic_examples()[index].parameters;
    const double doubles[] = {p.wx, p.x0, p.vx0, p.wy, p.y0};
    for (int i = 0; i < 5; ++i) {
      QCOMPARE(text_of(doubles[i]), boxes[i]);
      QCOMPARE(parse_leading_number(boxes[i].toStdString()), doubles[i]);
    }
    QCOMPARE(text_of(p.vy0), boxes[5]);
    QCOMPARE(to_single(parse_leading_number(boxes[5].toStdString())), p.vy0);

    const Characteristics c = compute_characteristics(p, 0, false);
    QCOMPARE(printed(c.ax, "0.000E+00"), QString("4.000E+00"));
    QCOMPARE(printed(c.ay, "0.000E+00"), QString("4.000E+00"));
    QCOMPARE(printed(c.fix, "0.000"), QString("0.000"));
    QCOMPARE(printed(c.dj, "0.000"), dj);
    QCOMPARE(printed(c.wywx, "0.000"), wywx);
  }
};

QTEST_GUILESS_MAIN(TestExamples)
#include "test_examples.moc"
