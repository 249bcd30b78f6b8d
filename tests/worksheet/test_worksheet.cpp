// Worksheets on paper: a variant's sheet holds its self-check figures and
// answers, pages come as many as the choice asks, the same code makes the
// same sheet, and refused inputs are said and write nothing.

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "app/command_line.h"
#include "platform/fake_platform.h"
#include "plot/plot_surface.h"
#include "support/shown_form.h"
#include "tools/experiment/experiment_file.h"
#include "tools/self_check/model/self_check_variant.h"
#include "tools/self_check/self_check_figure.h"
#include "tools/shared/experiment_picture.h"
#include "tools/worksheet/worksheet_dialog.h"
#include "tools/worksheet/worksheet_figure.h"
#include "tools/worksheet/worksheet_pdf.h"
#include "ui/plot_look.h"
#include "window/form1.h"

using namespace orvinda;

namespace {

const QByteArray kExperiment =
    "{\"format\": \"orvinda-experiment\", \"version\": 1, \"wx\": 1, \"x0\": 4, \"vx0\": 0, "
    "\"wy\": 2, \"y0\": 0, \"vy0\": 8, \"zam\": 3, \"comment\": \"восьмёрка\"}";

void write_file(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

QString run_tool(const QString& tool, const QStringList& arguments) {
  const QString program = QStandardPaths::findExecutable(tool);
  if (program.isEmpty()) return QString();
  QProcess p;
  p.start(program, arguments);
  if (!p.waitForFinished(60000)) return QString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

int page_count(const QString& pdf) {
  const QString info = run_tool(QStringLiteral("pdfinfo"), {pdf});
  const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(info);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pdf_text(const QString& pdf) {
  return run_tool(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
}

std::unique_ptr<PlotSurface> fresh_surface() {
  auto surface = std::make_unique<PlotSurface>();
  style_plot_surface(surface.get());
  surface->resize(ExperimentPicture::kPlotSide, ExperimentPicture::kPlotSide);
  return surface;
}

}  // namespace

class TestWorksheet : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
      QSKIP("pdfinfo and pdftotext (poppler-utils) are not installed");
    }
  }

  // Each figure of a variant's sheet is the self-check's figure of that task,
  // operation by operation.
  void variant_figures_are_the_self_checks_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("12345") << 12345;
    QTest::newRow("1") << 1;
  }

  void variant_figures_are_the_self_checks() {
    QFETCH(int, code);
    const std::vector<Task> tasks = variant_tasks(code);
    const std::vector<WorksheetItem> items = variant_items(code);
    QCOMPARE(items.size(), tasks.size());
    for (std::size_t i = 0; i < tasks.size(); ++i) {
      auto sheet = fresh_surface();
      auto check = fresh_surface();
      draw_worksheet_figure(*sheet, items[i]);
      draw_self_check_figure(*check, tasks[i], false);
      QVERIFY(sheet->drawing().ops() == check->drawing().ops());
      QCOMPARE(sheet->drawing().texts(), check->drawing().texts());
      QCOMPARE(sheet->drawing().traces().size(), check->drawing().traces().size());
      QVERIFY(!sheet->drawing().traces().empty());
    }
  }

  void page_counts_data() {
    QTest::addColumn<int>("per_page");
    QTest::addColumn<bool>("key");
    QTest::addColumn<int>("pages");
    QTest::newRow("1 a page") << 1 << true << 11;
    QTest::newRow("2 a page") << 2 << true << 6;
    QTest::newRow("4 a page") << 4 << true << 4;
    QTest::newRow("6 a page") << 6 << true << 3;
    QTest::newRow("6 a page, no key") << 6 << false << 2;
    QTest::newRow("4 a page, no key") << 4 << false << 3;
  }

