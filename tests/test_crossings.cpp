// Counting lines on the run's trace: the counts the lab work reads the
// frequency ratio from, and the warnings about nodes and tangencies.

#include <QtTest>
#include <cmath>
#include <utility>
#include <vector>

#include "run_traces.h"
#include "tools/measure/model/crossings.h"
#include "tools/measure/model/trace_clip.h"

using namespace orvinda;
using namespace orvinda::testing;

Q_DECLARE_METATYPE(orvinda::Trace)
Q_DECLARE_METATYPE(orvinda::CountingLine)

namespace {

Figure figure_1_2() { return {1, 2, kHalfTurn / 2}; }
Figure figure_2_3() { return {2, 3, kHalfTurn / 4}; }
Figure figure_3_4() { return {3, 4, kHalfTurn / 2}; }
Figure ellipse() { return {1, 1, kHalfTurn / 4}; }

// The four figures of the lab work as rows of a table.
void lab_figure_rows() {
  add_figure_columns();
  auto row = [](const char* name, Figure f) { QTest::newRow(name) << f.wx << f.wy << f.dphi; };
  row("1 : 2", figure_1_2());
  row("2 : 3", figure_2_3());
  row("3 : 4", figure_3_4());
  row("1 : 1 ellipse", ellipse());
}

// One figure as the run leaves it after one lap, after several, and as a
// drawing list that skips what it has drawn already.
std::vector<std::pair<const char*, Trace>> runs_of(Figure f) {
  return {{"one lap", run_trace(f, 1)},
          {"three laps", run_trace(f, 3)},
          {"seven laps", run_trace(f, 7)},
          {"seven laps in pieces", fragmented_trace(f, 7)}};
}

CountingLine horizontal(double y) { return {LineDirection::kHorizontal, y}; }
CountingLine vertical(double x) { return {LineDirection::kVertical, x}; }

int tangencies(const CrossingCount& c) {
  int n = 0;
  for (const LineCrossing& x : c.crossings) n += x.kind == CrossingKind::kTangency;
  return n;
}

bool finite(const CrossingCount& c) {
  for (const LineCrossing& x : c.crossings) {
    if (!std::isfinite(x.point.x) || !std::isfinite(x.point.y)) return false;
  }
  for (TracePoint n : c.nodes) {
    if (!std::isfinite(n.x) || !std::isfinite(n.y)) return false;
  }
  return true;
}

}  // namespace

