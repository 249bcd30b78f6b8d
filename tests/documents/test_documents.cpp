// The accompanying documents: the values they tell the reader to type give
// the figure drawn, the figures close, the tangency rule they teach holds; the
// numbers they print are the model's and the window's; their pages keep
// together what belongs together; and the written PDFs carry the corrected
// physics and none of the old mistakes.

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "model/characteristics.h"
#include "model/format_pattern.h"
#include "model/numbers.h"
#include "model/run_stepper.h"
#include "model/start_values.h"
#include "platform/fake_platform.h"
#include "tools/make_docs/figures.h"
#include "tools/make_docs/pages.h"
#include "tools/make_docs/values.h"
#include "window/form1.h"

using namespace orvinda;
using docs::FigureShape;

namespace {

// Where the curve reaches the side coordinate() = +side, one place for each
// distinct point, given by its other coordinate.
std::vector<double> touch_places(const std::vector<QPointF>& closed, double side,
                                 bool vertical_side) {
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
  places.erase(last, places.end());
  return places;
}

int touches(const std::vector<QPointF>& closed, double side, bool vertical_side) {
  return static_cast<int>(touch_places(closed, side, vertical_side).size());
}

// Touches as the documents teach to count them: a touch in a corner of the
// rectangle (|across| = 1) is half a touch of each of its two sides.
double counted_touches(const std::vector<QPointF>& closed, bool vertical_side) {
  double n = 0;
  for (double place : touch_places(closed, 1.0, vertical_side))
    n += std::fabs(place) > 0.999 ? 0.5 : 1.0;
  return n;
}

// Points where the traced path turns back on itself.
std::vector<QPointF> turning_points(const std::vector<QPointF>& path) {
  std::vector<QPointF> out;
  for (std::size_t i = 1; i + 1 < path.size(); ++i) {
    const QPointF before = path[i] - path[i - 1];
    const QPointF after = path[i + 1] - path[i];
    if (QPointF::dotProduct(before, after) < 0) out.push_back(path[i]);
  }
  return out;
}

// The tangent of a path near the point q: the step of the path that starts nearest to it.
QPointF tangent_near(const std::vector<QPointF>& path, QPointF q, double* distance) {
  std::size_t best = 0;
  double nearest = 1e9;
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    const double d = std::hypot(path[i].x() - q.x(), path[i].y() - q.y());
    if (d < nearest) {
      nearest = d;
      best = i;
    }
  }
  *distance = nearest;
  return path[best + 1] - path[best];
}

// What a document prints for its placeholders, failing on any problem.
QString filled(const QString& text) {
  const docs::Substitution out = docs::substitute_values(text, false);
  if (!out.problems.isEmpty()) qWarning("%s", qPrintable(out.problems.join(QLatin1String("; "))));
  return out.problems.isEmpty() ? out.text : QStringLiteral("<problems>");
}

// A number as the documents write it ("−0,137") read back.
double read_russian(QString text) {
  text.replace(QChar(0x2212), QLatin1Char('-')).replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double v = text.toDouble(&ok);
  return ok ? v : std::nan("");
}