  void page_counts() {
    QFETCH(int, per_page);
    QFETCH(bool, key);
    QFETCH(int, pages);
    QTemporaryDir dir;
    Worksheet sheet;
    sheet.code = 12345;
    sheet.items = variant_items(12345);
    sheet.per_page = per_page;
    sheet.key = key;
    const QString path = dir.filePath("лист.pdf");
    QCOMPARE(write_worksheet(path, sheet), QString());
    QCOMPARE(page_count(path), pages);
    const QString info = run_tool(QStringLiteral("pdfinfo"), {path});
    QVERIFY2(info.contains("(A4)"), qPrintable(info));
  }

  // The same code gives the same sheet: the same text in the same places
  // (the file carries the date it was made), and its key is the self-check's.
  void same_code_same_sheet() {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.pdf"), b = dir.filePath("b.pdf");
    CommandLine first = parse_command_line({"orvinda", "--worksheet", a, "--variant", "12345"});
    CommandLine second =
        parse_command_line({"orvinda", "--worksheet", b, "--variant", "12345", "--per-page", "6"});
    QString problem;
    QCOMPARE(run_export(first, &problem), kStatusDone);
    QCOMPARE(run_export(second, &problem), kStatusDone);
    const QString text = pdf_text(a);
    QVERIFY(!text.isEmpty());
    QCOMPARE(pdf_text(b), text);
    QVERIFY(text.contains("вариант № 12345"));
    QVERIFY(text.contains("Фамилия, имя"));
    QVERIFY(text.contains("Задание 10"));
    Worksheet sheet;
    sheet.code = 12345;
    sheet.items = variant_items(12345);
    const QString flat = QString(text).replace(QRegularExpression("\\s+"), " ");
    for (const QString& line : worksheet_key_lines(sheet)) {
      QVERIFY2(flat.contains(line), qPrintable(line));
    }
    // Another code, another sheet.
    const QString c = dir.filePath("c.pdf");
    QCOMPARE(run_export(parse_command_line({"orvinda", "--worksheet", c, "--variant", "12346"}),
                        &problem),
             kStatusDone);
    QVERIFY(pdf_text(c) != text);
  }

  void from_files() {
    QTemporaryDir dir;
    write_file(dir.filePath("a.orv"), kExperiment);
    write_file(dir.filePath("b.orv"), QByteArray(kExperiment).replace("\"wy\": 2", "\"wy\": 1"));
    const QString out = dir.filePath("лист.pdf");
    const CommandLine c = parse_command_line({"orvinda", "--worksheet", out, dir.filePath("a.orv"),
                                              dir.filePath("b.orv"), "--per-page", "2"});
    QCOMPARE(c.mode, CommandLine::Mode::Export);
    QString problem;
    QCOMPARE(run_export(c, &problem), kStatusDone);
    QCOMPARE(page_count(out), 2);  // the figures' page and the key
    const QString text = pdf_text(out);
    QVERIFY(text.contains("Фигура: замкнутая / незамкнутая"));  // 1 : 2
    QVERIFY(text.contains("Направление:"));                     // 1 : 1
    QVERIFY(text.contains("ωx : ωy = 1 : 2"));
  }