class TestCrossings : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void ratio_from_counting_lines_data() {
    add_figure_columns();
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("across_horizontal");
    QTest::addColumn<int>("across_vertical");
    auto row = [](const char* name, Figure f, double y, double x, int h, int v) {
      QTest::newRow(name) << f.wx << f.wy << f.dphi << y << x << h << v;
    };
    row("1 : 2", figure_1_2(), 1.3, 1.7, 4, 2);
    row("1 : 2, lower left", figure_1_2(), -2.2, -0.7, 4, 2);
    row("2 : 3", figure_2_3(), 1.3, 1.1, 6, 4);
    row("2 : 3, lower left", figure_2_3(), -3.3, -2.9, 6, 4);
    row("3 : 4", figure_3_4(), 1.3, 1.1, 8, 6);
    row("3 : 4, lower left", figure_3_4(), -1.3, -2.2, 8, 6);
    row("1 : 1 ellipse", ellipse(), 1.3, -1.7, 2, 2);
  }

  // Lines off the nodes cross in the ratio wy : wx, however long the run.
  void ratio_from_counting_lines() {
    const Figure f = fetched_figure();
    QFETCH(double, y);
    QFETCH(double, x);
    QFETCH(int, across_horizontal);
    QFETCH(int, across_vertical);
    QCOMPARE(across_horizontal * f.wx, across_vertical * f.wy);
    for (const auto& [name, trace] : runs_of(f)) {
      const CrossingCount h = count_crossings(trace, horizontal(y), kPixel);
      const CrossingCount v = count_crossings(trace, vertical(x), kPixel);
      QVERIFY2(h.count() == across_horizontal, name);
      QVERIFY2(v.count() == across_vertical, name);
      QVERIFY2(!h.near_node && !h.tangency && !v.near_node && !v.tangency, name);
      for (const LineCrossing& c : h.crossings) QCOMPARE(c.point.y, y);
      for (const LineCrossing& c : v.crossings) QCOMPARE(c.point.x, x);
    }
  }

  void every_clear_line_gives_the_ratio_data() { lab_figure_rows(); }

  // Lines across the whole figure, a twentieth of a metre apart: wherever no
  // node or tangency is flagged the ratio holds, and more laps or a drawing
  // list in pieces change neither a count nor a flag.
  void every_clear_line_gives_the_ratio() {
    const Figure f = fetched_figure();
    const auto runs = runs_of(f);
    int clear = 0, lines = 0;
    for (int i = -79; i <= 79; ++i) {
      const double at = i * 0.05;
      for (const CountingLine line : {horizontal(at), vertical(at)}) {
        ++lines;
        const CrossingCount first = count_crossings(runs[0].second, line, kPixel);
        if (!first.near_node && !first.tangency) {
          ++clear;
          const int expected = 2 * (line.direction == LineDirection::kHorizontal ? f.wy : f.wx);
          QVERIFY2(first.count() == expected, qPrintable(QString::number(at)));
        }
        for (const auto& [name, trace] : runs) {
          const CrossingCount c = count_crossings(trace, line, kPixel);
          const QString where = QStringLiteral("%1 at %2").arg(QLatin1String(name)).arg(at);
          QVERIFY2(c.count() == first.count(), qPrintable(where));
          QVERIFY2(c.near_node == first.near_node && c.tangency == first.tangency,
                   qPrintable(where));
        }
      }
    }
    QVERIFY(clear > lines * 3 / 4);  // the flags leave most lines usable
  }

  void counting_near_the_line_counts_the_same_data() { lab_figure_rows(); }

  // Only the trace near the line is counted, for speed on long runs: every
  // line across the figure, nodes and touches included, gives to the last bit
  // what the whole trace gives.
  void counting_near_the_line_counts_the_same() {
    const Figure f = fetched_figure();
    for (const auto& [name, trace] : runs_of(f)) {
      for (int i = -90; i <= 90; ++i) {
        const double at = i * 0.05;
        for (const CountingLine line : {horizontal(at), vertical(at)}) {
          const CrossingCount whole = count_crossings(trace, line, kPixel);
          const Trace near = clip_trace(trace, {band_around(line, 4 * kPixel)});
          const CrossingCount part = count_crossings(near, line, kPixel);
          const QString where = QStringLiteral("%1 at %2").arg(QLatin1String(name)).arg(at);
          QVERIFY2(part.count() == whole.count(), qPrintable(where));
          QVERIFY2(part.near_node == whole.near_node && part.tangency == whole.tangency,
                   qPrintable(where));
          for (int k = 0; k < whole.count(); ++k) {
            QVERIFY2(part.crossings[k].point.x == whole.crossings[k].point.x &&
                         part.crossings[k].point.y == whole.crossings[k].point.y &&
                         part.crossings[k].kind == whole.crossings[k].kind,
                     qPrintable(where));
          }
          QVERIFY2(part.nodes.size() == whole.nodes.size(), qPrintable(where));
        }
      }
    }
  }

  void lines_near_nodes_are_flagged_data() {
    add_figure_columns();
    QTest::addColumn<CountingLine>("line");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("flagged");
    auto row = [](const char* name, Figure f, CountingLine line, int n, bool flagged) {
      QTest::newRow(name) << f.wx << f.wy << f.dphi << line << n << flagged;
    };
    // The nodes: 1 : 2 at the origin; 2 : 3 at (±2, ±2√2), (0, 0), (±2√3, 0);
    // 3 : 4 among others at (0, 0), (0, ±2√3) and (±4 cos π/8, ±2).
    row("1 : 2, horizontal through the node", figure_1_2(), horizontal(0), 4, true);
    row("1 : 2, vertical through the node", figure_1_2(), vertical(0), 2, true);
    row("1 : 2, half a pixel off the node", figure_1_2(), horizontal(0.5 * kPixel), 4, true);
    row("1 : 2, two pixels off the node", figure_1_2(), horizontal(2 * kPixel), 4, false);
    row("2 : 3, through two nodes", figure_2_3(), horizontal(2 * std::sqrt(2.0)), 6, true);
    row("2 : 3, through three nodes", figure_2_3(), horizontal(0), 6, true);
    row("3 : 4, vertical through three nodes", figure_3_4(), vertical(0), 6, true);
    row("3 : 4, horizontal through three nodes", figure_3_4(), horizontal(0), 8, true);
    row("3 : 4, half a pixel beside two nodes", figure_3_4(),
        vertical(4 * std::cos(kHalfTurn / 8) + 0.5 * kPixel), 6, true);
  }

  // Through a node each pass still counts, so the count holds; the flag says
  // the line should be moved.
  void lines_near_nodes_are_flagged() {
    const Figure f = fetched_figure();
    QFETCH(CountingLine, line);
    QFETCH(int, expected);
    QFETCH(bool, flagged);
    for (const auto& [name, trace] : runs_of(f)) {
      const CrossingCount c = count_crossings(trace, line, kPixel);
      QVERIFY2(c.count() == expected, name);
      QVERIFY2(c.near_node == flagged, name);
      QVERIFY2(c.nodes.empty() == !flagged, name);
      QVERIFY2(!c.tangency, name);
    }
  }

  void the_node_is_reported_where_it_is() {
    const CrossingCount c =
        count_crossings(run_trace(figure_1_2(), 3), horizontal(0.3 * kPixel), kPixel);
    QCOMPARE(c.nodes.size(), std::size_t{1});
    QVERIFY(std::hypot(c.nodes[0].x, c.nodes[0].y) < 1e-6);
  }

  void tangent_lines_count_once_data() {
    add_figure_columns();
    QTest::addColumn<CountingLine>("line");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("touches");
    auto row = [](const char* name, Figure f, CountingLine line, int n, int touches) {
      QTest::newRow(name) << f.wx << f.wy << f.dphi << line << n << touches;
    };
    row("1 : 2, top", figure_1_2(), horizontal(4), 2, 2);
    row("1 : 2, right, where the run starts", figure_1_2(), vertical(4), 1, 1);
    row("1 : 2, left", figure_1_2(), vertical(-4), 1, 1);
    row("2 : 3, top", figure_2_3(), horizontal(4), 3, 3);
    row("2 : 3, right", figure_2_3(), vertical(4), 2, 2);
    row("3 : 4, bottom", figure_3_4(), horizontal(-4), 4, 4);
    row("3 : 4, left", figure_3_4(), vertical(-4), 3, 3);
    row("ellipse, top", ellipse(), horizontal(4), 1, 1);
    row("ellipse, half a pixel inside", ellipse(), horizontal(4 - 0.5 * kPixel), 1, 1);
    row("ellipse, half a pixel outside", ellipse(), horizontal(4 + 0.5 * kPixel), 1, 1);
    row("ellipse, two pixels outside", ellipse(), horizontal(4 + 2 * kPixel), 0, 0);
  }

  // A line that touches the figure counts each touch once and says so.
  void tangent_lines_count_once() {
    const Figure f = fetched_figure();
    QFETCH(CountingLine, line);
    QFETCH(int, expected);
    QFETCH(int, touches);
    for (const auto& [name, trace] : runs_of(f)) {
      const CrossingCount c = count_crossings(trace, line, kPixel);
      QVERIFY2(c.count() == expected, name);
      QVERIFY2(tangencies(c) == touches, name);
      QVERIFY2(c.tangency == (touches > 0), name);
      QVERIFY2(!c.near_node, name);
    }
  }

  void drawn_shapes_data() {
    QTest::addColumn<Trace>("trace");
    QTest::addColumn<CountingLine>("line");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<QList<double>>("passes");   // along the line
    QTest::addColumn<QList<double>>("touches");  // along the line
    QTest::addColumn<bool>("near_node");
    const Trace cross{{{-1, -1}, {1, 1}}, {{-1, 1}, {1, -1}}};
    const Trace diamond{{{-1, 0}, {0, 1}, {1, 0}, {0, -1}, {-1, 0}}};
    auto row = [](const char* name, Trace t, CountingLine line, double tolerance,
                  QList<double> passes, QList<double> touches, bool node) {
      QTest::newRow(name) << t << line << tolerance << passes << touches << node;
    };
    row("a vertex on the line counts once", {{{0, -1}, {0, 0}, {0, 1}}}, horizontal(0), 0, {0}, {},
        false);
    row("zero-length segments on the line", {{{0, -1}, {0, 0}, {0, 0}, {0, 0}, {0, 1}}},
        horizontal(0), 0, {0}, {}, false);
    row("a vertex on the line, turning back", {{{-1, -1}, {0, 0}, {1, -1}}}, horizontal(0), 0, {},
        {0}, false);
    row("a vertex within the tolerance, turning back", {{{-1, -1}, {0, -0.05}, {1, -1}}},
        horizontal(0), 0.1, {}, {0}, false);
    row("along the line and back", {{{-1, -1}, {-0.5, 0}, {0.5, 0}, {1, -1}}}, horizontal(0), 0, {},
        {-0.5}, false);
    row("along the line and through", {{{-1, -1}, {-0.5, 0}, {0.5, 0}, {1, 1}}}, horizontal(0), 0,
        {-0.5}, {}, false);
    row("the line beside the figure", {{{0, -1}, {0, 1}}}, horizontal(2), 0.1, {}, {}, false);
    row("a slanting segment", {{{0, 0}, {2, 4}}}, horizontal(1), 0.01, {0.5}, {}, false);
    row("the same stroke drawn twice", {{{0, 0}, {2, 4}}, {{0, 0}, {2, 4}}}, horizontal(1), 0.01,
        {0.5}, {}, false);
    row("back along the same path counts two", {{{0, -1}, {0, 1}, {0, -1}}}, horizontal(0), 0.01,
        {0, 0}, {}, false);
    row("two strokes crossing on the line", cross, horizontal(0), 0.01, {0, 0}, {}, true);
    row("two strokes crossing just off the line", cross, horizontal(0.005), 0.01, {-0.005, 0.005},
        {}, true);
    row("two strokes crossing well off the line", cross, vertical(0.5), 0.01, {-0.5, 0.5}, {},
        false);
    row("a closed stroke beginning on the line", diamond, horizontal(0), 0.01, {-1, 1}, {}, false);
    row("a closed stroke beginning at its touch", diamond, horizontal(1), 0.01, {}, {0}, false);
    row("a stroke that has only just left the line", {{{3, 0}, {4, 1}}}, horizontal(0), 0.01, {3},
        {}, false);
    row("a dot on the line", {{{0.5, 0}}}, horizontal(0), 0.01, {}, {0.5}, false);
    row("no trace", {}, horizontal(0), 0.01, {}, {}, false);
    row("empty strokes", {{}, {}}, horizontal(0), 0.01, {}, {}, false);
    row("a point that is not a number breaks the stroke", {{{0, -1}, {kNaN, 0}, {0, 1}}},
        horizontal(0), 0.01, {}, {}, false);
    row("an infinite point breaks the stroke", {{{0, -1}, {0, 1}, {kInf, 0}, {1, 1}, {1, -1}}},
        horizontal(0), 0.01, {0, 1}, {}, false);
    row("a tolerance that is not a number is none", {{{-1, -1}, {0, -0.05}, {1, -1}}},
        horizontal(0), kNaN, {}, {}, false);
    row("a line that is not a number crosses nothing", {{{0, -1}, {0, 1}}}, horizontal(kNaN), 0, {},
        {}, false);
    row("an infinite line crosses nothing", {{{0, -1}, {0, 1}}}, vertical(-kInf), 0, {}, {}, false);
    row("huge coordinates", {{{-kBig, -kBig}, {kBig, kBig}}}, horizontal(kBig / 2), 1, {kBig / 2},
        {}, false);
    row("huge coordinates, ending on the line", {{{-kBig, -kBig}, {kBig, kBig}}}, vertical(-kBig),
        1, {-kBig}, {}, false);
    row("huge strokes crossing at the origin",
        {{{-kBig, -kBig}, {kBig, kBig}}, {{-kBig, kBig}, {kBig, -kBig}}}, horizontal(0), 1, {0, 0},
        {}, true);
  }

  void drawn_shapes() {
    QFETCH(Trace, trace);
    QFETCH(CountingLine, line);
    QFETCH(double, tolerance);
    QFETCH(QList<double>, passes);
    QFETCH(QList<double>, touches);
    QFETCH(bool, near_node);
    const CrossingCount c = count_crossings(trace, line, tolerance);
    QVERIFY(finite(c));
    QList<double> found_passes, found_touches;
    const bool along_x = line.direction == LineDirection::kHorizontal;
    for (const LineCrossing& x : c.crossings) {
      const double at = along_x ? x.point.x : x.point.y;
      (x.kind == CrossingKind::kPass ? found_passes : found_touches) << at;
    }
    auto close = [](const QList<double>& got, const QList<double>& want) {
      if (got.size() != want.size()) return false;
      for (qsizetype i = 0; i < got.size(); ++i) {
        if (std::fabs(got[i] / 2 - want[i] / 2) > 1e-9 * (1 + std::fabs(want[i]))) return false;
      }
      return true;
    };
    QVERIFY2(close(found_passes, passes), qPrintable(QString::number(found_passes.size())));
    QVERIFY2(close(found_touches, touches), qPrintable(QString::number(found_touches.size())));
    QCOMPARE(c.near_node, near_node);
    QCOMPARE(c.tangency, !touches.isEmpty());
    QCOMPARE(c.count(), int(passes.size() + touches.size()));
  }
};

QTEST_GUILESS_MAIN(TestCrossings)
#include "test_crossings.moc"
