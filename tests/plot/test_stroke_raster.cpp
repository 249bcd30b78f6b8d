// The trace's rasteriser: one segment covers exactly the pixels whose
// centres lie within reach of it, and a long stroke drawn all at once (by
// bands of rows, on several threads) is the very picture drawn one segment
// at a time.

#include <QImage>
#include <QtTest>
#include <cmath>
#include <limits>
#include <random>

#include "plot/stroke_raster.h"

using namespace orvinda;

namespace {

constexpr QRgb kRed = 0xFFFF0000u;

QImage white(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  return image;
}

double distance_to_segment(QPointF p, QPointF a, QPointF b) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x() - (a.x() + t * dx), p.y() - (a.y() + t * dy));
}

// A stroke that crosses the picture many times, with the odd cases mixed in.
std::vector<StrokeRaster::Segment> long_stroke(QSize size, int count) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> step(-40, 40);
  std::vector<StrokeRaster::Segment> all;
  QPointF at(size.width() / 2.0, size.height() / 2.0);
  for (int i = 0; i < count; ++i) {
    QPointF next(at.x() + step(random), at.y() + step(random));
    if (i % 97 == 0) next = at;                          // no length
    if (i % 89 == 0) next.setY(at.y());                  // level
    if (i % 83 == 0) next.setX(at.x());                  // upright
    if (i % 61 == 0) next += QPointF(0, size.height());  // leaves the picture
    all.push_back({at, next});
    at = QPointF(std::fmod(std::fabs(next.x()), size.width()),
                 std::fmod(std::fabs(next.y()), size.height()));
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  all.push_back({QPointF(nan, 3), QPointF(5, 5)});
  all.push_back({QPointF(1e300, -1e300), QPointF(5, 5)});
  return all;
}

}  // namespace

class TestStrokeRaster : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void oneSegmentCoversWhatItReaches_data() {
    QTest::addColumn<QPointF>("a");
    QTest::addColumn<QPointF>("b");
    QTest::addColumn<double>("width");
    QTest::newRow("slanted, 1 px") << QPointF(3.2, 4.7) << QPointF(41.9, 27.3) << 1.0;
    QTest::newRow("slanted, 3 px") << QPointF(3.2, 4.7) << QPointF(41.9, 27.3) << 3.0;
    QTest::newRow("steep, 3 px") << QPointF(20.5, 1.1) << QPointF(22.4, 38.6) << 3.0;
    QTest::newRow("level, 3 px") << QPointF(2.0, 10.5) << QPointF(40.0, 10.5) << 3.0;
    QTest::newRow("upright, 2 px") << QPointF(10.0, 2.0) << QPointF(10.0, 30.0) << 2.0;
    QTest::newRow("a dot, 5 px") << QPointF(20.3, 20.6) << QPointF(20.3, 20.6) << 5.0;
    QTest::newRow("wide, 9 px") << QPointF(8.0, 30.0) << QPointF(35.0, 9.0) << 9.0;
  }
  void oneSegmentCoversWhatItReaches() {
    QFETCH(QPointF, a);
    QFETCH(QPointF, b);
    QFETCH(double, width);
    QImage image = white(QSize(48, 40));
    StrokeRaster raster(&image);
    raster.segment(a, b, width, kRed, image.rect());
    const double reach = width / 2 + 0.5;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const double covered =
            std::clamp(reach - distance_to_segment(QPointF(x + 0.5, y + 0.5), a, b), 0.0, 1.0);
        // White blended towards red by the coverage: green falls with it.
        const int expected_green = static_cast<int>(std::lround(255 * (1 - covered)));
        const int green = qGreen(image.pixel(x, y));
        if (std::abs(green - expected_green) > 1) {
          QFAIL(qPrintable(QStringLiteral("pixel (%1, %2): green %3, expected %4")
                               .arg(x)
                               .arg(y)
                               .arg(green)
                               .arg(expected_green)));
        }
        QCOMPARE(qRed(image.pixel(x, y)), 255);
      }
    }
  }

  void wholeStrokeIsTheSegmentsOneByOne_data() {
    QTest::addColumn<double>("width");
    QTest::addColumn<QRect>("clip");
    QTest::addColumn<int>("count");
    const QRect all(0, 0, 400, 300);
    QTest::newRow("3 px, whole picture") << 3.0 << all << 3000;
    QTest::newRow("1 px, whole picture") << 1.0 << all << 3000;
    QTest::newRow("6 px, odd clip") << 6.0 << QRect(17, 33, 351, 229) << 3000;
    QTest::newRow("3 px, few segments") << 3.0 << all << 100;
    QTest::newRow("2 px, clip of one row") << 2.0 << QRect(0, 150, 400, 1) << 3000;
  }
  void wholeStrokeIsTheSegmentsOneByOne() {
    QFETCH(double, width);
    QFETCH(QRect, clip);
    QFETCH(int, count);
    const QSize size(400, 300);
    const std::vector<StrokeRaster::Segment> stroke = long_stroke(size, count);

    QImage at_once = white(size);
    StrokeRaster(&at_once).segments(stroke, width, kRed, clip);

    QImage one_by_one = white(size);
    StrokeRaster raster(&one_by_one);
    for (const StrokeRaster::Segment& s : stroke) raster.segment(s.a, s.b, width, kRed, clip);

    QCOMPARE(at_once, one_by_one);
    // Something was drawn, and nothing outside the clip.
    QVERIFY(at_once != white(size));
    for (int y = 0; y < size.height(); ++y) {
      for (int x = 0; x < size.width(); ++x) {
        if (!clip.contains(x, y)) QCOMPARE(at_once.pixel(x, y), qRgb(255, 255, 255));
      }
    }
  }
};

QTEST_GUILESS_MAIN(TestStrokeRaster)
#include "test_stroke_raster.moc"
