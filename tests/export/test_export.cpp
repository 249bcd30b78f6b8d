// Pictures out of the program: the drawing list drawn again matches the live
// picture; saved SVG and PDF files match the screen; the trace survives a
// resize and goes with an edit; the list stays small over a long run; the
// command line ends with the right status.

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

#include "app/command_line.h"
#include "model/characteristics.h"
#include "model/figure_period.h"
#include "model/run_stepper.h"
#include "platform/fake_platform.h"
#include "plot/picture_sheet.h"
#include "plot/plot_surface.h"
#include "plot/trace_store.h"
#include "support/shown_form.h"
#include "tools/export/picture_export.h"
#include "tools/shared/experiment_picture.h"
#include "window/form1.h"

using namespace orvinda;

namespace {

bool red(QColor c) { return c.red() > 200 && c.green() < 110 && c.blue() < 110; }

// Share of pixels of a and b (same size) whose channels differ by more than
// tolerance; antialiased edges differ by a few levels, a missing line by far more.
double differing_share(const QImage& a, const QImage& b, int tolerance) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  if (x.size() != y.size()) return 1;
  long long differing = 0;
  for (int row = 0; row < x.height(); ++row) {
    for (int col = 0; col < x.width(); ++col) {
      const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
      if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
          std::abs(qBlue(p) - qBlue(q)) > tolerance) {
        ++differing;
      }
    }
  }
  return static_cast<double>(differing) / (static_cast<double>(x.width()) * x.height());
}

int red_pixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += red(image.pixelColor(x, y)) ? 1 : 0;
  }
  return count;
}

// Runs the window for a number of steps with the shortest pause.
void run_steps(Form1& form, long long steps) {
  form.HScroll1->setValue(1);
  const long long until = form.runSteps() + steps;
  const auto connection = QObject::connect(&form, &Form1::stepTaken, &form, [&] {
    if (form.runSteps() == until) form.CmdOK->click();
  });
  form.CmdOK->click();
  QObject::disconnect(connection);
}

