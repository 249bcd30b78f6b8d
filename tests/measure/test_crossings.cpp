// Counting lines on the drawn figure: the counts the lab work reads the
// frequency ratio from, and the warnings about nodes, tangencies and arc ends,
// checked against the figure solved afresh from the motion (exact_figure.h).

#include <QtTest>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "model/numbers.h"
#include "support/exact_figure.h"
#include "tools/measure/model/crossings.h"
#include "tools/measure/model/drawn_figure.h"
#include "tools/measure/model/figure_nodes.h"

using namespace orvinda;
using namespace orvinda::testing;

Q_DECLARE_METATYPE(orvinda::CountingLine)

namespace {

// One pixel of a 640 × 530 window for these figures, in metres.
constexpr double kPixel = 12.0 / 485;

struct Case {
  int wx, wy;
  double dphi, ax, ay;
};

MotionParameters parameters(const Case& c) {
  const double wy = double(c.wy) / c.wx;
  return {1, c.ax, 0, wy, c.ay * std::cos(c.dphi), to_single(c.ay * wy * std::sin(c.dphi))};
}

DrawnFigure drawn(const MotionParameters& p, double time) {
  return DrawnFigure(p, to_single(p.wy / p.wx), time);
}

CountingLine horizontal(double y) { return {LineDirection::kHorizontal, y}; }
CountingLine vertical(double x) { return {LineDirection::kVertical, x}; }

// Touch points of the line y = side (or x = side) solved from the motion:
// where the coordinate peaks at the side, refined by ternary search.
struct Touch {
  double along;
  bool corner;
};
std::vector<Touch> touches_of(const ExactFigure& f, bool horizontal, double sign) {
  const auto u = [&](double t) { return sign * (horizontal ? f.y(t) : f.x(t)); };
  const double amplitude = horizontal ? f.ay() : f.ax();
  const double other = horizontal ? f.ax() : f.ay();
  const double scale = std::max(f.ax(), f.ay());
  const int n = 4000 * (f.wx_part + f.wy_part);
  const double end = f.span();
  std::vector<Touch> found;
  for (int i = 0; i < n; ++i) {
    double lo = end * (i - 1) / n, hi = end * (i + 1) / n;
    const double mid = end * i / n;
    if (!(u(mid) >= u(lo) && u(mid) >= u(hi))) continue;
    for (int k = 0; k < 200; ++k) {
      const double a = lo + (hi - lo) / 3, b = hi - (hi - lo) / 3;
      (u(a) < u(b) ? lo : hi) = u(a) < u(b) ? a : b;
    }
    const double t = (lo + hi) / 2;
    if (u(t) < amplitude * (1 - 1e-9)) continue;
    const double along = horizontal ? f.x(t) : f.y(t);
    bool seen = false;
    for (const Touch& known : found) seen = seen || std::fabs(known.along - along) < 1e-6 * scale;
    if (!seen) found.push_back({along, std::fabs(along) > other * (1 - 1e-6)});
  }
  return found;
}

int kinds(const CrossingCount& c, CrossingKind kind) {
  int n = 0;
  for (const LineCrossing& x : c.crossings) n += x.kind == kind;
  return n;
}

bool finite(const CrossingCount& c) {
  for (const LineCrossing& x : c.crossings) {
    if (!std::isfinite(x.point.x) || !std::isfinite(x.point.y)) return false;
  }
  return true;
}

}  // namespace

class TestCrossings : public QObject {
  Q_OBJECT