  void refused_usage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no source") << QStringList{"--worksheet", "l.pdf"};
    QTest::newRow("code and files")
        << QStringList{"--worksheet", "l.pdf", "--variant", "5", "a.orv"};
    QTest::newRow("code 0") << QStringList{"--worksheet", "l.pdf", "--variant", "0"};
    QTest::newRow("code not a number") << QStringList{"--worksheet", "l.pdf", "--variant", "пять"};
    QTest::newRow("3 a page") << QStringList{"--worksheet", "l.pdf",      "--variant",
                                             "5",           "--per-page", "3"};
    QTest::newRow("not a PDF") << QStringList{"--worksheet", "l.png", "--variant", "5"};
    QTest::newRow("export's option")
        << QStringList{"--worksheet", "l.pdf", "--variant", "5", "--arrow"};
    QTest::newRow("per-page alone") << QStringList{"--per-page", "2"};
  }

  void refused_usage() {
    QFETCH(QStringList, arguments);
    const CommandLine c = parse_command_line(QStringList{"orvinda"} + arguments);
    QCOMPARE(c.mode, CommandLine::Mode::Usage);
    QVERIFY(!c.problem.isEmpty());
  }

  void refused_files_data() {
    QTest::addColumn<QByteArray>("bytes");  // empty: no file
    QTest::newRow("no such file") << QByteArray();
    QTest::newRow("not JSON") << QByteArray("wy = 2");
    QTest::newRow("Wy 0") << QByteArray(kExperiment).replace("\"wy\": 2", "\"wy\": 0");
    QTest::newRow("not an experiment") << QByteArray("{}");
  }

  // One bad file among good ones: status 2, the file named with its problem
  // in Russian, and no sheet, also where an old one stood.
  void refused_files() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    write_file(dir.filePath("good.orv"), kExperiment);
    const QString bad = dir.filePath("плохой.orv");
    if (!bytes.isEmpty()) write_file(bad, bytes);
    const QString out = dir.filePath("лист.pdf");
    write_file(out, "old");
    QProcess program;
    program.start(ORVINDA_PROGRAM, {"--worksheet", out, dir.filePath("good.orv"), bad});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), kStatusUsage);
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(err.contains("orvinda: не удалось открыть опыт из файла «" + bad + "»: "),
             qPrintable(err));
    QFile old(out);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
  }

  void unwritable_place_is_status_1() {
    QTemporaryDir dir;
    const CommandLine c = parse_command_line(
        {"orvinda", "--worksheet", dir.filePath("нет/лист.pdf"), "--variant", "3"});
    QString problem;
    QCOMPARE(run_export(c, &problem), kStatusNotWritten);
    QVERIFY(problem.contains("нет/лист.pdf"));
  }

  // The Опыт item: the dialog, a wrong code said and asked again, the file.
  void menu_item_writes_the_sheet() {
    ShownForm shown;
    QTemporaryDir dir;
    const QString out = dir.filePath("лист.pdf");
    shown.platform.file_answers << out;
    int round = 0;
    shown.platform.while_dialog_open = [&](QDialog& dialog) {
      auto& d = dynamic_cast<WorksheetDialog&>(dialog);
      QCOMPARE(d.windowTitle(), QString("Лист заданий"));
      d.variantEdit->setText(++round == 1 ? "0" : " 12345 ");
      d.perPageBox->setCurrentIndex(d.perPageBox->findData(4));
      d.saveButton->click();
    };
    shown.form.mnuExperimentWorksheet->trigger();
    QCOMPARE(round, 2);
    QCOMPARE(shown.platform.messages.size(), std::size_t(1));
    QVERIFY(shown.platform.messages[0].text.contains("от 1 до 99999"));
    QCOMPARE(shown.platform.file_dialogs.back().suggested_name, QString("лист заданий 12345.pdf"));
    QCOMPARE(page_count(out), 4);
  }

  void menu_item_with_a_refused_file() {
    ShownForm shown;
    QTemporaryDir dir;
    const QString bad = dir.filePath("плохой.orv");
    write_file(bad, "{}");
    shown.platform.file_answers << bad;
    int round = 0;
    shown.platform.while_dialog_open = [&](QDialog& dialog) {
      auto& d = dynamic_cast<WorksheetDialog&>(dialog);
      if (++round > 1) return;  // cancelled the second time
      d.filesRadio->setChecked(true);
      d.addButton->click();
      d.saveButton->click();
    };
    shown.form.mnuExperimentWorksheet->trigger();
    QCOMPARE(round, 2);
    QCOMPARE(shown.platform.messages.size(), std::size_t(1));
    QVERIFY(shown.platform.messages[0].text.contains("плохой.orv"));
    QVERIFY(QDir(dir.path()).entryList({"*.pdf"}).isEmpty());
  }
};

QTEST_MAIN(TestWorksheet)
#include "test_worksheet.moc"
