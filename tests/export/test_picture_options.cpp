// What a saved or printed picture shows, by its options: the texts and the
// pieces drawn are recorded from the painter, not guessed from pixels; the
// options are remembered and given on the command line; printed pages keep
// their margins on A4 and Letter whatever the printer's own.

#include <QCheckBox>
#include <QLineEdit>
#include <QPaintEngine>
#include <QTemporaryDir>
#include <QtTest>

#include "app/command_line.h"
#include "model/start_values.h"
#include "platform/fake_platform.h"
#include "platform/print_margins.h"
#include "plot/picture_sheet.h"
#include "plot/plot_surface.h"
#include "support/shown_form.h"
#include "tools/export/picture_options_box.h"
#include "tools/export/picture_settings.h"
#include "tools/shared/experiment_picture.h"
#include "tools/shared/start_marks.h"
#include "window/form1.h"

using namespace orvinda;

Q_DECLARE_METATYPE(orvinda::PictureOptions)

namespace {

// A paint device that keeps what is drawn on it: every text, and how many
// shapes of each other kind.
class RecordingEngine : public QPaintEngine {
 public:
  RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++shapes; }
  void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    ++shapes;
  }
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override { ++shapes; }
  void drawPath(const QPainterPath&) override { ++shapes; }
  void drawLines(const QLineF*, int count) override { shapes += count; }
  void drawRects(const QRectF*, int count) override { shapes += count; }
  void drawEllipse(const QRectF&) override { ++shapes; }
  void drawPoints(const QPointF*, int count) override { shapes += count; }
  void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
  Type type() const override { return QPaintEngine::User; }

  QStringList texts;
  int shapes = 0;
};

class RecordingDevice : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &engine; }
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return 1000;
      case PdmHeight: return 2000;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return 96;
      case PdmDepth: return 32;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return 1;
    }
  }
  mutable RecordingEngine engine;
};

struct Drawn {
  QStringList texts;
  int shapes = 0;
};

Drawn drawn(const PictureSheet& sheet) {
  RecordingDevice device;
  QPainter painter(&device);
  sheet.paint(painter, QRectF(0, 0, 1000, sheet.heightFor(1000)));
  painter.end();
  return {device.engine.texts, device.engine.shapes};
}

PictureOptions options(bool device, bool values, bool arrow, const QString& title) {
  PictureOptions o;
  o.device = device;
  o.values = values;
  o.arrow = arrow;
  o.title = !title.isEmpty();
  o.title_text = title;
  return o;
}

// Non-white pixels nearer to an edge of the page than margin_px.
int ink_within(const QImage& page, double margin_px) {
  int count = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const bool near = x < margin_px || y < margin_px || x >= page.width() - margin_px ||
                        y >= page.height() - margin_px;
      if (near && page.pixel(x, y) != qRgb(255, 255, 255)) ++count;
    }
  }
  return count;
}

int ink(const QImage& page) { return ink_within(page, page.width()); }

}  // namespace