 private:
  static void figure_rows() {
    QTest::addColumn<int>("wx");
    QTest::addColumn<int>("wy");
    QTest::addColumn<double>("dphi");
    QTest::addColumn<double>("ax");
    QTest::addColumn<double>("ay");
    const int ratios[][2] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 1}, {2, 3},
                             {3, 1}, {3, 2}, {3, 4}, {4, 1}, {4, 3}};
    const double amplitudes[][2] = {{4, 4}, {5, 2}, {2, 5}};
    const char* phases[] = {"0", "π/4", "π/2", "3π/4", "π"};
    for (const auto& r : ratios) {
      for (int k = 0; k < 5; ++k) {
        for (const auto& a : amplitudes) {
          const QString name = QStringLiteral("%1 : %2, %3, %4 × %5")
                                   .arg(r[0])
                                   .arg(r[1])
                                   .arg(QString::fromUtf8(phases[k]))
                                   .arg(a[0])
                                   .arg(a[1]);
          QTest::newRow(qPrintable(name))
              << r[0] << r[1] << k * std::numbers::pi / 4 << a[0] << a[1];
        }
      }
    }
  }

  static Case fetched() {
    QFETCH(int, wx);
    QFETCH(int, wy);
    QFETCH(double, dphi);
    QFETCH(double, ax);
    QFETCH(double, ay);
    return {wx, wy, dphi, ax, ay};
  }

 private Q_SLOTS:
  void every_figure_data() { figure_rows(); }

  // On the whole figure: the nodes where they are; lines off them count in
  // the ratio ωy : ωx unflagged; lines through them, along the sides and at
  // the arc ends count what a student counts and are flagged.
  void every_figure() {
    const Case c = fetched();
    const MotionParameters p = parameters(c);
    const ExactFigure exact(p, c.wx, c.wy);
    const DrawnFigure figure = drawn(p, 3 * exact.span());
    const double scale = std::max(c.ax, c.ay);

    const auto expected_nodes = nodes_of(exact);
    const std::vector<TracePoint> nodes = figure_nodes(figure, kPixel);
    QCOMPARE(nodes.size(), expected_nodes.size());
    for (const auto& [x, y] : expected_nodes) {
      bool found = false;
      for (TracePoint n : nodes) found = found || std::hypot(n.x - x, n.y - y) < 1e-6 * scale;
      QVERIFY2(found, qPrintable(QStringLiteral("node (%1, %2)").arg(x).arg(y)));
    }

    auto expected_count = [&](CountingLine line) {
      const bool h = line.direction == LineDirection::kHorizontal;
      return points_and_branches(meetings_of(exact, h, line.value, exact.span()), scale);
    };
    QStringList wrong;  // every line that fails, to see them all at once
    auto check = [&](CountingLine line, bool node_flag, const char* what) {
      const CrossingCount got = count_crossings(figure, nodes, line, kPixel);
      const int expected = expected_count(line);
      if (got.count() != expected || got.near_node != node_flag || got.tangency || got.arc_end) {
        wrong << QStringLiteral("%1 %2 = %3: %4 (%5)%6%7%8")
                     .arg(QLatin1String(what))
                     .arg(QLatin1Char(line.direction == LineDirection::kHorizontal ? 'y' : 'x'))
                     .arg(line.value)
                     .arg(got.count())
                     .arg(expected)
                     .arg(QLatin1String(got.near_node ? " node" : ""))
                     .arg(QLatin1String(got.tangency ? " tangency" : ""))
                     .arg(QLatin1String(got.arc_end ? " arc end" : ""));
      }
      return got.count();
    };

    // Three lines on each axis, well off the nodes and the sides.
    std::vector<int> across_h, across_v;
    for (bool h : {true, false}) {
      const double amplitude = h ? c.ay : c.ax;
      std::vector<double> clear;
      for (int k = -9; k <= 9; ++k) {
        const double at = amplitude * (k + 0.13) / 10;
        bool off = std::fabs(at) < amplitude - 3 * kPixel;
        for (TracePoint n : nodes) off = off && std::fabs((h ? n.y : n.x) - at) > 3 * kPixel;
        if (off) clear.push_back(at);
      }
      QVERIFY(clear.size() >= 3);
      for (double at : {clear.front(), clear[clear.size() / 2], clear.back()}) {
        (h ? across_h : across_v)
            .push_back(check(h ? horizontal(at) : vertical(at), false, "clear"));
      }
    }
    for (TracePoint n : nodes) {
      if (std::fabs(n.y) < c.ay - 3 * kPixel) check(horizontal(n.y), true, "through a node");
      if (std::fabs(n.x) < c.ax - 3 * kPixel) check(vertical(n.x), true, "through a node");
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
    for (int h : across_h) {
      for (int v : across_v) QCOMPARE(h * c.wx, v * c.wy);  // Nг : Nв = ωy : ωx
    }

    for (bool h : {true, false}) {
      for (double sign : {1.0, -1.0}) {
        const double side = sign * (h ? c.ay : c.ax);
        const std::vector<Touch> touches = touches_of(exact, h, sign);
        int corners = 0;
        for (const Touch& t : touches) corners += t.corner;
        const CrossingCount got =
            count_crossings(figure, nodes, h ? horizontal(side) : vertical(side), kPixel);
        const QString where = QStringLiteral("the side at %1").arg(side);
        QVERIFY2(got.count() == int(touches.size()), qPrintable(where));
        QVERIFY2(kinds(got, CrossingKind::kArcEnd) == corners, qPrintable(where));
        QVERIFY2(got.arc_end == (corners > 0), qPrintable(where));
        QVERIFY2(got.tangency == (corners < int(touches.size())), qPrintable(where));
      }
    }
  }

  void parabola_axis_counts_once_data() {
    QTest::addColumn<int>("wx");
    QTest::addColumn<int>("wy");
    QTest::addColumn<double>("dphi");
    QTest::addColumn<bool>("vertical_line");
    QTest::newRow("1 : 2, Δφ = 0, x = 0") << 1 << 2 << 0.0 << true;
    QTest::newRow("1 : 2, Δφ = π, x = 0") << 1 << 2 << std::numbers::pi << true;
    QTest::newRow("2 : 1, Δφ = π/2, y = 0") << 2 << 1 << std::numbers::pi / 2 << false;
  }

  // Through the vertex the arc is run there and back: one point, no warning.
  void parabola_axis_counts_once() {
    QFETCH(int, wx);
    QFETCH(int, wy);
    QFETCH(double, dphi);
    QFETCH(bool, vertical_line);
    const MotionParameters p = parameters({wx, wy, dphi, 4, 4});
    const CrossingCount got =
        count_crossings(drawn(p, 100), vertical_line ? vertical(0) : horizontal(0), kPixel);
    QCOMPARE(got.count(), 1);
    QVERIFY(!got.near_node && !got.tangency && !got.arc_end);
  }

  // The audit's figures, with the counts a student sees.
  void known_counts_data() {
    QTest::addColumn<int>("wx");
    QTest::addColumn<int>("wy");
    QTest::addColumn<double>("dphi");
    QTest::addColumn<double>("ax");
    QTest::addColumn<double>("ay");
    QTest::addColumn<CountingLine>("line");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("node");
    QTest::newRow("1 : 2 parabola, y = 1")
        << 1 << 2 << 0.0 << 4.0 << 4.0 << horizontal(1) << 2 << false;
    QTest::newRow("1 : 2 parabola, x = 0,1")
        << 1 << 2 << 0.0 << 4.0 << 4.0 << vertical(0.1) << 1 << false;
    QTest::newRow("3 : 1, narrow nodes, x = 0")
        << 3 << 1 << std::numbers::pi / 2 << 5.0 << 2.0 << vertical(0) << 6 << true;
    QTest::newRow("3 : 1, through the node at y = 1")
        << 3 << 1 << std::numbers::pi / 2 << 5.0 << 2.0 << horizontal(1) << 2 << true;
    QTest::newRow("3 : 1, a pixel off the node")
        << 3 << 1 << std::numbers::pi / 2 << 5.0 << 2.0 << horizontal(1 + kPixel) << 2 << true;
    QTest::newRow("3 : 1, two pixels off the node")
        << 3 << 1 << std::numbers::pi / 2 << 5.0 << 2.0 << horizontal(1 + 2 * kPixel) << 2 << false;
  }

  void known_counts() {
    const Case c = fetched();
    QFETCH(CountingLine, line);
    QFETCH(int, count);
    QFETCH(bool, node);
    const CrossingCount got = count_crossings(drawn(parameters(c), 1000), line, kPixel);
    QCOMPARE(got.count(), count);
    QCOMPARE(got.near_node, node);
    if (node) QVERIFY(!got.nodes.empty());
  }

  void counts_follow_the_drawn_time_data() {
    QTest::addColumn<int>("wx");
    QTest::addColumn<int>("wy");
    QTest::addColumn<double>("dphi");
    QTest::addColumn<double>("share");  // of the closing span
    for (double share : {0.0, 0.13, 0.37, 0.5, 0.81}) {
      const QString s = QString::number(share);
      QTest::newRow(qPrintable("1 : 2, π/2 at " + s)) << 1 << 2 << std::numbers::pi / 2 << share;
      QTest::newRow(qPrintable("2 : 3, 0 at " + s)) << 2 << 3 << 0.0 << share;
      QTest::newRow(qPrintable("3 : 4, π/4 at " + s)) << 3 << 4 << std::numbers::pi / 4 << share;
    }
  }

  // Before a run nothing is counted; partway, what is drawn so far.
  void counts_follow_the_drawn_time() {
    QFETCH(int, wx);
    QFETCH(int, wy);
    QFETCH(double, dphi);
    QFETCH(double, share);
    const MotionParameters p = parameters({wx, wy, dphi, 4, 4});
    const ExactFigure exact(p, wx, wy);
    const double time = share * exact.span();
    const DrawnFigure figure = drawn(p, time);
    QCOMPARE(figure.empty(), share == 0);
    for (int k = -7; k <= 7; ++k) {
      const double at = 0.53 * k + 0.07;
      for (bool h : {true, false}) {
        const CrossingCount got =
            count_crossings(figure, h ? horizontal(at) : vertical(at), kPixel);
        QCOMPARE(got.count(), points_and_branches(meetings_of(exact, h, at, time), 4));
      }
    }
  }

  // A figure that never closes, drifting less than a pixel a lap, counts
  // after twenty laps what it counts after one.
  void a_drifting_figure_counts_as_one_lap() {
    const MotionParameters p{1, 4, 0, 1.3333, 0, 4 * 1.3333f};
    const double lap = 3 * 2 * std::numbers::pi;
    const DrawnFigure one(p, 1.3333f, lap), twenty(p, 1.3333f, 20 * lap);
    QVERIFY(!one.closing());
    for (int k = -7; k <= 7; ++k) {
      const double at = 0.53 * k + 0.07;
      for (const CountingLine line : {horizontal(at), vertical(at)}) {
        const CrossingCount a = count_crossings(one, line, kPixel);
        const CrossingCount b = count_crossings(twenty, line, kPixel);
        QCOMPARE(b.count(), a.count());
        QCOMPARE(b.near_node, a.near_node);
        if (!a.near_node) {
          QCOMPARE(a.count(), line.direction == LineDirection::kHorizontal ? 8 : 6);
        }
      }
    }
  }

  void odd_inputs_data() {
    QTest::addColumn<double>("x0");
    QTest::addColumn<double>("y0");
    QTest::addColumn<double>("time");
    QTest::addColumn<CountingLine>("line");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<int>("count");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double big = std::numeric_limits<double>::max();
    QTest::newRow("a point at rest") << 0.0 << 0.0 << 50.0 << horizontal(0) << kPixel << 1;
    QTest::newRow("a segment along the line") << 3.0 << 0.0 << 50.0 << horizontal(0) << kPixel << 1;
    QTest::newRow("a segment across the line") << 3.0 << 0.0 << 50.0 << vertical(1) << kPixel << 1;
    QTest::newRow("beside the figure") << 3.0 << 3.0 << 50.0 << vertical(4) << kPixel << 0;
    QTest::newRow("a line that is not a number")
        << 3.0 << 3.0 << 50.0 << vertical(nan) << kPixel << 0;
    QTest::newRow("an infinite line") << 3.0 << 3.0 << 50.0 << horizontal(-inf) << kPixel << 0;
    QTest::newRow("no tolerance") << 3.0 << 3.0 << 50.0 << vertical(1) << 0.0 << 0;
    QTest::newRow("a tolerance not a number") << 3.0 << 3.0 << 50.0 << vertical(1) << nan << 0;
    QTest::newRow("nothing drawn") << 3.0 << 3.0 << 0.0 << vertical(1) << kPixel << 0;
    QTest::newRow("a time not a number") << 3.0 << 3.0 << nan << vertical(1) << kPixel << 0;
    QTest::newRow("huge amplitudes")
        << big / 4 << big / 4 << 50.0 << vertical(big / 8) << kPixel << 1;
  }

  // Whatever comes in, the answer is finite and sane.
  void odd_inputs() {
    QFETCH(double, x0);
    QFETCH(double, y0);
    QFETCH(double, time);
    QFETCH(CountingLine, line);
    QFETCH(double, tolerance);
    QFETCH(int, count);
    const MotionParameters p{1, x0, 0, 1, y0, 0};
    const CrossingCount got = count_crossings(DrawnFigure(p, 1, time), line, tolerance);
    QVERIFY(finite(got));
    QCOMPARE(got.count(), count);
  }
};

QTEST_GUILESS_MAIN(TestCrossings)
#include "test_crossings.moc"
