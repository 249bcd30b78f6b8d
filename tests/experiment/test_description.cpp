// "Описание опыта": an experiment file's comment shown beside the main
// window, read by a screen reader, edited there and saved with the file.

#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "plot/plot_surface.h"
#include "support/shown_form.h"
#include "tools/experiment/description_window.h"
#include "tools/experiment/experiment_file.h"

using namespace orvinda;

namespace {

QString write_experiment(const QTemporaryDir& dir, const QString& name, const QString& comment) {
  QJsonObject object{{"format", "orvinda-experiment"},
                     {"version", 1},
                     {"wx", 1},
                     {"x0", 2},
                     {"vx0", 0},
                     {"wy", 2},
                     {"y0", 0},
                     {"vy0", 3},
                     {"zam", 4}};
  if (!comment.isNull()) object.insert("comment", comment);
  const QString path = dir.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return QString();
  file.write(QJsonDocument(object).toJson());
  return path;
}

// What a screen reader gets from the text: the accessible text interface.
QString accessible_text(QWidget* widget) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  if (!face) return QString();
  if (QAccessibleTextInterface* text = face->textInterface()) {
    return text->text(0, text->characterCount());
  }
  return face->text(QAccessible::Value);
}

}  // namespace

class TestDescription : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void comment_reaches_the_panel_data() {
    QTest::addColumn<QString>("comment");  // null: no comment key at all
    QTest::addColumn<bool>("shown");
    // clang-format off
    QTest::newRow("a lesson's note") << "Эллипс для 10А: найдите ωx : ωy и Δφ" << true;
    QTest::newRow("several lines") << "1. Запустите.\n2. Сосчитайте касания.\n\tОтвет в тетрадь." << true;
    QTest::newRow("markup stays text") << "<b>не жирный</b> & \"кавычки\" <script>" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("none") << QString() << false;
    // clang-format on
  }

  // A comment opens the panel by itself; the plot and the window keep their size.
  void comment_reaches_the_panel() {
    QFETCH(QString, comment);
    QFETCH(bool, shown);
    QTemporaryDir dir;
    ShownForm shown_form;
    Form1& form = shown_form.form;
    const QSize client = form.centralWidget()->size();
    const QRect plot = form.Picture1->geometry();
    QVERIFY(form.openExperiment(write_experiment(dir, "урок.orv", comment)));

    DescriptionWindow* panel = form.descriptionWindow();
    QCOMPARE(panel != nullptr && panel->isVisible(), shown);
    QCOMPARE(form.centralWidget()->size(), client);
    QCOMPARE(form.Picture1->geometry(), plot);
    if (!shown) return;
    QVERIFY(!panel->isModal());
    QCOMPARE(panel->windowTitle(), QStringLiteral("Описание опыта"));
    QCOMPARE(panel->descriptionEdit->toPlainText(), comment);
    QCOMPARE(panel->descriptionEdit->accessibleName(), QStringLiteral("Описание опыта"));
    QCOMPARE(accessible_text(panel->descriptionEdit), comment);
    QVERIFY(shown_form.platform.messages.empty());

    // Closing hides it; the menu item brings it back with the same text.
    panel->closeButton->click();
    QVERIFY(!panel->isVisible());
    form.mnuExperimentDescription->trigger();
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->descriptionEdit->toPlainText(), comment);
  }

  void edited_description_is_saved_data() {
    QTest::addColumn<QString>("opened");  // the file's comment
    QTest::addColumn<QString>("typed");   // what the panel holds at saving
    // clang-format off
    QTest::newRow("changed") << "Эллипс для 10А" << "Эллипс для 10Б, вариант 2";
    QTest::newRow("cleared") << "Эллипс для 10А" << "";
    QTest::newRow("written from nothing") << "" << "Парабола: ωx : ωy = 1 : 2";
    // clang-format on
  }

  // What the panel holds is the comment of the next save, and opening the
  // saved file shows it again.
  void edited_description_is_saved() {
    QFETCH(QString, opened);
    QFETCH(QString, typed);
    QTemporaryDir dir;
    ShownForm shown_form;
    Form1& form = shown_form.form;
    QVERIFY(form.openExperiment(write_experiment(dir, "a.orv", opened)));
    form.mnuExperimentDescription->trigger();
    QPlainTextEdit* edit = form.descriptionWindow()->descriptionEdit;
    edit->selectAll();
    if (typed.isEmpty()) {
      QTest::keyClick(edit, Qt::Key_Delete);
    } else {
      edit->insertPlainText(typed);  // as typed over the selection
    }
    QCOMPARE(edit->toPlainText(), typed);

    const QString saved = dir.filePath("b.orv");
    shown_form.platform.file_answers = {saved};
    form.mnuExperimentSave->trigger();
    const ExperimentReading reading = read_experiment_file(saved);
    QVERIFY(reading.experiment.has_value());
    QCOMPARE(QString::fromStdString(reading.experiment->comment), typed);

    // Another file replaces the text; the saved one brings it back.
    QVERIFY(form.openExperiment(write_experiment(dir, "c.orv", QStringLiteral("другое"))));
    QCOMPARE(edit->toPlainText(), QStringLiteral("другое"));
    QVERIFY(form.openExperiment(saved));
    QCOMPARE(edit->toPlainText(), typed);
  }
};

QTEST_MAIN(TestDescription)
#include "test_description.moc"