class TestPictureOptions : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void sheet_shows_what_is_chosen_data() {
    QTest::addColumn<PictureOptions>("chosen");
    // clang-format off
    QTest::newRow("as always") << PictureOptions{};
    QTest::newRow("no device") << options(false, true, false, "");
    QTest::newRow("no values") << options(true, false, false, "");
    QTest::newRow("figure alone") << options(false, false, false, "");
    QTest::newRow("arrow") << options(true, true, true, "");
    QTest::newRow("title") << options(true, true, false, "Эллипс для 10А");
    QTest::newRow("worksheet-like") << options(false, false, true, "Задание 3");
    // clang-format on
  }

  // Each option adds or takes away its own piece and nothing else.
  void sheet_shows_what_is_chosen() {
    QFETCH(PictureOptions, chosen);
    const ExperimentPicture picture(kStartParameters, 0);
    const Drawn plain = drawn(*picture.sheet(options(false, false, false, "")));
    const Drawn got = drawn(*picture.sheet(chosen));

    QCOMPARE(got.texts.contains("Параметры задачи"), chosen.values);
    QCOMPARE(got.texts.contains("Характеристики"), chosen.values);
    QCOMPARE(got.texts.contains(chosen.title_text), chosen.title);
    // The plot's own numbers are there whatever is chosen.
    for (const QString& text : plain.texts) QVERIFY2(got.texts.contains(text), qPrintable(text));

    // The device and the arrow are shapes over the plot.
    const Drawn device_only = drawn(*picture.sheet(options(true, false, false, "")));
    const Drawn arrow_only = drawn(*picture.sheet(options(false, false, true, "")));
    const int device_shapes = device_only.shapes - plain.shapes;
    const int arrow_shapes = arrow_only.shapes - plain.shapes;
    QVERIFY(device_shapes > 0);
    QVERIFY(arrow_shapes > 0);
    const int values_shapes =
        chosen.values ? drawn(*picture.sheet(options(false, true, false, ""))).shapes - plain.shapes
                      : 0;
    QCOMPARE(got.shapes, plain.shapes + (chosen.device ? device_shapes : 0) +
                             (chosen.arrow ? arrow_shapes : 0) + values_shapes);

    // Without the values the sheet is the plot alone (plus the title's line).
    const double height = picture.sheet(chosen)->heightFor(1000);
    if (!chosen.values && !chosen.title) QCOMPARE(height, 1000.0);
    if (chosen.values || chosen.title) QVERIFY(height > 1000);
  }

  // The marks lie over the plot at its own scale, whatever the view's factor.
  void start_marks_match_the_plot_in_any_view_data() {
    QTest::addColumn<double>("factor");
    QTest::newRow("plain") << 1.0;
    QTest::newRow("projector") << 1.5;
    QTest::newRow("projector, double") << 2.0;
  }

  void start_marks_match_the_plot_in_any_view() {
    QFETCH(double, factor);
    PlotSurface plot;
    plot.setViewScale(factor);
    plot.resize(480, 480);
    plot.Scale(-6, 6, 6, -6);
    plot.Cls();
    const DrawingList marks = start_marks(plot, kStartParameters);
    QCOMPARE(marks.size(), plot.drawing().size());
    const auto scale = std::find_if(marks.ops().begin(), marks.ops().end(), [](const DrawOp& op) {
      return op.kind == DrawOp::Kind::Scale;
    });
    QVERIFY(scale != marks.ops().end());
    const double got[] = {scale->a, scale->b, scale->c, scale->d};
    const double wanted[] = {-6, 6, 6, -6};
    for (int i = 0; i < 4; ++i)
      QVERIFY2(std::abs(got[i] - wanted[i]) < 1e-9, qPrintable(QString::number(got[i])));
  }

  // The marks' list: the start point where the motion starts, and an arrow
  // head whose tip lies on the way the point goes first.
  void start_marks_are_the_start_point_and_the_arrow_data() {
    QTest::addColumn<double>("wy");
    QTest::addColumn<double>("y0");
    QTest::addColumn<double>("vy0");
    QTest::newRow("start values") << 1.8 << 3.0 << 2.0;
    QTest::newRow("ellipse") << 1.0 << 0.0 << 4.0;
    QTest::newRow("slow y") << 0.5 << 2.0 << 0.0;
  }

  void start_marks_are_the_start_point_and_the_arrow() {
    QFETCH(double, wy);
    QFETCH(double, y0);
    QFETCH(double, vy0);
    MotionParameters p = kStartParameters;
    p.wy = wy;
    p.y0 = y0;
    p.vy0 = static_cast<float>(vy0);
    const ExperimentPicture picture(p, 0);
    const DrawingList marks = start_marks(picture.surface(), p);
    std::vector<DrawOp> dots, lines;
    for (const DrawOp& op : marks.ops()) {
      if (op.kind == DrawOp::Kind::Dot) dots.push_back(op);
      if (op.kind == DrawOp::Kind::Line) lines.push_back(op);
    }
    QCOMPARE(dots.size(), std::size_t(1));
    QCOMPARE(dots[0].a, p.x0);
    QCOMPARE(dots[0].b, p.y0);
    QCOMPARE(lines.size(), std::size_t(2));  // the head's two strokes
    QCOMPARE(lines[0].a, lines[1].a);        // from one tip
    QCOMPARE(lines[0].b, lines[1].b);
    QVERIFY(marks.traces().empty());
    QCOMPARE(marks.size(), picture.surface().drawing().size());
  }

  void box_reads_back_and_title_starts_as_the_comment() {
    PictureOptions start = options(false, true, true, "");
    PictureOptionsBox box(start, "\n  Эллипс для 10А:  найдите ωx : ωy\nвторая строка");
    QCOMPARE(box.options().device, false);
    QCOMPARE(box.options().arrow, true);
    QVERIFY(!box.titleEdit->isEnabled());
    QSignalSpy changed(&box, &DialogExtra::changed);
    box.titleCheck->setChecked(true);
    QCOMPARE(box.options().title, true);
    QCOMPARE(box.options().title_text, QString("Эллипс для 10А: найдите ωx : ωy"));
    QVERIFY(changed.count() >= 1);
    box.titleEdit->setText("Своё");
    box.titleCheck->setChecked(false);
    box.titleCheck->setChecked(true);
    QCOMPARE(box.options().title_text, QString("Своё"));  // what was typed stays
  }

  void settings_round_trip_and_refuse_rubbish() {
    FakePlatform platform;
    QCOMPARE(remembered_picture_options(platform), PictureOptions{});
    const PictureOptions chosen = options(false, false, true, "");
    remember_picture_options(platform, chosen);
    PictureOptions back = remembered_picture_options(platform);
    QCOMPARE(back.device, false);
    QCOMPARE(back.values, false);
    QCOMPARE(back.arrow, true);
    QCOMPARE(back.title, false);
    platform.settings.insert("picture/device", "пожалуй");
    platform.settings.insert("picture/values", 7);
    back = remembered_picture_options(platform);
    QCOMPARE(back.device, true);
    QCOMPARE(back.values, true);
  }

  // Through the menu: the group in the file dialog, the file as chosen there,
  // and the choice remembered for the next time.
  void save_picture_with_options() {
    ShownForm shown;
    QTemporaryDir dir;
    const QString path = dir.filePath("f.svg");
    shown.platform.file_answers << path;
    shown.platform.with_dialog_extra = [](DialogExtra& extra) {
      auto& box = dynamic_cast<PictureOptionsBox&>(extra);
      box.valuesCheck->setChecked(false);
      box.titleCheck->setChecked(true);
      box.titleEdit->setText("Восьмёрка");
    };
    shown.form.mnuExperimentSavePicture->trigger();
    QVERIFY(shown.platform.messages.empty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());
    QVERIFY(svg.contains("Восьмёрка"));
    QVERIFY(!svg.contains("Параметры задачи"));
    QCOMPARE(shown.platform.settings.value("picture/values").toBool(), false);
    QCOMPARE(shown.platform.settings.value("picture/title").toBool(), true);

    // The next dialog starts as left.
    bool seen = false;
    shown.platform.with_dialog_extra = [&](DialogExtra& extra) {
      const auto& box = dynamic_cast<PictureOptionsBox&>(extra);
      QVERIFY(!box.valuesCheck->isChecked());
      QVERIFY(box.titleCheck->isChecked());
      seen = true;
    };
    shown.form.mnuExperimentSavePicture->trigger();  // cancelled
    QVERIFY(seen);
  }

  // Turned on in the dialog, the title is the open experiment's comment.
  void title_starts_as_the_opened_comment() {
    ShownForm shown;
    QTemporaryDir dir;
    const QString experiment = dir.filePath("e.orv");
    QFile file(experiment);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "{\"format\": \"orvinda-experiment\", \"version\": 1, \"wx\": 1, \"x0\": 4, "
        "\"vx0\": 0, \"wy\": 1, \"y0\": 0, \"vy0\": 4, \"zam\": 3, "
        "\"comment\": \"Эллипс для 10А\\nнайдите отношение частот\"}");
    file.close();
    QVERIFY(shown.form.openExperiment(experiment));
    const QString path = dir.filePath("f.svg");
    shown.platform.file_answers << path;
    shown.platform.with_dialog_extra = [](DialogExtra& extra) {
      dynamic_cast<PictureOptionsBox&>(extra).titleCheck->setChecked(true);
    };
    shown.form.mnuExperimentSavePicture->trigger();
    QFile svg(path);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(svg.readAll());
    QVERIFY(text.contains("Эллипс для 10А"));
    QVERIFY(!text.contains("найдите"));  // one line
  }

  void command_line_options_data() {
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<bool>("values");
    QTest::addColumn<QString>("title");
    QTest::newRow("none") << QStringList{} << true << QString();
    QTest::newRow("no values") << QStringList{"--no-values"} << false << QString();
    QTest::newRow("all") << QStringList{"--no-device", "--no-values", "--arrow", "--title",
                                        "Задание 1"}
                         << false << "Задание 1";
  }

  void command_line_options() {
    QFETCH(QStringList, flags);
    QFETCH(bool, values);
    QFETCH(QString, title);
    QTemporaryDir dir;
    const QString path = dir.filePath("p.svg");
    const CommandLine c = parse_command_line(QStringList{"orvinda", "--export", path} + flags);
    QCOMPARE(c.mode, CommandLine::Mode::Export);
    QString problem;
    QCOMPARE(run_export(c, &problem), kStatusDone);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());
    QCOMPARE(svg.contains("Параметры задачи"), values);
    if (!title.isEmpty()) QVERIFY(svg.contains(title));
  }

  void command_line_refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("title without text") << QStringList{"--export", "p.png", "--title"};
    QTest::newRow("arrow without export") << QStringList{"--arrow"};
  }

  void command_line_refusals() {
    QFETCH(QStringList, arguments);
    const CommandLine c = parse_command_line(QStringList{"orvinda"} + arguments);
    QCOMPARE(c.mode, CommandLine::Mode::Usage);
    QVERIFY(!c.problem.isEmpty());
  }

  void page_area_keeps_the_margins_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<double>("printer_mm");  // the printer's own margin
    for (const auto& [name, paper] :
         {std::pair{"A4", QPageSize::A4}, std::pair{"Letter", QPageSize::Letter}}) {
      for (double mm : {0.0, 3.5, 15.0, 22.0}) {
        QTest::addRow("%s, printer %.1f mm", name, mm) << int(paper) << mm;
      }
    }
  }

  void page_area_keeps_the_margins() {
    QFETCH(int, paper);
    QFETCH(double, printer_mm);
    const double dpmm = 600 / 25.4;
    const QRectF sheet(QPointF(0, 0),
                       QSizeF(QPageSize(QPageSize::PageSizeId(paper)).sizePixels(600)));
    const double m = printer_mm * dpmm;
    const QRectF printable = sheet.adjusted(m, m, -m, -m);
    const QRectF area = page_area(sheet, printable, dpmm).translated(printable.topLeft());
    const double margin = std::max(kPrintMarginMm, printer_mm) * dpmm;
    QVERIFY(area.left() >= margin - 1e-6);
    QVERIFY(area.top() >= margin - 1e-6);
    QVERIFY(sheet.right() - area.right() >= margin - 1e-6);
    QVERIFY(sheet.bottom() - area.bottom() >= margin - 1e-6);
    // No wider than it needs to be.
    QVERIFY(area.width() >= sheet.width() - 2 * margin - 1e-6);
  }

  // The printed page of the window, on each paper, keeps clear of the edges.
  void printed_page_keeps_the_margins_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<double>("printer_mm");
    QTest::addColumn<bool>("values");
    QTest::newRow("A4, narrow printer") << int(QPageSize::A4) << 3.0 << true;
    QTest::newRow("A4, figure alone") << int(QPageSize::A4) << 0.0 << false;
    QTest::newRow("Letter, narrow printer") << int(QPageSize::Letter) << 3.0 << true;
    QTest::newRow("Letter, wide printer") << int(QPageSize::Letter) << 20.0 << true;
  }

  void printed_page_keeps_the_margins() {
    QFETCH(int, paper);
    QFETCH(double, printer_mm);
    QFETCH(bool, values);
    ShownForm shown;
    shown.platform.paper = QPageSize::PageSizeId(paper);
    shown.platform.printer_margin_mm = printer_mm;
    shown.platform.with_dialog_extra = [values](DialogExtra& extra) {
      dynamic_cast<PictureOptionsBox&>(extra).valuesCheck->setChecked(values);
    };
    shown.form.mnuExperimentPrint->trigger();
    const QImage& page = shown.platform.printed_page;
    QCOMPARE(page.size(), QPageSize(QPageSize::PageSizeId(paper)).sizePixels(96));
    QVERIFY(ink(page) > 5000);
    QCOMPARE(ink_within(page, kPrintMarginMm * 96 / 25.4 - 1), 0);
  }
};

QTEST_MAIN(TestPictureOptions)
#include "test_picture_options.moc"