// The plot as the screen shows it: the picture with the device over it.
QImage screen_plot(Form1& form) {
  return form.Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class TestExport : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ShownForm> shown;
  FakePlatform* platform = nullptr;
  Form1* form = nullptr;
  QTemporaryDir* dir = nullptr;

 private Q_SLOTS:
  void init() {
    shown = std::make_unique<ShownForm>();
    platform = &shown->platform;
    form = &shown->form;
    dir = new QTemporaryDir;
  }

  void cleanup() {
    shown.reset();
    delete dir;
  }

  void replayed_list_matches_the_live_picture() {
    run_steps(*form, 500);  // beyond one closing: later laps are thinned in the list
    const QImage& live = form->Picture1->picture();
    QImage replayed(live.size(), QImage::Format_ARGB32_Premultiplied);
    replayed.setDevicePixelRatio(live.devicePixelRatio());
    replayed.fill(Qt::white);
    form->Picture1->drawing().replayOnto(replayed);
    QVERIFY(red_pixels(live) > 2000);
    QVERIFY2(differing_share(live, replayed, 60) < 0.003,
             qPrintable(QString::number(differing_share(live, replayed, 60))));
    // The same list at twice the size: the trace is there, as thick again.
    QImage big(live.size() * 2, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::white);
    QPainter painter(&big);
    form->Picture1->drawing().replay(painter, QRectF(QPointF(0, 0), QSizeF(live.size() * 2)));
    painter.end();
    const double ratio = static_cast<double>(red_pixels(big)) / red_pixels(live);
    QVERIFY2(ratio > 3.5 && ratio < 4.5, qPrintable(QString::number(ratio)));
  }

  void saved_files_match_the_screen_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("svg") << "f.svg";
    QTest::newRow("pdf") << "f.pdf";
    QTest::newRow("png") << "f.png";
  }

  void saved_files_match_the_screen() {
    QFETCH(QString, name);
    run_steps(*form, 300);
    const QImage screen = screen_plot(*form);
    const QString path = dir->filePath(name);
    platform->file_answers << path;
    form->mnuExperimentSavePicture->trigger();
    QVERIFY(platform->messages.empty());
    QCOMPARE(platform->file_dialogs.size(), std::size_t(1));
    QCOMPARE(platform->file_dialogs[0].title, QStringLiteral("Сохранить рисунок"));
    QCOMPARE(platform->file_dialogs[0].filters,
             QStringList({"Рисунок PNG (*.png)", "Рисунок SVG (*.svg)", "Документ PDF (*.pdf)"}));
    QVERIFY(QFileInfo(path).size() > 1000);

    // The file drawn back at the screen's scale; its plot is the top square.
    const int side = screen.width();
    QImage back;
    if (name.endsWith("svg")) {
      QSvgRenderer svg(path);
      QVERIFY(svg.isValid());
      const QSizeF size = svg.viewBoxF().size();
      QCOMPARE(size.width(), 1748.0);  // 148 mm at 300 dpi
      back =
          QImage(side, static_cast<int>(size.height() * side / size.width()), QImage::Format_RGB32);
      back.fill(Qt::white);
      QPainter painter(&back);
      svg.render(&painter, QRectF(QPointF(0, 0), back.size()));
    } else if (name.endsWith("pdf")) {
      const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
      if (pdftoppm.isEmpty()) QSKIP("pdftoppm (poppler-utils) is not installed");
      const QString out = dir->filePath(QStringLiteral("page"));
      QCOMPARE(QProcess::execute(pdftoppm, {"-png", "-singlefile", "-scale-to-x",
                                            QString::number(side), "-scale-to-y", "-1", path, out}),
               0);
      back = QImage(out + ".png");
    } else {
      const QImage png(path);
      QCOMPARE(png.width(), 1748);
      QCOMPARE(qRound(png.width() / (png.dotsPerMeterX() / 1000.0)), 148);
      back = png.scaledToWidth(side, Qt::SmoothTransformation);
    }
    QVERIFY(!back.isNull());
    const QImage plot = back.copy(0, 0, side, side);
    // The sheet frames the plot with a grey line; leave the outermost pixels.
    const QRect inner(2, 2, side - 4, side - 4);
    const double share = differing_share(screen.copy(inner), plot.copy(inner), 90);
    QVERIFY2(share < 0.02, qPrintable(QString::number(share)));
    QVERIFY(red_pixels(plot) > red_pixels(screen) * 0.8);
  }

  void failure_names_the_file_and_keeps_the_old_one() {
    const QString path = dir->filePath(QStringLiteral("missing/f.png"));
    platform->file_answers << path;
    form->mnuExperimentSavePicture->trigger();
    QCOMPARE(platform->messages.size(), std::size_t(1));
    QCOMPARE(platform->messages[0].title, QStringLiteral("Ошибка"));
    QVERIFY(platform->messages[0].text.contains(QStringLiteral("missing")));
    QVERIFY(platform->messages[0].text.contains(QStringLiteral("такой папки нет")));

    // An old one stays whole when the new picture cannot replace it.
    const QString taken = dir->filePath(QStringLiteral("taken.png"));
    QVERIFY(QDir().mkpath(taken + QStringLiteral("/inside")));
    platform->file_answers << taken;
    form->mnuExperimentSavePicture->trigger();
    QCOMPARE(platform->messages.size(), std::size_t(2));
    QVERIFY(platform->messages[1].text.contains(QStringLiteral("уже есть папка")));
    QVERIFY(QFileInfo(taken + QStringLiteral("/inside")).isDir());
  }

  // During a run the picture holds what is drawn so far, and the run goes on.
  void save_during_a_run() {
    form->HScroll1->setValue(1);
    const QString path = dir->filePath(QStringLiteral("during.png"));
    platform->file_answers << path;
    long long saved_at = 0;
    const auto connection = QObject::connect(form, &Form1::stepTaken, form, [&] {
      if (form->runSteps() == 40) {
        saved_at = form->runSteps();
        form->mnuExperimentSavePicture->trigger();
      }
      if (form->runSteps() == 60) form->CmdOK->click();
    });
    form->CmdOK->click();
    QObject::disconnect(connection);
    QCOMPARE(saved_at, 40LL);
    QVERIFY(platform->messages.empty());
    const QImage saved(path);
    QVERIFY(red_pixels(saved) > 1000);
    QCOMPARE(form->runSteps(), 60LL);
  }

  void cancelled_dialog_writes_nothing() {
    form->mnuExperimentSavePicture->trigger();
    QVERIFY(platform->messages.empty());
    QVERIFY(QDir(dir->path()).isEmpty());
  }

  void print_fits_the_page() {
    run_steps(*form, 100);
    form->mnuExperimentPrint->trigger();
    QCOMPARE(platform->print_titles, QStringList({"Печать рисунка"}));
    QVERIFY(red_pixels(platform->printed_page) > 1000);
    // Nothing outside the printable area.
    const QImage& page = platform->printed_page;
    for (int x = 0; x < page.width(); x += 7) QCOMPARE(page.pixelColor(x, 10), QColor(Qt::white));
  }

  void trace_survives_a_resize_and_goes_with_an_edit() {
    run_steps(*form, 120);
    const int red_before = red_pixels(form->Picture1->picture());
    QVERIFY(red_before > 1000);
    const QSize frame = form->size() - form->centralWidget()->size();
    form->resize(QSize(800, 700) + frame);
    QCOMPARE(form->Picture1->width(), 645);
    const int red_after = red_pixels(form->Picture1->picture());
    // Same figure, larger plot: the trace grows with the scale.
    QVERIFY2(red_after > red_before * 1.1,
             qPrintable(QStringLiteral("%1 -> %2").arg(red_before).arg(red_after)));
    QVERIFY(!form->Picture1->drawing().traces().empty());
    form->Text2->setText(QStringLiteral(" 2"));
    QCOMPARE(red_pixels(form->Picture1->picture()), 0);
    QVERIFY(form->Picture1->drawing().traces().empty());
  }

  // Any ratio, also one that never closes: the kept trace stays bounded.
  void trace_memory_stays_bounded_data() {
    QTest::addColumn<double>("wy");
    QTest::newRow("closes") << 1.8;
    QTest::newRow("never closes") << std::sqrt(2.0);
    QTest::newRow("fast vertical") << 37.3;
  }

  void trace_memory_stays_bounded() {
    QFETCH(double, wy);
    const MotionParameters p{1, 3, 3, wy, 3, 2.0f};
    const Characteristics c = compute_characteristics(p, 0, false);
    RunStepper stepper(p, c.wywx, c.dt);
    TraceStore store(-6, 6, 6, -6);
    TracePoint last{p.x0, p.y0};

    for (int i = 0; i < 1'000'000; ++i) {
      const RunStep s = stepper.next();
      store.add(last, {s.segment_x, s.segment_y});
      last = {s.segment_x, s.segment_y};
    }
    QVERIFY2(store.memoryBytes() <= 16u * 1024 * 1024,
             qPrintable(QString::number(store.memoryBytes())));
    QVERIFY(store.segmentCount() <=
            static_cast<std::size_t>(TraceStore::kLattice) * TraceStore::kLattice);
    // A figure that closes is kept about once, however long the run.
    if (wy == 1.8) QVERIFY(store.memoryBytes() < 1024 * 1024);
  }

  void command_line_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("problem");
    // clang-format off
    QTest::newRow("no arguments") << QStringList{} << -1 << "";
    QTest::newRow("experiment file") << QStringList{"a.orv"} << -1 << "";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "";
    QTest::newRow("short help") << QStringList{"-h"} << 0 << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "";
    QTest::newRow("unknown option") << QStringList{"--colour"} << 2 << "неизвестный параметр «--colour»";
    QTest::newRow("no value") << QStringList{"--export", "a.png", "--wy"} << 2 << "после «--wy» нужно значение";
    QTest::newRow("letters") << QStringList{"--export", "a.png", "--x0", "abc"} << 2 << "не число";
    QTest::newRow("characters after the number") << QStringList{"--export", "a.png", "--x0", "3м"} << 2 << "не число";
    QTest::newRow("wy zero") << QStringList{"--export", "a.png", "--wy", "0"} << 2 << "Wy должна быть больше 0";
    QTest::newRow("wy negative") << QStringList{"--export", "a.png", "--wy", "-2"} << 2 << "Wy должна быть больше 0";
    QTest::newRow("other extension") << QStringList{"--export", "a.jpg"} << 2 << ".png, .svg или .pdf";
    QTest::newRow("no extension") << QStringList{"--export", "a"} << 2 << ".png, .svg или .pdf";
    QTest::newRow("turns zero") << QStringList{"--export", "a.png", "--turns", "0"} << 2 << "--turns";
    QTest::newRow("turns fraction") << QStringList{"--export", "a.png", "--turns", "1.5"} << 2 << "--turns";
    QTest::newRow("size too small") << QStringList{"--export", "a.png", "--size", "3"} << 2 << "--size";
    QTest::newRow("values without export") << QStringList{"--wy", "2"} << 2 << "--export";
    QTest::newRow("two files") << QStringList{"a.orv", "b.orv"} << 2 << "один файл";
    QTest::newRow("png") << QStringList{"--export", "a.png", "--size", "400"} << 0 << "";
    QTest::newRow("svg in capitals") << QStringList{"--export", "a.SVG", "--wy", "2"} << 0 << "";
    QTest::newRow("pdf with all values") << QStringList{"--export", "a.pdf", "--wy", "2", "--x0", "4", "--vx0", "0", "--y0", "0", "--vy0", "8", "--turns", "3"} << 0 << "";
    QTest::newRow("unwritable") << QStringList{"--export", "missing/a.png"} << 1 << "такой папки нет";
    // clang-format on
  }

  void command_line() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, problem);
    for (QString& a : arguments) {
      if (a.startsWith(QLatin1String("a.")) || a.startsWith(QLatin1String("missing/"))) {
        a = dir->filePath(a);
      }
    }
    const CommandLine c = parse_command_line(QStringList{"orvinda"} + arguments);
    int got = -1;
    QString said;
    switch (c.mode) {
      case CommandLine::Mode::Window: got = -1; break;
      case CommandLine::Mode::Help:
      case CommandLine::Mode::Version: got = kStatusDone; break;
      case CommandLine::Mode::Usage:
        got = kStatusUsage;
        said = c.problem;
        break;
      case CommandLine::Mode::Export:
        got = run_export(c, &said);
        if (got == kStatusDone) QVERIFY(QFileInfo(c.picture).size() > 1000);
        break;
    }
    QCOMPARE(got, status);
    QVERIFY2(said.contains(problem), qPrintable(said));
  }

  // The default run closes the figure: the last point is the first.
  void default_turns_close_the_figure() {
    MotionParameters p{1, 4, 0, 2, 0, 8.0f};
    QCOMPARE(default_turns(p), 1);
    p.wy = 1.8;
    QCOMPARE(default_turns(p), 5);
    p.wy = std::sqrt(2.0);
    QCOMPARE(default_turns(p), 20);
    const ExperimentPicture picture({1, 3, 3, 1.8, 3, 2.0f}, 0);
    const Characteristics c = compute_characteristics({1, 3, 3, 1.8, 3, 2.0f}, 0, false);
    QCOMPARE(picture.steps(), steps_for_turns(c.dt, 5));
    QCOMPARE(picture.steps(), 450LL);
  }

  void help_lists_every_option() {
    const QString help = help_text();
    for (const char* option : {"--export", "--from", "--wy", "--x0", "--vx0", "--y0", "--vy0",
                               "--turns", "--size", "--help", "--version"}) {
      QVERIFY2(help.contains(QLatin1String(option)), option);
    }
  }
};

QTEST_MAIN(TestExport)
#include "test_export.moc"
