// The plot: scale, range, grid, axes, velocity line, rail and the device at
// the initial point, checked on the picture the surface keeps.

#include <QElapsedTimer>
#include <QtTest>
#include <cmath>
#include <limits>

#include "platform/fake_platform.h"
#include "plot/device_piece.h"
#include "plot/grid_plan.h"
#include "plot/plot_range.h"
#include "plot/plot_surface.h"
#include "plot/scale_mapping.h"
#include "window/form1.h"

using namespace orvinda;

namespace {

bool near(QColor actual, QColor expected, int tolerance = 40) {
  return std::abs(actual.red() - expected.red()) <= tolerance &&
         std::abs(actual.green() - expected.green()) <= tolerance &&
         std::abs(actual.blue() - expected.blue()) <= tolerance;
}

QPointF centre_px(const DevicePiece* piece) { return piece->pixelRect().center(); }

template <typename Predicate>
int count_pixels(const QImage& picture, Predicate matches) {
  int count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) count += matches(picture.pixelColor(x, y)) ? 1 : 0;
  }
  return count;
}

}  // namespace

class TestPlot : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void scale_mapping_round_trip() {
    const ScaleMapping m(-6, 6, 6, -6, 485, 485);
    QCOMPARE(m.to_px_x(-6), 0.0);
    QCOMPARE(m.to_px_x(6), 485.0);
    QCOMPARE(m.to_px_y(6), 0.0);
    QCOMPARE(m.to_px_y(-6), 485.0);
    QCOMPARE(m.to_px_x(0), 242.5);
    QCOMPARE(m.to_px_y(3), 121.25);
    QCOMPARE(m.from_px_x(m.to_px_x(1.25)), 1.25);
    QCOMPARE(m.from_px_y(m.to_px_y(-4.5)), -4.5);
    QCOMPARE(m.unit_per_px_x(), 12.0 / 485);
    // Ranges near the largest double stay finite.
    const double big = std::numeric_limits<double>::max();
    const ScaleMapping huge(-big, big, big, -big, 485, 485);
    QCOMPARE(huge.to_px_x(0), 242.5);
    QVERIFY(std::isfinite(huge.to_px_x(big)));
    QVERIFY(std::isfinite(huge.unit_per_px_x()));
    QVERIFY(std::isfinite(huge.from_px_x(485)));
  }

  void plot_radius_data() {
    QTest::addColumn<double>("ax");
    QTest::addColumn<double>("ay");
    QTest::addColumn<double>("r");
    // clang-format off
    QTest::newRow("start values") << 4.243 << 3.199 << 6.0;
    QTest::newRow("at rest") << 0.0 << 0.0 << 2.0;
    QTest::newRow("just below a metre") << 0.99 << 0.5 << 2.0;
    QTest::newRow("a metre") << 1.0 << 0.5 << 3.0;
    QTest::newRow("vertical larger") << 2.5 << 4.2 << 6.0;
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max() << 0.0 << std::numeric_limits<double>::max();
    // clang-format on
  }

  void plot_radius() {
    QFETCH(double, ax);
    QFETCH(double, ay);
    QFETCH(double, r);
    QCOMPARE(orvinda::plot_radius(ax, ay), r);
    const PlotRange range = orvinda::plot_range(ax, ay);
    QCOMPARE(range.xmax, r);
    QCOMPARE(range.xmin, -r);
    QCOMPARE(range.ymax, r);
    QCOMPARE(range.ymin, -r);
  }

  void grid_thinning_data() {
    QTest::addColumn<double>("px_per_metre");
    QTest::addColumn<double>("step");
    // clang-format off
    QTest::newRow("roomy") << 40.0 << 1.0;
    QTest::newRow("just fits") << 4.0 << 1.0;
    QTest::newRow("every second") << 3.0 << 2.0;
    QTest::newRow("every fifth") << 1.0 << 5.0;
    QTest::newRow("every tenth") << 0.5 << 10.0;
    QTest::newRow("every twentieth") << 0.25 << 20.0;
    QTest::newRow("far out") << 4e-9 << 1e9;
    // clang-format on
  }

  void grid_thinning() {
    QFETCH(double, px_per_metre);
    QFETCH(double, step);
    QCOMPARE(orvinda::grid_step(px_per_metre), step);
  }

  void grid_positions_strictly_inside() {
    QCOMPARE(grid_positions(2, 1), (std::vector<double>{-1, 0, 1}));
    QCOMPARE(grid_positions(6, 5), (std::vector<double>{-5, 0, 5}));
    QCOMPARE(grid_positions(10, 5), (std::vector<double>{-5, 0, 5}));
    QCOMPARE(grid_positions(3, 5), (std::vector<double>{0}));
  }

  void numbers_do_not_overlap() {
    // Four numbers 30 px wide on lines 20 px apart: every second one fits.
    const std::vector<double> starts = {0, 20, 40, 60, 80};
    std::vector<double> ends;
    for (double s : starts) ends.push_back(s + 30);
    auto end_of = [](const std::vector<double>& ends) {
      return [&ends](std::size_t i) { return ends[i]; };
    };
    const std::vector<bool> shown = non_overlapping(starts, end_of(ends), 2, 4);
    QCOMPARE(shown, (std::vector<bool>{true, false, true, false, true}));
    // Wider numbers: every fifth from the zero line, evenly.
    std::vector<double> wide_starts, wide_ends;
    for (int i = 0; i < 21; ++i) {
      wide_starts.push_back(i * 10.0);
      wide_ends.push_back(i * 10.0 + (i < 10 ? 36 : 28));  // negatives are wider
    }
    const std::vector<bool> every_fifth = non_overlapping(wide_starts, end_of(wide_ends), 10, 4);
    for (int i = 0; i < 21; ++i) QCOMPARE(every_fifth[i], (i % 5) == 0);
    // All fit: all shown.
    const std::vector<double> all_ends = {30, 80, 130};
    const std::vector<bool> all = non_overlapping({0, 50, 100}, end_of(all_ends), 1, 4);
    QCOMPARE(all, (std::vector<bool>{true, true, true}));
  }

  // What axes leaves behind for the start values.
  void state_after_axes() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    PlotSurface& s = *form.Picture1;
    QCOMPARE(form.xmax, 6.0);
    QCOMPARE(s.DrawWidth(), 3);
    QCOMPARE(s.CurrentX(), 3.0);
    QCOMPARE(s.CurrentY(), 3.0);
    QCOMPARE(form.nx, 12.0);
    QCOMPARE(form.dx, 1.0);
    QCOMPARE(form.dy, 1.0f);

    const double px = 485.0 / 12;  // pixels per metre
    // Ball centred on (3, 3), block at the top above it, both 24 px.
    QVERIFY(std::abs(centre_px(form.Shape1).x() - 9 * px) < 0.01);
    QVERIFY(std::abs(centre_px(form.Shape1).y() - 3 * px) < 0.01);
    QCOMPARE(form.Shape1->size(), QSize(24, 24));
    QCOMPARE(form.Shape2->pixelRect().top(), 0.0);
    QVERIFY(std::abs(centre_px(form.Shape2).x() - 9 * px) < 0.01);
    // Bar from the block's underside to a metre above the bottom.
    QCOMPARE(form.Image3->pixelRect().top(), 24.0);
    QVERIFY(std::abs(form.Image3->pixelRect().bottom() - 11 * px) < 0.01);
    // Horizontal spring from the left edge to the block; vertical spring from
    // the block down to the ball.
    QCOMPARE(form.Image1->pixelRect().left(), 0.0);
    QVERIFY(std::abs(form.Image1->pixelRect().right() - form.Shape1->pixelRect().left()) < 0.01);
    QCOMPARE(form.Image2->pixelRect().top(), 24.0);
    QVERIFY(std::abs(form.Image2->pixelRect().bottom() - form.Shape1->pixelRect().top()) < 0.01);
    QVERIFY(std::abs(form.Shape1->Width() - 24 / px) < 1e-9);
    QVERIFY(std::abs(form.Shape1->Left() - (3 - 12 / px)) < 1e-9);
    QVERIFY(std::abs(form.Shape1->Top() - (3 + 12 / px)) < 1e-9);
  }

  void pixel_probes() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    const PlotSurface& s = *form.Picture1;
    QVERIFY(near(s.colorAt(1, 4.5), QColor(128, 255, 128), 0));   // grid line x = 1 m
    QVERIFY(near(s.colorAt(-4.5, 2), QColor(128, 255, 128), 0));  // grid line y = 2 m
    QVERIFY(near(s.colorAt(0, 4.5), Qt::black, 0));               // y axis
    QVERIFY(near(s.colorAt(-4.5, 0), Qt::black, 0));              // x axis
    // Along the velocity line from (3, 3) towards (3, 2)/|v|.
    const double v = std::sqrt(13.0);
    for (double f : {0.3, 0.5, 0.7}) {
      QVERIFY(near(s.colorAt(3 + f * 6 / v, 3 + f * 4 / v), QColor(0, 0, 255)));
    }
    // The rail, half a ball below the top edge.
    const double rail_y = s.mapping().from_px_y(11.5);
    QVERIFY(near(s.colorAt(-2.5, rail_y), QColor(128, 64, 0), 0));
    QVERIFY(near(s.colorAt(-2.5, -2.5), Qt::white, 0));
    QVERIFY(near(s.colorAt(2.5, -3.5), Qt::white, 0));
    // Nothing red before a run.
    QCOMPARE(
        count_pixels(s.picture(),
                     [](QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; }),
        0);
  }

  void no_velocity_line_at_rest() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.vx0 = 0;
    form.vy0 = 0;
    form.Form_Resize();
    QCOMPARE(
        count_pixels(form.Picture1->picture(),
                     [](QColor c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; }),
        0);
  }

  void straight_down_velocity() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.vx0 = 0;
    form.vy0 = -1;
    form.Form_Resize();
    QVERIFY(near(form.Picture1->colorAt(3, 2), QColor(0, 0, 255)));
    QVERIFY(near(form.Picture1->colorAt(3, 1.3), QColor(0, 0, 255)));
  }

  void drawing_the_scene_twice_changes_nothing() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    const QImage once = form.Picture1->picture().copy();
    const QRect ball = form.Shape1->geometry();
    const QRect spring = form.Image2->geometry();
    form.minmax();
    form.axes();
    QCOMPARE(form.Picture1->picture(), once);
    QCOMPARE(form.Shape1->geometry(), ball);
    QCOMPARE(form.Image2->geometry(), spring);
    QCOMPARE(form.Picture1->CurrentX(), form.x0);
  }

  void springs_clamp_near_the_edges() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    // Close to the top: the ball's top is above the block's underside.
    form.x0 = 0;
    form.vx0 = 0;
    form.y0 = 6.95;
    form.vy0 = 0;
    form.Form_Resize();
    QCOMPARE(form.ymax, 8.0);
    QCOMPARE(form.Image2->Height(), 0.0);
    // Close to the left edge on a coarse scale: the ball sticks out left.
    form.x0 = -98.5;
    form.y0 = 0;
    form.Form_Resize();
    QCOMPARE(form.xmin, -100.0);
    const double ball_left = form.Shape1->Left();
    QVERIFY(ball_left < form.xmin);
    QVERIFY(std::abs(form.Image1->Width() - std::abs(ball_left - form.xmin)) < 1e-6);
  }

  void smallest_range_numbers() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.x0 = 0.5;
    form.vx0 = 0;
    form.y0 = 0.5;
    form.vy0 = 0;
    form.Form_Resize();
    QCOMPARE(form.xmax, 2.0);
    // Lines at -1, 0 and 1 only.
    QVERIFY(near(form.Picture1->colorAt(1, 1.5), QColor(128, 255, 128), 0));
    QVERIFY(near(form.Picture1->colorAt(-1, -1.5), QColor(128, 255, 128), 0));
    QVERIFY(near(form.Picture1->colorAt(1.5, -1.5), Qt::white, 0));
  }

  // Numbers hundreds of digits long would only run across the plot cut off.
  void endless_numbers_are_left_out() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.x0 = std::numeric_limits<double>::max();
    form.vx0 = 0;
    form.Form_Resize();
    const QImage& picture = form.Picture1->picture();
    // The right third above the x axis holds only grid lines.
    const QImage right = picture.copy(picture.width() * 2 / 3, picture.height() / 10,
                                      picture.width() / 3, picture.height() / 3);
    QCOMPARE(count_pixels(right, [](QColor c) { return c.lightness() < 60; }), 0);
  }

  // Any finite amplitude gives a quick redraw with finite coordinates.
  void huge_ranges_stay_quick_and_finite_data() {
    QTest::addColumn<double>("x0");
    // clang-format off
    QTest::newRow("thousands") << 1e4;
    QTest::newRow("billions") << 1e9;
    QTest::newRow("beyond 16 bits") << 40000.0;
    QTest::newRow("largest double") << std::numeric_limits<double>::max();
    // clang-format on
  }

  void huge_ranges_stay_quick_and_finite() {
    QFETCH(double, x0);
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.x0 = x0;
    QElapsedTimer clock;
    clock.start();
    form.Form_Resize();
    QVERIFY(clock.elapsed() < 2000);
    QVERIFY(std::isfinite(form.xmax));
    QVERIFY(form.Picture1->operationCount() < 2000);
    QVERIFY(std::isfinite(form.Shape1->Left()));
    QVERIFY(form.Shape1->geometry().width() == 24);
    // The y axis is still drawn in the middle.
    QVERIFY(near(form.Picture1->colorAt(0, form.ymax / 3), Qt::black, 0));
  }

  // Marks drawn over a trace stay over it when the list is drawn again (files,
  // paper), and the scene drawn before it stays under it.
  void replay_keeps_what_lies_over_the_trace() {
    PlotSurface surface;
    surface.resize(200, 200);
    surface.Cls();
    surface.Scale(-2, 2, 2, -2);
    surface.setDrawWidth(5);
    surface.Line(-2, -1, 2, -1, Qt::blue);  // under the trace
    surface.setCurrentX(0);
    surface.setCurrentY(-2);
    surface.LineTo(0, 2, Qt::red);
    surface.setDrawWidth(9);
    surface.PSet(0, 1, Qt::green);  // over it
    QImage again(200, 200, QImage::Format_ARGB32_Premultiplied);
    again.fill(Qt::white);
    QPainter painter(&again);
    surface.drawing().replay(painter, QRectF(0, 0, 200, 200));
    painter.end();
    const ScaleMapping& m = surface.mapping();
    auto at = [&](const QImage& image, double x, double y) {
      return image.pixelColor(int(m.to_px_x(x)), int(m.to_px_y(y)));
    };
    const QImage* images[] = {&surface.picture(), &again};
    for (const QImage* image : images) {
      QVERIFY(near(at(*image, 0, 1), Qt::green));
      QVERIFY(near(at(*image, 0, -1), Qt::red));
    }
  }
};

QTEST_MAIN(TestPlot)
#include "test_plot.moc"
