// The figures of the accompanying documents: the values they tell the reader
// to type give the figure drawn, the figures close, and the tangency rule the
// documents teach holds on them.

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <vector>

#include "model/characteristics.h"
#include "model/run_stepper.h"
#include "model/start_values.h"
#include "tools/make_docs/figures.h"

using namespace orvinda;
using docs::FigureShape;

namespace {

// Distinct points where the curve reaches the side coordinate() = +side.
int touches(const std::vector<QPointF>& closed, double side, bool vertical_side) {
  auto along = [vertical_side](QPointF p) { return vertical_side ? p.x() : p.y(); };
  auto across = [vertical_side](QPointF p) { return vertical_side ? p.y() : p.x(); };
  const std::size_t n = closed.size() - 1;  // the last point repeats the first
  std::vector<double> places;
  for (std::size_t i = 0; i < n; ++i) {
    const double prev = along(closed[(i + n - 1) % n]);
    const double here = along(closed[i]);
    const double next = along(closed[(i + 1) % n]);
    if (here >= prev && here > next && here > side * 0.999) places.push_back(across(closed[i]));
  }
  std::sort(places.begin(), places.end());
  const double tolerance = 0.01 * side;
  const auto last = std::unique(places.begin(), places.end(),
                                [tolerance](double a, double b) { return b - a < tolerance; });
  return static_cast<int>(last - places.begin());
}

}  // namespace

class TestDocuments : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void typed_values_give_the_labelled_figure_data() {
    QTest::addColumn<int>("wx_part");
    QTest::addColumn<int>("wy_part");
    QTest::addColumn<double>("dphi");
    const int ratios[][2] = {{1, 1}, {1, 2}, {1, 3}, {2, 3}, {3, 4}};
    for (const auto& r : ratios) {
      for (double dphi : {0.0, 0.25, 0.5, 0.75, 1.0, -0.25}) {
        QTest::addRow("%d:%d dphi=%gpi", r[0], r[1], dphi) << r[0] << r[1] << dphi;
      }
    }
  }

  // What the window prints for the values a table cell is made of.
  void typed_values_give_the_labelled_figure() {
    QFETCH(int, wx_part);
    QFETCH(int, wy_part);
    QFETCH(double, dphi);
    const FigureShape shape{wx_part, wy_part, dphi, 1.5, 0.5};
    const Characteristics c = compute_characteristics(docs::figure_parameters(shape), 0, false);
    QVERIFY(std::fabs(c.ax - 1.5) < 1e-6);
    QVERIFY(std::fabs(c.ay - 0.5) < 1e-6);
    QVERIFY(std::fabs(c.fix) < 1e-9);
    QVERIFY2(std::fabs(c.dj - dphi) < 1e-6, qPrintable(QString::number(c.dj)));
    QVERIFY(std::fabs(c.wywx - double(wy_part) / wx_part) < 1e-6);
  }

  void figure_is_closed_and_fills_its_rectangle_data() {
    QTest::addColumn<int>("wx_part");
    QTest::addColumn<int>("wy_part");
    QTest::addColumn<double>("dphi");
    // clang-format off
    QTest::newRow("1:1 ellipse") << 1 << 1 << 0.25;
    QTest::newRow("1:2 open arc") << 1 << 2 << 0.0;
    QTest::newRow("2:3") << 2 << 3 << 0.25;
    QTest::newRow("3:4") << 3 << 4 << 0.75;
    QTest::newRow("3:5") << 3 << 5 << 0.2;
    // clang-format on
  }

  void figure_is_closed_and_fills_its_rectangle() {
    QFETCH(int, wx_part);
    QFETCH(int, wy_part);
    QFETCH(double, dphi);
    const FigureShape shape{wx_part, wy_part, dphi, 2.0, 1.0};
    const std::vector<QPointF> points = docs::figure_points(shape);
    const QPointF gap = points.back() - points.front();
    QVERIFY2(std::hypot(gap.x(), gap.y()) < 1e-3, "the figure does not close");
    double max_x = 0, max_y = 0;
    for (const QPointF& p : points) {
      max_x = std::max(max_x, std::fabs(p.x()));
      max_y = std::max(max_y, std::fabs(p.y()));
    }
    QVERIFY(max_x <= 2.0 + 1e-6 && max_x > 2.0 * 0.999);
    QVERIFY(max_y <= 1.0 + 1e-6 && max_y > 1.0 * 0.999);
  }

  void tangencies_give_the_frequency_ratio_data() {
    QTest::addColumn<int>("wx_part");
    QTest::addColumn<int>("wy_part");
    QTest::addColumn<double>("dphi");
    // Closed figures only: on an arc run to and fro the ends count as halves.
    // clang-format off
    QTest::newRow("1:1 circle") << 1 << 1 << 0.5;
    QTest::newRow("1:2 eight") << 1 << 2 << 0.5;
    QTest::newRow("1:2 pi/4") << 1 << 2 << 0.25;
    QTest::newRow("1:3 3pi/4") << 1 << 3 << 0.75;
    QTest::newRow("2:3 pi/4") << 2 << 3 << 0.25;
    QTest::newRow("3:4 pi/2") << 3 << 4 << 0.5;
    QTest::newRow("3:5 0.2pi") << 3 << 5 << 0.2;
    // clang-format on
  }

  // wy / wx = touches with a horizontal side / touches with a vertical side.
  void tangencies_give_the_frequency_ratio() {
    QFETCH(int, wx_part);
    QFETCH(int, wy_part);
    QFETCH(double, dphi);
    const FigureShape shape{wx_part, wy_part, dphi, 1.0, 1.0};
    const std::vector<QPointF> points = docs::figure_points(shape);
    QCOMPARE(touches(points, 1.0, false), wy_part);
    QCOMPARE(touches(points, 1.0, true), wx_part);
  }

  // The exercise of the second help: the start values close after 5
  // horizontal periods with 9 touches on top and 5 on the right.
  void start_values_touch_nine_times_on_top_and_five_on_the_right() {
    const MotionParameters p = kStartParameters;
    const Characteristics c = compute_characteristics(p, 0, false);
    const int steps = 5 * 720;
    RunStepper stepper(p, c.wywx, static_cast<float>(5 * kTwoPi / steps));
    std::vector<QPointF> points{QPointF(p.x0, p.y0)};
    for (int i = 0; i < steps; ++i) {
      const RunStep s = stepper.next();
      points.emplace_back(s.x / c.ax, s.y / c.ay);
    }
    points.front() = QPointF(p.x0 / c.ax, p.y0 / c.ay);
    QCOMPARE(touches(points, 1.0, false), 9);
    QCOMPARE(touches(points, 1.0, true), 5);
  }
};

QTEST_GUILESS_MAIN(TestDocuments)
#include "test_documents.moc"
