// The bench's window on the recording platform and a fake clock: both tasks
// done as a student does them, bad rows refused, checks kept on record,
// the saved work and the report read back.

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <numbers>

#include "platform/fake_platform.h"
#include "support/shown_form.h"
#include "tools/lab/lab_screen.h"
#include "tools/lab/lab_texts.h"
#include "tools/lab/lab_window.h"
#include "tools/measure/measure_overlay.h"

using namespace orvinda;

namespace {

struct Bench {
  FakePlatform platform;
  LabWindow window{platform};
  explicit Bench(int code) {
    window.startVariant(code);
    window.show();
  }
  void frames(int count, double seconds = 1.0 / 60) {
    for (int i = 0; i < count; ++i) {
      platform.advance_clock(seconds);
      window.advanceFrame();
    }
  }
};

// Everything a student can read or a screen reader can reach.
QStringList visible_texts(QWidget& window) {
  QStringList texts{window.windowTitle()};
  for (QWidget* w : window.findChildren<QWidget*>()) {
    texts << w->toolTip() << w->accessibleName() << w->accessibleDescription() << w->whatsThis()
          << w->statusTip();
    if (auto* l = qobject_cast<QLabel*>(w)) texts << l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) texts << e->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) texts << b->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) {
      for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
    }
    if (auto* t = qobject_cast<QTableWidget*>(w)) {
      for (int r = 0; r < t->rowCount(); ++r) {
        for (int c = 0; c < t->columnCount(); ++c) {
          if (t->item(r, c)) texts << t->item(r, c)->text() << t->item(r, c)->toolTip();
        }
      }
    }
    if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w)) {
      texts << a->text(QAccessible::Name) << a->text(QAccessible::Description)
            << a->text(QAccessible::Value);
    }
  }
  return texts;
}

bool mentions(const QStringList& texts, const QString& needle) {
  for (const QString& t : texts) {
    if (t.contains(needle)) return true;
  }
  return false;
}

// Tunes the generator until the figure of (Nг, Nв) stands still, as closely
// as the fine knob allows, and records the row.
void record_ratio(Bench& b, int ng, int nv) {
  const LabVariant v = lab_variant(b.window.variantCode());
  b.window.setDial(v.fx_hz() * ng / nv / (1 + v.scale_error()));
  b.frames(30);
  b.window.ngEdit->setText(QString::number(ng));
  b.window.nvEdit->setText(QString::number(nv));
  b.window.recordFrequencyButton->click();
}

// The ellipse read to a tenth of a division at the gain of Y given.
void record_ellipse(Bench& b, int gain_index) {
  const LabVariant v = lab_variant(b.window.variantCode());
  b.window.gainYCombo->setCurrentIndex(gain_index);
  b.frames(30);
  const double gain = b.window.gainYCombo->currentData().toDouble();
  const double a = 2 * v.shifter_ay_volts() / gain;
  const double s = std::sin(v.shift_deg() * std::numbers::pi / 180);
  b.window.aEdit->setText(comma_number(std::round(a * 10) / 10, 1));
  b.window.bEdit->setText(comma_number(std::round(a * s * 10) / 10, 1));
  b.window.recordPhaseButton->click();
}

int gain_for_height(Bench& b, double volts, double most_divisions) {
  for (int i = 0; i < b.window.gainYCombo->count(); ++i) {
    if (2 * volts / b.window.gainYCombo->itemData(i).toDouble() <= most_divisions) return i;
  }
  return b.window.gainYCombo->count() - 1;
}