QString read_file(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// Text as a reader sees it: no-break spaces, word joiners and line ends as blanks.
QString plain(QString text) {
  text.replace(QChar(0x00A0), QLatin1Char(' ')).remove(QChar(0x2060));
  return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

const char* const kWritten[] = {"spravka.pdf", "spravka2.pdf", "Orvinda.pdf", "uprav.pdf",
                                "instruction.txt"};

// One row for each written document, or for each PDF.
void written_rows(bool pdf_only) {
  QTest::addColumn<QString>("file");
  for (const char* file : kWritten) {
    if (!pdf_only || QByteArray(file).endsWith(".pdf")) {
      QTest::newRow(file) << QString::fromLatin1(file);
    }
  }
}

QString built(const QString& file) { return QStringLiteral(ORVINDA_DOCS_BUILT "/") + file; }

// The text of a written PDF line by line, as pdftotext reads it; empty when
// the tool is missing or the file cannot be read.
QString pdf_text(const QString& path) {
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (pdftotext.isEmpty()) return {};
  QProcess process;
  process.start(pdftotext, {path, QStringLiteral("-")});
  if (!process.waitForFinished(60000)) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// How far each page's print reaches down: from the top of the text on the
// document's pages to the lowest ink above the page number, as a part of the
// height from that top to the page number. Pictures count as much as text.
// Empty when pdftoppm is missing or a page has no number at its foot.
std::vector<double> page_fills(const QString& path) {
  const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  QTemporaryDir dir;
  if (pdftoppm.isEmpty() || !dir.isValid()) return {};
  QProcess process;
  process.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("36"), QStringLiteral("-gray"),
                           path, dir.filePath(QStringLiteral("p"))});
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  struct Page {
    int top, bottom, number;
  };
  std::vector<Page> pages;
  for (const QString& name :
       QDir(dir.path()).entryList({QStringLiteral("p*.pgm")}, QDir::Files, QDir::Name)) {
    const QImage image = QImage(dir.filePath(name)).convertToFormat(QImage::Format_Grayscale8);
    std::vector<bool> ink(static_cast<std::size_t>(image.height()), false);
    for (int y = 0; y < image.height(); ++y) {
      const uchar* line = image.constScanLine(y);
      ink[y] = std::any_of(line, line + image.width(), [](uchar v) { return v < 200; });
    }
    int y = image.height() - 1;
    while (y > 0 && !ink[y]) --y;
    while (y > 0 && ink[y]) --y;
    const int number = y + 1;  // the top of the page number
    while (y > 0 && !ink[y]) --y;
    const int bottom = y;
    const auto first = std::find(ink.begin(), ink.end(), true);
    const int top = static_cast<int>(first - ink.begin());
    if (number < image.height() * 0.85 || bottom <= top) return {};
    pages.push_back({top, bottom, number});
  }
  int top = std::numeric_limits<int>::max();
  for (const Page& p : pages) top = std::min(top, p.top);
  std::vector<double> fills;
  for (const Page& p : pages) fills.push_back(double(p.bottom - top) / (p.number - top));
  return fills;
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
    RunStepper stepper(p, c.wywx, static_cast<float>(5 * kTruncatedTwoPi / steps));
    std::vector<QPointF> points{QPointF(p.x0, p.y0)};
    for (int i = 0; i < steps; ++i) {
      const RunStep s = stepper.next();
      points.emplace_back(s.x / c.ax, s.y / c.ay);
    }
    points.front() = QPointF(p.x0 / c.ax, p.y0 / c.ay);
    QCOMPARE(touches(points, 1.0, false), 9);
    QCOMPARE(touches(points, 1.0, true), 5);
  }

  // The labels a document quotes are the window's own, typed as the document says.
  void quoted_labels_are_the_windows_data() {
    QTest::addColumn<QString>("set");
    QTest::newRow("start values") << "wy=1.8 x0=3 vx0=3 y0=3 vy0=2";
    QTest::newRow("second quarter") << "wy=1 x0=-2 vx0=2 y0=1 vy0=0";
    QTest::newRow("third quarter") << "wy=2 x0=1 vx0=0 y0=-1 vy0=-2";
    QTest::newRow("phase beyond pi") << "wy=1 x0=-2 vx0=-1 y0=-2 vy0=1";
    QTest::newRow("rest point") << "wy=1 x0=0 vx0=0 y0=0 vy0=0";
    QTest::newRow("single vy0") << "wy=3 x0=4 vx0=0 y0=2.8284 vy0=8.4853";
    QTest::newRow("from a figure") << "ratio=3:4 dphi=1/4 a=4";
    QTest::newRow("from an ellipse") << "ratio=1:1 dphi=-5/6 a=4";
  }

  void quoted_labels_are_the_windows() {
    QFETCH(QString, set);
    const QString text =
        filled(QStringLiteral("{{set e %1}}{{e.wy}}|{{e.x0}}|{{e.vx0}}|{{e.y0}}|{{e.vy0}}|"
                              "{{e.show_ax}}|{{e.show_fix}}|{{e.show_ay}}|{{e.show_fiy}}|"
                              "{{e.show_ayax}}|{{e.show_dj}}|{{e.show_wywx}}")
                   .arg(set));
    const QStringList parts = text.split(QLatin1Char('|'));
    QCOMPARE(parts.size(), 12);

    FakePlatform platform;
    Form1 form(platform);
    form.show();
    QLineEdit* boxes[] = {form.Text4, form.Text2, form.Text3, form.Text5, form.Text6};
    for (int i = 0; i < 5; ++i) boxes[i]->setText(parts[i]);
    QLabel* labels[] = {form.Label12, form.Label13, form.Label14, form.Label15,
                        form.Label16, form.Label17, form.Label18};
    // The window prints with the system's separator; the documents with a comma.
    const QString point = QLocale::system().decimalPoint();
    for (int i = 0; i < 7; ++i) {
      QString shown = labels[i]->text().trimmed();
      shown.replace(point, QStringLiteral(","));
      QCOMPARE(parts[5 + i], shown);
    }
  }

  // Each value checked against the motion itself, not against its formula.
  void values_agree_with_the_motion_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");
    const QString start = QStringLiteral("{{set e wy=1.8 x0=3 vx0=3 y0=3 vy0=2}}");
    const QString beat = QStringLiteral("{{set e wy=1.05 x0=4 vx0=0 y0=4 vy0=0}}");
    QTest::newRow("start closes after 5 turns") << start + "{{e.turns}}" << 5.0 << 0.0;
    QTest::newRow("in 10 pi seconds") << start + "{{e.period}}" << 10 * M_PI << 1e-3;
    QTest::newRow("9 tangencies on top") << start + "{{e.touch_top}}" << 9.0 << 0.0;
    QTest::newRow("5 on the right") << start + "{{e.touch_right}}" << 5.0 << 0.0;
    QTest::newRow("springs 1.8 squared") << start + "{{e.kyx:4}}" << 3.24 << 1e-4;
    QTest::newRow("beat cycle") << beat + "{{e.beat}}" << 2 * M_PI / 0.05 << 0.01;
    QTest::newRow("20 turns a cycle") << beat + "{{e.beat_turns}}" << 20.0 << 1e-3;
    QTest::newRow("quarter of the cycle")
        << beat + "{{e.beat_time shift=0.5}}" << M_PI / 0.1 << 0.01;
    QTest::newRow("eight, 4 : 2 passes")
        << "{{set e ratio=1:2 dphi=1/2 a=4}}{{e.nx level=1}}:{{e.ny level=1}}" << 2.0 << 0.0;
    QTest::newRow("2 : 3 passes ratio")
        << "{{set e ratio=2:3 dphi=1/4 a=4}}{{e.count_ratio y=1 x=1}}" << 1.5 << 0.0;
    QTest::newRow("4/3 typed, 8 : 6 passes")
        << "{{set e ratio=3:4 dphi=1/2 a=4}}{{e.count_ratio y=1 x=1}}" << 4.0 / 3 << 1e-3;
    QTest::newRow("2 : 1 passes") << "{{set e ratio=2:1 dphi=1/4 a=4}}{{e.count_ratio y=1 x=1}}"
                                  << 0.5 << 0.0;
    QTest::newRow("ellipse pi/6") << "{{set e ratio=1:1 dphi=1/6 a=4}}{{e.dphi_ellipse}}" << 1.0 / 6
                                  << 0.003;
    QTest::newRow("ellipse -pi/3")
        << "{{set e ratio=1:1 dphi=-1/3 a=4}}{{e.dphi_ellipse}}" << -1.0 / 3 << 0.003;
    QTest::newRow("ellipse 2pi/3")
        << "{{set e ratio=1:1 dphi=2/3 a=4}}{{e.dphi_ellipse}}" << 2.0 / 3 << 0.003;
    QTest::newRow("ellipse -5pi/6")
        << "{{set e ratio=1:1 dphi=-5/6 a=4}}{{e.dphi_ellipse}}" << -5.0 / 6 << 0.003;
    QTest::newRow("b over a is sin pi/4")
        << "{{set e ratio=1:1 dphi=1/4 ax=4 ay=2.8}}{{e.b_over_a}}" << std::sqrt(0.5) << 0.002;
    QTest::newRow("Dphi 0 yet an eight")
        << "{{set e wy=2 x0=0 vx0=1 y0=0 vy0=2}}{{e.shape_phase}}" << -0.5 << 1e-3;
    QTest::newRow("the table's eight, +pi/2")
        << "{{set e ratio=1:2 dphi=1/2 a=4}}{{e.shape_phase}}" << 0.5 << 1e-3;
    QTest::newRow("2 : 1, 1 on top and 2 on the right")
        << "{{set e ratio=2:1 dphi=1/4 a=4}}{{e.touch_top}}:{{e.touch_right}}" << 0.5 << 0.0;
    QTest::newRow("Dphi pi/2 yet an arc")
        << "{{set e wy=2 x0=0 vx0=-1 y0=1 vy0=0}}{{e.shape_phase}}" << 1.0 << 1e-3;
    QTest::newRow("1.705 pi is -0.295 pi")
        << "{{set e wy=1 x0=-2 vx0=-1 y0=-2 vy0=1}}{{e.dj_reduced}}" << -0.295 << 1e-3;
    QTest::newRow("4/3 typed drifts little")
        << "{{set e ratio=3:4 dphi=0 a=1}}{{e.drift:6}}"
        << 2 * M_PI * 9 * std::fabs(double(1.3333f) - 4.0 / 3) << 1e-6;
  }

  void values_agree_with_the_motion() {
    QFETCH(QString, expression);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    QString text = filled(expression);
    if (text.contains(QLatin1Char(':'))) {  // a pair of counts, as "4:2"
      const QStringList pair = text.split(QLatin1Char(':'));
      text = QString::number(read_russian(pair[0]) / read_russian(pair[1]));
    }
    const double got = read_russian(text);
    QVERIFY2(std::fabs(got - expected) <= tolerance,
             qPrintable(QStringLiteral("%1, expected %2").arg(text).arg(expected)));
  }

  // The beat cycle and the closing time are where the run's own point comes back.
  void the_run_comes_back_when_the_documents_say() {
    const MotionParameters p{1, 4, 0, 1.05, 4, 0.0f};
    const Characteristics c = compute_characteristics(p, 0, false);
    const double cycle = read_russian(filled("{{set e wy=1.05 x0=4 vx0=0 y0=4 vy0=0}}{{e.beat}}"));
    RunStepper stepper(p, c.wywx, c.dt);
    double best = 1e9, when = 0;
    for (int i = 0; i < 2000; ++i) {
      const RunStep s = stepper.next();
      const double gap = std::hypot(s.x - p.x0, s.y - p.y0);
      if (stepper.t() > cycle / 2 && gap < best) {
        best = gap;
        when = stepper.t();
      }
    }
    QVERIFY2(std::fabs(when - cycle) < c.dt, qPrintable(QString::number(when)));
  }

  void directions_data() {
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("direction");
    QTest::newRow("circle, Dphi pi/2") << "wy=1 x0=3 vx0=0 y0=0 vy0=3"
                                       << "против часовой стрелки";
    QTest::newRow("moment 3") << "wy=1 x0=2 vx0=1 y0=1 vy0=2"
                              << "против часовой стрелки";
    QTest::newRow("moment -4") << "wy=1 x0=-2 vx0=-1 y0=-2 vy0=1"
                               << "по часовой стрелке";
    QTest::newRow("moment -6") << "wy=1 x0=3 vx0=0 y0=0 vy0=-2"
                               << "по часовой стрелке";
    QTest::newRow("segment") << "wy=1 x0=1 vx0=1 y0=2 vy0=2"
                             << "туда и обратно";
  }

  // The direction read off the traced figure agrees with the sign of
  // x0 vy0 - y0 vx0 that the first help teaches.
  void directions() {
    QFETCH(QString, set);
    QFETCH(QString, direction);
    const QString text =
        filled(QStringLiteral("{{set e %1}}{{e.direction}}|{{e.moment}}").arg(set));
    const QStringList parts = text.split(QLatin1Char('|'));
    QCOMPARE(parts[0], direction);
    const double moment = read_russian(parts[1]);
    QCOMPARE(moment > 0, direction == QStringLiteral("против часовой стрелки"));
    QCOMPARE(moment == 0, direction == QStringLiteral("туда и обратно"));
  }

  void numbers_as_written_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("russian");
    QTest::newRow("root half") << std::sqrt(0.5) << "0.7071"
                               << "0,707";
    QTest::newRow("negative") << -std::sqrt(0.5) << "-0.7071"
                              << "−0,707";
    QTest::newRow("cos pi/2") << std::cos(M_PI / 2) << "0"
                              << "0,000";
    QTest::newRow("tiny negative") << -1e-17 << "0"
                                   << "0,000";
    QTest::newRow("whole") << 2.0 << "2"
                           << "2,000";
    QTest::newRow("four thirds") << 4.0 / 3 << "1.3333"
                                 << "1,333";
    QTest::newRow("rounds up") << 0.99996 << "1"
                               << "1,000";
  }

  // What to type has a point and at most four decimals; running text a comma and a minus sign.
  void numbers_as_written() {
    QFETCH(double, value);
    QFETCH(QString, typed);
    QFETCH(QString, russian);
    QCOMPARE(docs::typed_number(value), typed);
    QCOMPARE(docs::russian_number(value, 3), russian);
    QVERIFY(std::fabs(parse_leading_number(typed.toStdString()) - value) <= 5e-5);
  }

  void faulty_placeholders_are_refused_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("not defined") << "{{e.ax}}";
    QTest::newRow("unknown key") << "{{set e wy=1 x0=1 vx0=0 y0=1 vy0=0}}{{e.nope}}";
    QTest::newRow("five decimals to type") << "{{set e wy=1.33333 x0=1 vx0=0 y0=1 vy0=0}}";
    QTest::newRow("a box missing") << "{{set e wy=1 x0=1 vx0=0 y0=1}}";
    QTest::newRow("frequency 0") << "{{set e wy=0 x0=1 vx0=0 y0=1 vy0=0}}";
    QTest::newRow("count without a line") << "{{set e ratio=1:2 dphi=1/2 a=4}}{{e.nx}}";
    QTest::newRow("line through the node") << "{{set e ratio=1:2 dphi=1/2 a=4}}{{e.nx level=0}}";
    QTest::newRow("direction of an eight") << "{{set e ratio=1:2 dphi=1/2 a=4}}{{e.direction}}";
    QTest::newRow("beat of equal frequencies") << "{{set e ratio=1:1 dphi=0 a=4}}{{e.beat}}";
    QTest::newRow("no closing in 20 turns")
        << "{{set e wy=1.0123 x0=1 vx0=0 y0=1 vy0=0}}{{e.turns}}";
    QTest::newRow("unclosed braces") << "{{set e wy=1 x0=1 vx0=0 y0=1 vy0=0}} {{e.ax";
  }

  void faulty_placeholders_are_refused() {
    QFETCH(QString, text);
    QVERIFY(!docs::substitute_values(text).problems.isEmpty());
  }

  void every_document_fills_in_data() {
    QTest::addColumn<QString>("name");
    for (const char* name :
         {"spravka.html", "spravka2.html", "orvinda.html", "uprav.html", "instruction.txt"}) {
      QTest::newRow(name) << QString::fromLatin1(name);
    }
  }

  void every_document_fills_in() {
    QFETCH(QString, name);
    const QString source = read_file(QStringLiteral(ORVINDA_DOCS_SOURCE "/") + name);
    QVERIFY(!source.isEmpty());
    const docs::Substitution out = docs::substitute_values(source);
    QVERIFY2(out.problems.isEmpty(), qPrintable(out.problems.join(QLatin1String("; "))));
    QVERIFY(!out.text.contains(QLatin1String("{{")));
  }

  // A formula stays on one line where plain words would have broken.
  void formulas_do_not_break() {
    QTextDocument doc;
    doc.setTextWidth(300);
    const QString words = QStringLiteral("слово ").repeated(7);
    doc.setHtml(docs::protect_formulas(
        QStringLiteral("<body><p>%1<f>A = √(c<sup>2</sup> + (u/ω)<sup>2</sup>) − 1</f></p>"
                       "<p>%1 м/с м/с м/с м/с м/с м/с м/с</p></body>")
            .arg(words)));
    const QTextBlock formula = doc.begin();
    doc.documentLayout()->blockBoundingRect(doc.lastBlock());
    const QTextLayout* layout = formula.layout();
    QVERIFY(layout->lineCount() >= 2);
    const int start = formula.text().indexOf(QLatin1Char('A'));
    const QTextLine line = layout->lineForTextPosition(start);
    QVERIFY(line.textStart() + line.textLength() >= formula.text().size());
    // "м/с" is never cut after its slash.
    const QTextBlock units = doc.lastBlock();
    const QTextLayout* second = units.layout();
    for (int i = 0; i < second->lineCount(); ++i) {
      const QTextLine l = second->lineAt(i);
      const QString tail = units.text().mid(l.textStart(), l.textLength()).trimmed();
      QVERIFY2(!tail.endsWith(QLatin1Char('/')) && !tail.endsWith(QChar(0x2060)), qPrintable(tail));
    }
  }

  void page_breaks_keep_together_data() {
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("heading and its text")
        << "<h2>Заголовок</h2><p>Первая строка текста раздела.</p>"
        << "Заголовок"
        << "Первая строка";
    QTest::newRow("lead-in and its formula")
        << "<p style=\"-qt-user-state: 1\">Отсюда</p><p>x = A cos φ</p>"
        << "Отсюда"
        << "x = A cos φ";
    QTest::newRow("table header and rows")
        << "<table><thead><tr><th>Голова</th></tr></thead><tr><td>Раз</td></tr>"
           "<tr><td>Два</td></tr></table>"
        << "Голова"
        << "Два";
  }

  // Filler brings the tail to the foot of a page; the breaks keep its parts on one page.
  void page_breaks_keep_together() {
    QFETCH(QString, tail);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QTemporaryDir dir;
    for (int filler = 40; filler < 60; ++filler) {
      QPdfWriter writer(dir.filePath(QStringLiteral("t.pdf")));
      writer.setResolution(300);
      const QString html = QStringLiteral("<body>") +
                           QStringLiteral("<p>Строка заполнения.</p>").repeated(filler) + tail +
                           QStringLiteral("</body>");
      docs::PagedDocument paged = docs::lay_out_pages(
          [&] {
            auto doc = std::make_unique<QTextDocument>();
            doc->setHtml(html);
            return doc;
          },
          writer);
      QVERIFY(paged.problems.isEmpty());
      QVERIFY(paged.lost.isEmpty());
      QTextDocument& doc = *paged.doc;
      auto page = [&](const QString& text) {
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
          if (b.text().startsWith(text)) {
            const QRectF r = doc.documentLayout()->blockBoundingRect(b);
            return static_cast<int>(r.top() / doc.pageSize().height());
          }
        }
        return -1;
      };
      QVERIFY(page(first) >= 0);
      QCOMPARE(page(first), page(second));
    }
  }

  // No picture is left to start a page after a page that is more than a third empty.
  void generator_warns_of_nothing_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"spravka", "spravka2", "orvinda", "uprav"}) {
      QTest::newRow(name) << QString::fromLatin1(name);
    }
  }

  void generator_warns_of_nothing() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    QProcess generator;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    generator.setProcessEnvironment(env);
    generator.start(
        QStringLiteral(ORVINDA_MAKE_DOCS),
        {QStringLiteral("pdf"), QStringLiteral(ORVINDA_DOCS_SOURCE "/%1.html").arg(name),
         dir.filePath(QStringLiteral("out.pdf"))});
    QVERIFY(generator.waitForFinished(60000));
    QCOMPARE(generator.exitCode(), 0);
    const QString errors = QString::fromUtf8(generator.readAllStandardError());
    QVERIFY2(!errors.contains(QLatin1String("make_docs")), qPrintable(errors));
  }

  void open_figures_end_in_corners_data() {
    QTest::addColumn<int>("wx_part");
    QTest::addColumn<int>("wy_part");
    QTest::addColumn<double>("dphi");
    QTest::addColumn<bool>("open");
    // With phix = 0 a figure is open exactly when dphi is a multiple of pi/q,
    // q = wx_part; the rows near each multiple check that only it is open.
    // clang-format off
    QTest::newRow("1:1 segment")          << 1 << 1 << 0.0       << true;
    QTest::newRow("1:1 ellipse")          << 1 << 1 << 0.25      << false;
    QTest::newRow("1:2 parabola")         << 1 << 2 << 0.0       << true;
    QTest::newRow("1:2 eight")            << 1 << 2 << 0.5       << false;
    QTest::newRow("1:3 pi")               << 1 << 3 << 1.0       << true;
    QTest::newRow("2:1 pi/2")             << 2 << 1 << 0.5       << true;
    QTest::newRow("2:1 pi/4")             << 2 << 1 << 0.25      << false;
    QTest::newRow("2:3 pi/2")             << 2 << 3 << 0.5       << true;
    QTest::newRow("2:3 pi/4")             << 2 << 3 << 0.25      << false;
    QTest::newRow("3:4 pi/3")             << 3 << 4 << 1.0 / 3   << true;
    QTest::newRow("3:4 2pi/3")            << 3 << 4 << 2.0 / 3   << true;
    QTest::newRow("3:4 pi/2")             << 3 << 4 << 0.5       << false;
    QTest::newRow("3:1 2pi/3")            << 3 << 1 << 2.0 / 3   << true;
    QTest::newRow("3:1 pi/2")             << 3 << 1 << 0.5       << false;
    // clang-format on
  }

  // An open figure turns back only in corners of its rectangle, and counting
  // a corner as half a touch of each side still gives the frequency ratio.
  void open_figures_end_in_corners() {
    QFETCH(int, wx_part);
    QFETCH(int, wy_part);
    QFETCH(double, dphi);
    QFETCH(bool, open);
    const FigureShape shape{wx_part, wy_part, dphi, 1.0, 1.0};
    const std::vector<QPointF> points = docs::figure_points(shape);
    const std::vector<QPointF> turns = turning_points(points);
    QCOMPARE(!turns.empty(), open);
    for (const QPointF& t : turns) {
      QVERIFY2(std::fabs(std::fabs(t.x()) - 1) < 1e-3 && std::fabs(std::fabs(t.y()) - 1) < 1e-3,
               qPrintable(QStringLiteral("turns back at (%1; %2)").arg(t.x()).arg(t.y())));
    }
    const double top = counted_touches(points, false);
    const double right = counted_touches(points, true);
    QVERIFY2(std::fabs(top / right - double(wy_part) / wx_part) < 1e-9,
             qPrintable(QStringLiteral("%1 on top, %2 on the right").arg(top).arg(right)));
  }

  void shape_and_direction_leave_the_phase_data() {
    QTest::addColumn<int>("wx_part");
    QTest::addColumn<int>("wy_part");
    QTest::addColumn<double>("dphi");
    QTest::addColumn<double>("other");
    QTest::addColumn<bool>("same_direction");
    // clang-format off
    QTest::newRow("2:3, 3pi/4 and -pi/4")  << 2 << 3 << 0.75     << -0.25    << true;
    QTest::newRow("2:3, 3pi/4 and -3pi/4") << 2 << 3 << 0.75     << -0.75    << false;
    QTest::newRow("3:4, pi/6 and 5pi/6")   << 3 << 4 << 1.0 / 6  << 5.0 / 6  << true;
    QTest::newRow("1:2, pi/2 and -pi/2")   << 1 << 2 << 0.5      << -0.5     << false;
    QTest::newRow("1:1, pi/4 and -pi/4")   << 1 << 1 << 0.25     << -0.25    << false;
    // clang-format on
  }

  // Phase differences 2 pi / q apart draw one curve, run the same way; only
  // the start point tells them apart. Opposite ones run it the other way.
  void shape_and_direction_leave_the_phase() {
    QFETCH(int, wx_part);
    QFETCH(int, wy_part);
    QFETCH(double, dphi);
    QFETCH(double, other);
    QFETCH(bool, same_direction);
    const std::vector<QPointF> a = docs::figure_points({wx_part, wy_part, dphi, 1.0, 1.0});
    const std::vector<QPointF> b = docs::figure_points({wx_part, wy_part, other, 1.0, 1.0});
    int along = 0, against = 0;
    for (std::size_t i = 0; i + 1 < a.size(); i += 7) {
      double distance = 0;
      const QPointF t = tangent_near(b, a[i], &distance);
      QVERIFY2(distance < 0.02, qPrintable(QStringLiteral("apart by %1").arg(distance)));
      (QPointF::dotProduct(t, a[i + 1] - a[i]) > 0 ? along : against) += 1;
    }
    // Near a node the nearest step may lie on the other branch.
    QVERIFY(same_direction ? along > 9 * against : against > 9 * along);
    const double starts = std::hypot(a.front().x() - b.front().x(), a.front().y() - b.front().y());
    if (same_direction) QVERIFY(starts > 0.1);
  }

  // One notation: nг, nв for touches and Nг, Nв for crossings, the horizontal
  // count over the vertical one beside ωy/ωx, and no nx, ny at all.
  void counts_have_one_notation_data() { written_rows(false); }

  void counts_have_one_notation() {
    QFETCH(QString, file);
    const QString text = plain(file.endsWith(QLatin1String(".pdf")) ? pdf_text(built(file))
                                                                    : read_file(built(file)));
    if (text.isEmpty()) QSKIP("pdftotext is not installed or the document was not written");
    static const QRegularExpression axis_counts(QStringLiteral("\\b[nN][xy]\\b"));
    QVERIFY2(!axis_counts.match(text).hasMatch(), qPrintable(axis_counts.match(text).captured()));
    static const QRegularExpression ratio(
        QStringLiteral("([nN]) ?([гвxy]) ?[/:] ?([nN]) ?([гвxy])"));
    for (QRegularExpressionMatchIterator it = ratio.globalMatch(text); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      const bool right = m.captured(1) == m.captured(3) && m.captured(2) == QStringLiteral("г") &&
                         m.captured(4) == QStringLiteral("в");
      QVERIFY2(right, qPrintable(m.captured()));
    }
  }

  // A blank operator at the end or the start of a line is a formula broken in two.
  void formulas_stay_on_one_line_data() { written_rows(true); }

  void formulas_stay_on_one_line() {
    QFETCH(QString, file);
    const QString text = pdf_text(built(file));
    if (text.isEmpty()) QSKIP("pdftotext is not installed or the document was not written");
    static const QRegularExpression broken(QStringLiteral("(\\s[=+−·×≈≤≥<>:]$|^[=+−·×≈≤≥<>:]\\s)"));
    for (QString line : text.split(QLatin1Char('\n'))) {
      line = line.replace(QChar(0x00A0), QLatin1Char(' ')).trimmed();
      QVERIFY2(!broken.match(line).hasMatch(), qPrintable(line));
    }
  }

  // Every page but the last is printed down to 80 % of its height, the last to a quarter.
  void pages_are_filled_data() { written_rows(true); }

  void pages_are_filled() {
    QFETCH(QString, file);
    if (!QFile::exists(built(file))) QFAIL(qPrintable(file + QStringLiteral(" was not written")));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
      QSKIP("pdftoppm is not installed");
    }
    const std::vector<double> fills = page_fills(built(file));
    QVERIFY2(!fills.empty(), "no page with its number at the foot");
    QStringList shown;
    for (double f : fills) shown << QString::number(std::lround(f * 100)) + QLatin1Char('%');
    for (std::size_t i = 0; i < fills.size(); ++i) {
      const double least = i + 1 < fills.size() ? 0.8 : 0.25;
      QVERIFY2(
          fills[i] >= least,
          qPrintable(QStringLiteral("page %1 of %2").arg(i + 1).arg(shown.join(QLatin1Char(' ')))));
    }
  }

  void written_documents_say_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("present");
    const MotionParameters start = kStartParameters;
    const Characteristics c = compute_characteristics(start, 0, false);
    const QString ax = QStringLiteral("Ax=") +
                       QString::fromStdString(format_by_pattern(c.ax, "0.000E+00", ",")) +
                       QStringLiteral(" м");
    const QString dj = QStringLiteral("Δφ=") +
                       QString::fromStdString(format_by_pattern(c.dj, "0.000", ",")) +
                       QStringLiteral("π");
    const QString beat =
        QStringLiteral("T ≈ %1 с").arg(std::lround(kTruncatedTwoPi / (1.05f - 1.0f)));
    // The least clock time of a beat cycle at slow-down 5: steps of 50 ms.
    const Characteristics close = compute_characteristics({1, 4, 0, 1.05, 4, 0.0f}, 0, false);
    const double steps = kTruncatedTwoPi / (1.05f - 1.0f) / close.dt;
    const QString clock = QStringLiteral("не меньше %1 с по часам")
                              .arg(QString::number(steps * 0.05, 'f', 1).replace('.', ','));
    auto row = [](const char* file, const QString& phrase, bool present) {
      QTest::addRow("%s: %s%s", file, present ? "" : "not ", qPrintable(phrase.left(40)))
          << QString::fromLatin1(file) << phrase << present;
    };
    // 1: the velocity projections carry their minus sign.
    row("spravka.pdf", "vx = −Axωx sin(ωxt − φx)", true);
    row("spravka.pdf", "vx = Axωx sin", false);
    // 2 and 7: the shape at other ratios, open and closed, the sign.
    row("spravka.pdf", "q·φy − p·φx", true);
    row("spravka.pdf", "По виду фигуры величину (5) находят лишь с точностью до знака", true);
    row("spravka.pdf", "Разность фаз по виду фигуры находят лишь с точностью до знака", false);
    row("spravka.pdf", "Форма траектории зависит не от самих начальных фаз, а от их разности",
        false);
    row("spravka2.pdf", "Таблица составлена для начальной фазы горизонтального колебания φx = 0",
        true);
    row("spravka2.pdf", "число касаний горизонтальной стороны равно числу вертикальных колебаний",
        true);
    row("Orvinda.pdf", "задаёт величина q·φy − p·φx", true);
    row("Orvinda.pdf", "только с точностью до знака", true);
    // 3: close frequencies.
    row("spravka.pdf", "Δφ*(t) = Δφ − (ωy − ωx)t", true);
    row("spravka.pdf", "окружность — только при Ax = Ay", true);
    row("spravka.pdf", beat, true);
    row("spravka.pdf", "сдвиг фаз растёт", false);
    row("spravka.pdf", "эллипс, круг", false);
    // 4, 5, 6.
    row("Orvinda.pdf", "|q·fy − p·fx| = 1/T", true);
    row("Orvinda.pdf", "за один такой цикл сдвиг фаз меняется на 2π", false);
    row("Orvinda.pdf", "груз на двух пружинах, горизонтальной и вертикальной", true);
    row("Orvinda.pdf", "двух парах пружин", false);
    row("Orvinda.pdf", "Y-образном подвесе", true);
    row("Orvinda.pdf", "V-образном", false);
    // Language.
    row("spravka.pdf", "начальная фаза входит в аргумент косинуса со знаком «минус»", true);
    row("spravka.pdf", "фаза стоит со знаком", false);
    row("spravka.pdf", "Разность (сдвиг) фаз", true);
    row("spravka.pdf", "с повёрнутыми осями", true);
    row("spravka.pdf", "наклонёнными", false);
    row("spravka2.pdf", "точка ходит", false);
    row("Orvinda.pdf", "маятник с воронкой, из которой сыплется песок", false);
    row("Orvinda.pdf", "Маятник с воронкой, из которой сыплется песок", true);
    row("Orvinda.pdf", "при малых амплитудах", true);
    row("Orvinda.pdf", "размахах", false);
    row("uprav.pdf", "отношение бесконечно велико («00» заменяет знак ∞)", true);
    // Numbers from the model.
    row("spravka.pdf", ax, true);
    row("spravka.pdf", dj, true);
    row("uprav.pdf", dj, true);
    row("spravka.pdf", "atan2(3; 3) = π/4 ≈ 0,785 рад", true);
    // Additions.
    row("spravka.pdf", "|sin Δφ| = b/a", true);
    row("spravka.pdf", "циркулярно поляризованными", true);
    row("spravka.pdf", "kx : ky = ωx2 : ωy2", true);
    row("spravka.pdf", "7. Задачи", true);
    row("spravka.pdf", "Ответы", true);
    row("uprav.pdf", "Лабораторная работа", true);
    row("uprav.pdf", "Опыт → Проверь себя…", true);
    row("uprav.pdf", "Опыт → Описание опыта…", true);
    row("uprav.pdf", "Опыт → Крупно (для проектора)", true);
    row("uprav.pdf", "«Правильно: 22 из 30 частей; 6 из 10 заданий»", true);
    row("uprav.pdf", "«Правильно: 7 из 10»", false);
    row("uprav.pdf", "Shift + щелчок", true);
    row("uprav.pdf", "orvinda --export", true);
    // A later start adds ωτ to each phase.
    row("spravka.pdf", "фазы станут φx + ωxτ и φy + ωyτ", true);
    row("spravka.pdf", "φx − ωxτ", false);
    // Open figures: the rule, and the cases it gives.
    for (const char* file : {"spravka.pdf", "Orvinda.pdf", "spravka2.pdf"}) {
      row(file, "Δφ кратна π/q", true);
      row(file, "лежат в углах прямоугольника", true);
    }
    row("spravka.pdf", "при 2 : 1 и 2 : 3 — ещё и π/2; при 3 : 4 — 0, π/3, 2π/3 и π", true);
    row("Orvinda.pdf", "при 2 : 1 и 2 : 3 — ещё и π/2, при 3 : 4 — 0, π/3, 2π/3 и π", true);
    row("spravka.pdf", "а при отношении 2 : 3 — ещё и при Δφ = π/2", false);
    row("Orvinda.pdf", "а при 2 : 3 — ещё и при Δφ = π/2", false);
    // Shape and direction leave the phase difference to a multiple of 2π/q.
    row("spravka.pdf", "задают Δφ лишь с точностью до 2π/q", true);
    row("spravka.pdf", "Различает их только начальная точка", true);
    row("spravka2.pdf", "разности фаз, отличающиеся на 2π/q, дают одну и ту же кривую", true);
    row("spravka2.pdf", "а знак — по направлению движения.", false);
    row("Orvinda.pdf", "задают Δφ лишь с точностью до 2π/q", true);
    row("Orvinda.pdf", "поэтому знак разности фаз определяют по направлению движения", false);
    // The teacher's table: 2 : 1 is the upright eight, 1 : 2 the lying one.
    row("uprav.pdf", "восьмёрка, лежащая на боку: два касания сверху, одно справа", true);
    row("uprav.pdf", "восьмёрка, стоящая вертикально: одно касание сверху, два справа", true);
    // The eight of the first help is the table's one run the other way.
    row("spravka.pdf", "она равна +π/2: это та же восьмёрка, но точка проходит её в обратном",
        true);
    row("spravka.pdf", "как у восьмёрки таблицы", false);
    // Ends of an open arc.
    row("spravka2.pdf",
        "Каждый конец считают за половину касания горизонтальной стороны и за "
        "половину касания вертикальной",
        true);
    row("spravka2.pdf", "(в том числе в его углу)", false);
    // One notation.
    row("spravka2.pdf", "ωy / ωx = nг / nв = Nг / Nв", true);
    row("uprav.pdf", "ωy / ωx = Nг / Nв", true);
    row("Orvinda.pdf", "fy = fx · nг / nв = fx · Nг / Nв", true);
    row("instruction.txt", "Wy/Wx = nг/nв", true);
    row("instruction.txt", "Wy/Wx = Nг/Nв", true);
    // Smaller points.
    row("spravka.pdf", "zam", false);
    row("spravka.pdf", clock, true);
    row("spravka2.pdf", "Wy/Wx = 1,8 = 9/5", true);
    row("spravka2.pdf", "рад/с = 9/5", false);
    row("Orvinda.pdf", "с разными частотами:", false);
    row("spravka.pdf", "Частные случаи (рисунок 4)", true);
    row("spravka.pdf", "показаны на рисунке 3", true);
    row("uprav.pdf",
        "в системе с русскими настройками (десятичный разделитель в характеристиках "
        "— запятая)",
        true);
    // The instruction.
    row("instruction.txt", "Файл → Справка1", true);
    row("instruction.txt", "->", false);
    row("instruction.txt", " - ", false);
    row("instruction.txt", "Проверь себя…", true);
  }

  void written_documents_say() {
    QFETCH(QString, file);
    QFETCH(QString, phrase);
    QFETCH(bool, present);
    const QString path = QStringLiteral(ORVINDA_DOCS_BUILT "/") + file;
    if (!QFile::exists(path)) QFAIL(qPrintable(path + QStringLiteral(" was not written")));
    QString text;
    if (file.endsWith(QLatin1String(".pdf"))) {
      const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
      if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed");
      QProcess process;
      process.start(pdftotext, {path, QStringLiteral("-")});
      QVERIFY(process.waitForFinished(60000));
      text = QString::fromUtf8(process.readAllStandardOutput());
    } else {
      // A hyphen that opens a line is a list's bullet, not a dash.
      text = read_file(path).replace(QRegularExpression(QStringLiteral("(^|\\n) *- ")),
                                     QStringLiteral("\\1• "));
    }
    QVERIFY(!text.isEmpty());
    QCOMPARE(plain(text).contains(plain(phrase)), present);
  }
};

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"