QString pdf_text(const QString& path) {
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (pdftotext.isEmpty()) return {};
  QProcess process;
  process.start(pdftotext,
                {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
  process.waitForFinished(30000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class TestLabWindow : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void menuOpensOneWindow() {
    ShownForm shown;
    shown.form.mnuExperimentLab->trigger();
    LabWindow* first = shown.form.labWindow();
    QVERIFY(first && first->isVisible() && !first->isModal());
    shown.form.mnuExperimentLab->trigger();
    QCOMPARE(shown.form.labWindow(), first);
    QCOMPARE(first->windowTitle(), QStringLiteral("Лабораторная работа с осциллографом"));
  }

  void everyControlIsNamed() {
    Bench b(1);
    for (QWidget* w : b.window.findChildren<QWidget*>()) {
      const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                           qobject_cast<QTableWidget*>(w);
      if (control && w->isVisibleTo(&b.window) &&
          !w->parentWidget()->inherits("QAbstractSpinBox") &&
          !w->parentWidget()->inherits("QComboBox") && !w->inherits("QTabBar")) {
        QVERIFY2(!w->accessibleName().isEmpty() || !qobject_cast<QAbstractButton*>(w) ||
                     !static_cast<QAbstractButton*>(w)->text().isEmpty(),
                 w->metaObject()->className());
        if (!qobject_cast<QAbstractButton*>(w)) {
          QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
        }
      }
    }
  }

  void hiddenValuesStayHiddenUntilChecked_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("1") << 1;
    QTest::newRow("12345") << 12345;
    QTest::newRow("99999") << 99999;
  }
  void hiddenValuesStayHiddenUntilChecked() {
    QFETCH(int, code);
    Bench b(code);
    const LabVariant v = lab_variant(code);
    const QString fx = comma_number(v.fx_hz(), 2);
    const QString shift = comma_number(v.shift_deg(), 1) + QStringLiteral("°");
    for (auto [ng, nv] : {std::pair{1, 1}, {1, 2}, {2, 1}, {2, 3}, {3, 2}}) record_ratio(b, ng, nv);
    QVERIFY(!mentions(visible_texts(b.window), fx));
    QVERIFY(!mentions(visible_texts(b.window), shift));
    QVERIFY(!mentions(visible_texts(b.window), QStringLiteral("Скрытые")));
    b.window.checkButton->click();
    QVERIFY(mentions(visible_texts(b.window), fx));
    QVERIFY(mentions(visible_texts(b.window), shift));
  }

  void beamIsDenseOnTheScreen() {
    Bench b(2);
    b.window.setDial(2000);
    const double fastest = std::max(lab_variant(2).fx_hz(), b.window.beam().y.frequency_hz);
    for (double frame : {1.0 / 60, 0.05, 0.004}) {
      b.frames(1, frame);
      const auto& points = b.window.lastStretch();
      QVERIFY(points.size() >= 2);
      for (std::size_t i = 1; i < points.size(); ++i) {
        QVERIFY(points[i].t - points[i - 1].t <= 1 / fastest / 20 * (1 + 1e-9));
      }
    }
    // The beam lit the screen.
    const QImage glow = b.window.screen->glow();
    int lit = 0;
    for (int y = 0; y < glow.height(); y += 2) {
      for (int x = 0; x < glow.width(); x += 2) lit += qGreen(glow.pixel(x, y)) > 128;
    }
    QVERIFY(lit > 50);
  }

  void afterglowFadesWithPersistence_data() {
    QTest::addColumn<int>("persistence_ms");
    QTest::addColumn<bool>("still_lit");
    QTest::newRow("20 ms") << 20 << false;
    QTest::newRow("2 s") << 2000 << true;
  }
  void afterglowFadesWithPersistence() {
    QFETCH(int, persistence_ms);
    QFETCH(bool, still_lit);
    Bench b(3);
    b.window.persistenceSpin->setValue(persistence_ms);
    b.frames(10);
    // The beam moves off the screen; what it drew is left to fade.
    // The beam moves to the right edge; what it drew on the left fades.
    b.window.gainXCombo->setCurrentIndex(b.window.gainXCombo->count() - 1);
    b.window.positionXSpin->setValue(5);
    b.frames(12);  // 0.2 s
    const QImage glow = b.window.screen->glow();
    int brightest = 0;
    for (int y = 0; y < glow.height(); ++y) {
      for (int x = 0; x < glow.width() / 2; ++x)
        brightest = std::max(brightest, qGreen(glow.pixel(x, y)));
    }
    QCOMPARE(brightest > 60, still_lit);
  }

  void wholeFrequencyTask() {
    Bench b(12345);
    b.window.nameEdit->setText(QStringLiteral("Иванова Анна"));
    b.window.groupEdit->setText(QStringLiteral("ФТ-101"));
    const QList<std::pair<int, int>> ratios{{1, 1}, {1, 2}, {2, 1}, {2, 3}, {3, 2}};
    for (int i = 0; i < ratios.size(); ++i) {
      record_ratio(b, ratios[i].first, ratios[i].second);
      if (i < 4) QVERIFY(!b.window.frequencyResult->text().contains(QStringLiteral("Итог")));
    }
    QCOMPARE(b.window.frequencyTable->rowCount(), 5);
    QVERIFY(!b.window.frequencyTable->item(0, 1)->data(Qt::DecorationRole).isNull());
    QVERIFY(b.window.frequencyResult->text().contains(QStringLiteral("Итог: fx = (")));
    // The figure stood still when recorded: its shape turns less than a
    // tenth of a turn a second.
    const Beam& beam = b.window.beam();
    QVERIFY(std::fabs(2 * beam.y.frequency_hz - 3 * beam.x.frequency_hz) < 0.1);

    b.window.checkButton->click();
    QVERIFY(b.window.verdictLabel->text().contains(QStringLiteral("частота: зачтено")));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("отчёт.pdf"));
    b.platform.file_answers << path;
    b.window.saveReportButton->click();
    QVERIFY(b.platform.messages.empty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    const QString text = pdf_text(path);
    if (text.isEmpty()) QSKIP("pdftotext is not installed");
    const Estimate e = frequency_estimate(b.window.state().frequency_rows, kScaleClass);
    const ResultText r = result_text(e.mean, e.total);
    QVERIFY2(
        text.contains(QStringLiteral("fx = (%1 ± %2) Гц")
                          .arg(QString::fromStdString(r.value), QString::fromStdString(r.error))),
        qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Иванова Анна")));
    QVERIFY(text.contains(QStringLiteral("Вариант № 12345")));
    QVERIFY(text.contains(QStringLiteral("частота: зачтено")));
    QVERIFY(text.contains(comma_number(lab_variant(12345).fx_hz(), 2)));
  }

  void wholePhaseTask_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("1") << 1;
    QTest::newRow("2") << 2;
    QTest::newRow("99999") << 99999;
  }
  void wholePhaseTask() {
    QFETCH(int, code);
    Bench b(code);
    b.window.tasks->setCurrentIndex(1);
    b.window.setDial(150);
    const LabVariant v = lab_variant(code);
    const int fit = gain_for_height(b, v.shifter_ay_volts(), 8);
    // Three gains, the largest figure first.
    for (int g : {fit, fit + 1, fit + 2}) record_ellipse(b, std::min(g, 6));
    QCOMPARE(b.window.phaseTable->rowCount(), 3);
    // The tilt as the screen shows it: the major axis leans right below 90°.
    b.window.tiltCombo->setCurrentIndex(v.shift_deg() < 90 ? 0 : 1);
    b.window.checkButton->click();
    QVERIFY2(b.window.verdictLabel->text().contains(QStringLiteral("сдвиг фаз: зачтено")),
             qPrintable(b.window.verdictLabel->text() + "\n" + b.window.phaseResult->text()));
    // The wrong quadrant is named.
    b.window.tiltCombo->setCurrentIndex(v.shift_deg() < 90 ? 1 : 0);
    b.window.checkButton->click();
    if (std::fabs(v.shift_deg() - 90) > 15) {
      QVERIFY(b.window.verdictLabel->text().contains(QStringLiteral("не та четверть")));
    }
  }

  // Enter in a field records its task's row; it never starts the variant
  // over, which would throw the recorded rows away.
  void enterRecordsTheRow_data() {
    QTest::addColumn<int>("field");  // 0 Nг, 1 Nв, 2 b, 3 a, 4 the name
    QTest::addColumn<int>("frequencyRows");
    QTest::addColumn<int>("phaseRows");
    QTest::newRow("in Nг") << 0 << 2 << 0;
    QTest::newRow("in Nв") << 1 << 2 << 0;
    QTest::newRow("in b") << 2 << 1 << 1;
    QTest::newRow("in a") << 3 << 1 << 1;
    QTest::newRow("in the name") << 4 << 1 << 0;
  }
  void enterRecordsTheRow() {
    QFETCH(int, field);
    QFETCH(int, frequencyRows);
    QFETCH(int, phaseRows);
    Bench b(5);
    record_ratio(b, 1, 1);
    const int code = b.window.variantCode();
    b.window.tasks->setCurrentIndex(field == 2 || field == 3 ? 1 : 0);
    b.window.ngEdit->setText(QStringLiteral("2"));
    b.window.nvEdit->setText(QStringLiteral("3"));
    b.window.bEdit->setText(QStringLiteral("3,0"));
    b.window.aEdit->setText(QStringLiteral("6,0"));
    QLineEdit* fields[] = {b.window.ngEdit, b.window.nvEdit, b.window.bEdit, b.window.aEdit,
                           b.window.nameEdit};
    QTest::keyClick(fields[field], Qt::Key_Return);
    QCOMPARE(b.window.frequencyTable->rowCount(), frequencyRows);
    QCOMPARE(b.window.phaseTable->rowCount(), phaseRows);
    QCOMPARE(b.window.variantCode(), code);
    QVERIFY(b.platform.messages.empty());
  }

  // Readings, messages and results are read out as they stand.
  void changingTextsAreReadAsShown() {
    Bench b(5);
    record_ratio(b, 1, 1);
    for (QLabel* label : {b.window.dialLabel, b.window.frequencyMessage, b.window.phaseMessage,
                          b.window.frequencyResult, b.window.phaseResult, b.window.verdictLabel}) {
      QVERIFY2(label->accessibleName().isEmpty(), qPrintable(label->accessibleName()));
      QVERIFY(!label->accessibleDescription().isEmpty());
    }
    QVERIFY(!b.window.dialLabel->text().isEmpty());
    QCOMPARE(QAccessible::queryAccessibleInterface(b.window.dialLabel)->text(QAccessible::Name),
             b.window.dialLabel->text());
  }

  void badRowsAreRefused_data() {
    QTest::addColumn<bool>("frequency");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("word") << true << "два"
                          << "1" << false;
    QTest::newRow("zero") << true << "0"
                          << "1" << false;
    QTest::newRow("negative") << true << "1"
                              << "-3" << false;
    QTest::newRow("empty") << true << ""
                           << "2" << false;
    QTest::newRow("counts") << true << "2"
                            << "3" << true;
    QTest::newRow("b above the limit") << false << "6,3"
                                       << "6,0" << false;
    QTest::newRow("b within the limit") << false << "6,1"
                                        << "6,0" << true;
    QTest::newRow("zero chord") << false << "0"
                                << "6,0" << false;
    QTest::newRow("not a number") << false << "abc"
                                  << "6" << false;
    QTest::newRow("too tall") << false << "5"
                              << "12" << false;
  }
  void badRowsAreRefused() {
    QFETCH(bool, frequency);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, accepted);
    Bench b(5);
    record_ratio(b, 1, 1);
    b.window.tasks->setCurrentIndex(frequency ? 0 : 1);
    QTableWidget* table = frequency ? b.window.frequencyTable : b.window.phaseTable;
    QLabel* message = frequency ? b.window.frequencyMessage : b.window.phaseMessage;
    const int rows = table->rowCount();
    (frequency ? b.window.ngEdit : b.window.bEdit)->setText(first);
    (frequency ? b.window.nvEdit : b.window.aEdit)->setText(second);
    (frequency ? b.window.recordFrequencyButton : b.window.recordPhaseButton)->click();
    QCOMPARE(table->rowCount(), rows + (accepted ? 1 : 0));
    QCOMPARE(message->text().isEmpty(), accepted);
    QCOMPARE(b.window.frequencyTable->rowCount(), frequency && accepted ? 2 : 1);
    if (accepted && !frequency) QCOMPARE(table->item(rows, 5)->text(), QStringLiteral("90,0"));
    // A refused row keeps what was typed.
    if (!accepted) QCOMPARE((frequency ? b.window.ngEdit : b.window.bEdit)->text(), first);
  }

  void overlayMarksOnly() {
    Bench b(4);
    b.window.measureCheck->setChecked(true);
    QVERIFY(b.window.overlay->isActive() && b.window.overlay->marksOnly());
    QVERIFY(
        !b.window.overlay->contextMenu()->actions().contains(b.window.overlay->ellipseAction()));
    b.frames(20);
    QTest::mouseClick(b.window.overlay, Qt::LeftButton, Qt::ShiftModifier, QPoint(250, 200));
    QCOMPARE(b.window.overlay->countingLines().size(), std::size_t(1));
    const QString label = b.window.overlay->countingLines()[0].label->text();
    QVERIFY(label.contains(QStringLiteral("дел")));
    QVERIFY(!label.contains(QStringLiteral("N")));
    QCOMPARE(b.window.overlay->countingLines()[0].count.count(), 0);
    // A drag measures a segment in divisions.
    QTest::mousePress(b.window.overlay, Qt::LeftButton, {}, QPoint(150, 200));
    QTest::mouseMove(b.window.overlay, QPoint(350, 200));
    QTest::mouseRelease(b.window.overlay, Qt::LeftButton, {}, QPoint(350, 200));
    QCOMPARE(b.window.overlay->segments().size(), std::size_t(1));
    const QString segment = b.window.overlay->segments()[0].label->text();
    QVERIFY2(segment.contains(QRegularExpression(QStringLiteral("длина = 4[.,]00 дел"))),
             qPrintable(segment));
  }

  void savedWorkRoundTripsAndChecksStayOnRecord() {
    QTemporaryDir dir;
    const QString earlier = dir.filePath(QStringLiteral("раньше.orvlab"));
    Bench b(777);
    b.window.nameEdit->setText(QStringLiteral("Петров"));
    for (auto [ng, nv] : {std::pair{1, 1}, {1, 2}, {2, 1}, {2, 3}, {3, 2}}) record_ratio(b, ng, nv);
    b.platform.file_answers << earlier;
    b.window.saveWorkButton->click();
    QVERIFY(b.platform.messages.empty());
    b.window.checkButton->click();
    QVERIFY(b.window.revealed());

    b.platform.file_answers << earlier;
    b.window.openWorkButton->click();
    QCOMPARE(b.window.frequencyTable->rowCount(), 5);
    QCOMPARE(b.window.nameEdit->text(), QStringLiteral("Петров"));
    QVERIFY(!b.window.frequencyTable->item(2, 1)->data(Qt::DecorationRole).isNull());
    QCOMPARE(b.window.state().checks.size(), std::size_t(1));
    QVERIFY(b.window.verdictLabel->text().contains(QStringLiteral("Проверка ")));
  }

  void refusedFileLeavesTheWindow_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("not JSON") << QByteArray("это не файл");
    QTest::newRow("another format") << QByteArray(R"({"format":"orvinda-experiment","version":1})");
    QTest::newRow("code out of range")
        << QByteArray(R"({"format":"orvinda-lab","version":1,"code":0,"name":"","group":"",)"
                      R"("tilt":"I-III","frequency":[],"chords":[],"checks":[]})");
    QTest::newRow("zero count") << QByteArray(
        R"({"format":"orvinda-lab","version":1,"code":5,"name":"","group":"",)"
        R"("tilt":"I-III","frequency":[{"ng":0,"nv":1,"dial":100}],"chords":[],"checks":[]})");
    QTest::newRow("chord above height")
        << QByteArray(R"({"format":"orvinda-lab","version":1,"code":5,"name":"","group":"",)"
                      R"("tilt":"I-III","frequency":[],"chords":[{"b":7,"a":5}],"checks":[]})");
    QTest::newRow("broken snapshot")
        << QByteArray(R"({"format":"orvinda-lab","version":1,"code":5,"name":"","group":"",)"
                      R"("tilt":"I-III","frequency":[{"ng":1,"nv":1,"dial":100,"snapshot":"@@"}],)"
                      R"("chords":[],"checks":[]})");
    QTest::newRow("newer version") << QByteArray(R"({"format":"orvinda-lab","version":2})");
  }
  void refusedFileLeavesTheWindow() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("плохой.orvlab"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    Bench b(4321);
    record_ratio(b, 1, 2);
    b.platform.file_answers << path;
    b.window.openWorkButton->click();
    QCOMPARE(b.platform.messages.size(), std::size_t(1));
    QCOMPARE(b.platform.messages[0].title, QStringLiteral("Ошибка"));
    QVERIFY(b.platform.messages[0].text.startsWith(QStringLiteral("Файл не открыт")));
    QCOMPARE(b.window.variantCode(), 4321);
    QCOMPARE(b.window.frequencyTable->rowCount(), 1);
  }
};

QTEST_MAIN(TestLabWindow)
#include "test_lab_window.moc"
