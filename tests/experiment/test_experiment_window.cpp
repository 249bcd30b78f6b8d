// The Опыт items that set parameters, through the real window with the fake
// platform: the examples, the dialog of amplitudes and phases, experiment
// files opened and saved, refused files, and the items during a run.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <numbers>

#include "model/format_pattern.h"
#include "platform/fake_platform.h"
#include "plot/plot_surface.h"
#include "support/shown_form.h"
#include "tools/experiment/amplitudes_dialog.h"
#include "tools/experiment/experiment_file.h"
#include "tools/experiment/model/examples.h"
#include "ui/characteristics_text.h"
#include "window/form1.h"
#include "window/open_at_start.h"

using namespace orvinda;

namespace {

QStringList box_texts(const Form1& form) {
  QStringList texts;
  for (const QLineEdit* box :
       {form.Text1, form.Text2, form.Text3, form.Text4, form.Text5, form.Text6}) {
    texts << box->text();
  }
  return texts;
}

QStringList label_texts(const Form1& form) {
  QStringList texts;
  for (const QLabel* label : {form.Label12, form.Label13, form.Label14, form.Label15, form.Label16,
                              form.Label17, form.Label18, form.Label21}) {
    texts << label->text();
  }
  return texts;
}

// Everything a refused action must leave as it was.
struct WindowState {
  QStringList boxes;
  QStringList labels;
  int scroll = 0;
  double values[5] = {};
  float vy0 = 0;
  int redraws = 0;
  QImage picture;

  explicit WindowState(const Form1& form)
      : boxes(box_texts(form)), labels(label_texts(form)),
        scroll(form.HScroll1->value()), values{form.wx, form.x0, form.vx0, form.wy, form.y0},
        vy0(form.vy0), redraws(form.redrawCount()), picture(form.Picture1->picture()) {}

  void verifySame(const Form1& form) const {
    const WindowState now(form);
    QCOMPARE(now.boxes, boxes);
    QCOMPARE(now.labels, labels);
    QCOMPARE(now.scroll, scroll);
    for (int i = 0; i < 5; ++i) QCOMPARE(now.values[i], values[i]);
    QCOMPARE(now.vy0, vy0);
    QCOMPARE(now.redraws, redraws);
    QVERIFY(now.picture == picture);
  }
};

QString printed(double value, const char* pattern) {
  return QString::fromStdString(
      format_by_pattern(value, pattern, decimal_separator().toStdString()));
}

QString typed(double value) { return QString::number(value, 'g', 17); }

void write_file(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray experiment_json(const QString& changes) {
  return QStringLiteral(
             "{\"format\": \"orvinda-experiment\", \"version\": 1, \"wx\": 1, \"x0\": -2.5, "
             "\"vx0\": 0.75, \"wy\": 3, \"y0\": 1, \"vy0\": -6, \"zam\": 8%1}")
      .arg(changes)
      .toUtf8();
}

// Stops the run once it has taken `steps` steps, after `during` has looked.
void run_for(Form1& form, int steps, const std::function<void()>& during) {
  const long long first = form.runSteps();
  const auto connection = QObject::connect(&form, &Form1::stepTaken, &form, [&] {
    if (form.runSteps() - first == 1 && during) during();
    if (form.runSteps() - first >= steps && form.CmdOK->text() == QStringLiteral("СТОП")) {
      form.CmdOK->click();
    }
  });
  form.CmdOK->click();  // returns when the run has ended
  QObject::disconnect(connection);
}

void fill(AmplitudesDialog& d, const QStringList& texts) {
  QLineEdit* fields[] = {d.fieldAx, d.fieldFix, d.fieldAy, d.fieldFiy, d.fieldWy};
  for (int i = 0; i < 5; ++i) fields[i]->setText(texts[i]);
}

QStringList problems(const AmplitudesDialog& d) {
  QStringList texts;
  for (const QLabel* label : {d.problemAx, d.problemFix, d.problemAy, d.problemFiy, d.problemWy}) {
    texts << label->text();
  }
  return texts;
}

}  // namespace

class TestExperimentWindow : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ShownForm> shown;
  FakePlatform* platform = nullptr;
  Form1* form = nullptr;

 private Q_SLOTS:
  void init() {
    shown = std::make_unique<ShownForm>();
    platform = &shown->platform;
    form = &shown->form;
  }

  void cleanup() { shown.reset(); }

  void examples_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("boxes");  // Text1 … Text6
    QTest::addColumn<QString>("dj");         // the number Label17 prints
    // clang-format off
    QTest::newRow("1:1 pi/2, a circle") << 2 << QStringList{" 1", " 4", " 0", " 1", " 0", " 4"}
                                        << "0.500";
    QTest::newRow("1:2 pi/2, no 1.8E-10") << 6 << QStringList{" 1", " 4", " 0", " 2", " 0", " 8"}
                                          << "0.500";
    QTest::newRow("2:3 pi/4") << 8
                              << QStringList{" 1", " 4", " 0", " 1.5", " 2.82842712474619",
                                             " 4.24264"}
                              << "0.250";
    // clang-format on
  }

  // One click sets the example, with the characteristics of its label, and
  // whatever held the boxes before, no frequency is ever refused.
  void examples() {
    QFETCH(int, index);
    QFETCH(QStringList, boxes);
    QFETCH(QString, dj);
    const Example& example = classic_examples()[index];
    for (int from = 0; from < int(classic_examples().size()); ++from) {
      form->mnuExperimentExamples->actions()[from]->trigger();
      form->mnuExperimentExamples->actions()[index]->trigger();
      QCOMPARE(box_texts(*form), boxes);
      QCOMPARE(form->x0, example.parameters.x0);
      QCOMPARE(form->vx0, example.parameters.vx0);
      QCOMPARE(form->wy, example.parameters.wy);
      QCOMPARE(form->y0, example.parameters.y0);
      QCOMPARE(form->vy0, example.parameters.vy0);
    }
    // Nobody typed there: long numbers show from their start.
    for (const QLineEdit* box : {form->Text2, form->Text3, form->Text4, form->Text5, form->Text6}) {
      QCOMPARE(box->cursorPosition(), 0);
    }
    QCOMPARE(form->Label12->text(), "Ax=" + printed(4, "0.000E+00") + " м");
    QCOMPARE(form->Label14->text(), "Ay=" + printed(4, "0.000E+00") + " м");
    QCOMPARE(form->Label17->text(),
             "Δφ=" + dj.replace(QLatin1Char('.'), decimal_separator()) + "π");
    QVERIFY(platform->messages.empty());
    QVERIFY(platform->tones.empty());
  }

  void dialog_opens_prefilled_and_ok_changes_nothing() {
    const WindowState before(*form);
    bool ran = false;
    platform->while_dialog_open = [&](QDialog& dialog) {
      auto& d = static_cast<AmplitudesDialog&>(dialog);
      ran = true;
      QCOMPARE(d.windowTitle(), QStringLiteral("Амплитуды и фазы"));
      // The start values: Ax = 3·√2, φx = π/4, Wy = 1.8.
      QCOMPARE(d.fieldAx->text().left(6), QStringLiteral("4.2426"));
      QCOMPARE(d.fieldFix->text(), QStringLiteral("0.25"));
      QCOMPARE(d.fieldWy->text(), QStringLiteral("1.8"));
      d.okButton->click();
    };
    form->mnuExperimentAmplitudes->trigger();
    QVERIFY(ran);
    QCOMPARE(platform->dialog_titles, QStringList{"Амплитуды и фазы"});
    before.verifySame(*form);
  }

  void dialog_refusals_data() {
    QTest::addColumn<QStringList>("fields");    // Ax, φx, Ay, φy, Wy
    QTest::addColumn<QStringList>("problems");  // beside each field
    const QString negative = "Амплитуда не может быть меньше 0";
    const QString number = "Введите число";
    const QString frequency = "Частота должна быть больше 0";
    // clang-format off
    QTest::newRow("negative Ax") << QStringList{"-1", "0", "4", "0", "2"}
                                 << QStringList{negative, "", "", "", ""};
    QTest::newRow("Ay with a unit") << QStringList{"4", "0", "4 м", "0", "2"}
                                    << QStringList{"", "", number, "", ""};
    QTest::newRow("Wy 0") << QStringList{"4", "0", "4", "0", "0"}
                          << QStringList{"", "", "", "", frequency};
    QTest::newRow("Voy beyond a float")
        << QStringList{"4", "0", "1e38", "0.5", "10"}
        << QStringList{"", "", "Слишком большая амплитуда для такой частоты", "", ""};
    QTest::newRow("every field at once") << QStringList{"-1", "x", "-1", "x", "0"}
                                         << QStringList{negative, number, negative, number,
                                                        frequency};
    // clang-format on
  }

  // A refused field says why beside it; the dialog stays open and the
  // window keeps everything, its picture included.
  void dialog_refusals() {
    QFETCH(QStringList, fields);
    QFETCH(QStringList, problems);
    const WindowState before(*form);
    platform->while_dialog_open = [&](QDialog& dialog) {
      auto& d = static_cast<AmplitudesDialog&>(dialog);
      fill(d, fields);
      const QSize size = d.sizeHint();
      d.okButton->click();
      d.layout()->activate();        // as the next turn of the event loop would
      QCOMPARE(d.sizeHint(), size);  // the messages have their room already
      QCOMPARE(d.result(), int(QDialog::Rejected));
      QVERIFY(!d.parameters().has_value());
      QCOMPARE(::problems(d), problems);
      QCOMPARE(d.fieldAx->accessibleDescription(), problems[0]);
      // Only a label that says something is there for a screen reader.
      const QLabel* labels[] = {d.problemAx, d.problemFix, d.problemAy, d.problemFiy, d.problemWy};
      for (int i = 0; i < 5; ++i) QCOMPARE(labels[i]->isHidden(), problems[i].isEmpty());
      d.cancelButton->click();
    };
    form->mnuExperimentAmplitudes->trigger();
    before.verifySame(*form);
    QVERIFY(platform->messages.empty());
  }

  void dialog_accepts_after_a_correction() {
    platform->while_dialog_open = [](QDialog& dialog) {
      auto& d = static_cast<AmplitudesDialog&>(dialog);
      fill(d, {"4", "0", "-4", "0,5", "3"});  // a comma is a decimal separator here
      d.okButton->click();
      QVERIFY(!d.problemAy->text().isEmpty());
      d.fieldAy->setText("4");
      d.okButton->click();
      QCOMPARE(problems(d), QStringList({"", "", "", "", ""}));
      QVERIFY(d.problemAy->isHidden());
    };
    form->mnuExperimentAmplitudes->trigger();
    QCOMPARE(box_texts(*form), QStringList({" 1", " 4", " 0", " 3", " 0", " 12"}));
  }

  void dialog_keyboard() {
    AmplitudesDialog d(MotionParameters{1, 3, 3, 1.8, 3, 2}, form);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(QApplication::focusWidget(), d.fieldAx);
    QVERIFY(d.problemAx->isHidden() && d.problemWy->isHidden());  // no error yet
    const QWidget* order[] = {d.fieldAx, d.fieldFix, d.fieldAy,     d.fieldFiy,
                              d.fieldWy, d.okButton, d.cancelButton};
    for (std::size_t i = 1; i < std::size(order); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), order[i]);
    }
    for (const QWidget* w : order) {
      QVERIFY2(w->accessibleName().contains(QRegularExpression("[А-Яа-я]")),
               qPrintable(w->objectName()));
    }

    d.fieldWy->setText("0");
    QTest::keyClick(d.fieldWy, Qt::Key_Return);  // Enter is ОК
    QCOMPARE(d.problemWy->text(), QStringLiteral("Частота должна быть больше 0"));
    QVERIFY(d.isVisible());
    QCOMPARE(QApplication::focusWidget(), d.fieldWy);  // back to the refused field
    QTest::keyClick(d.fieldWy, Qt::Key_Escape);        // Esc is Отмена
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Rejected));

    AmplitudesDialog again(MotionParameters{1, 3, 3, 1.8, 3, 2}, form);
    again.show();
    QVERIFY(QTest::qWaitForWindowActive(&again));
    again.fieldWy->setText("2.5");
    QTest::keyClick(again.fieldWy, Qt::Key_Enter);
    QCOMPARE(again.result(), int(QDialog::Accepted));
    QCOMPARE(again.parameters()->wy, 2.5);
  }

  void round_trip_data() {
    QTest::addColumn<double>("ax");
    QTest::addColumn<double>("fix");  // in units of pi, in (-1, 1]
    QTest::addColumn<double>("ay");
    QTest::addColumn<double>("fiy");
    QTest::addColumn<double>("wy");
    // clang-format off
    QTest::newRow("first, second") << 4.0 << 0.1 << 2.5 << 0.6 << 2.0;
    QTest::newRow("third, fourth") << 1.234 << -0.8 << 3e-3 << -0.3 << 0.5;
    QTest::newRow("second, third") << 7.5 << 0.9 << 12.0 << -0.7 << 1.05;
    QTest::newRow("fourth, first") << 0.02 << -0.37 << 0.02 << 0.37 << 3.0;
    QTest::newRow("axes: 1 and 1/2") << 1e5 << 1.0 << 7.0 << 0.5 << 1.5;
    QTest::newRow("axes: -1/2 and 0") << 0.5 << -0.5 << 123.4 << 0.0 << 4.0 / 3;
    QTest::newRow("zero Ax") << 0.0 << 0.3 << 4.0 << -0.7 << 1.0;
    QTest::newRow("zero Ay") << 4.0 << 0.9 << 0.0 << -0.9 << 2.0;
    QTest::newRow("large") << 6.02e23 << -0.6 << 1.6e30 << 0.2 << 7.0;
    // clang-format on
  }

  // Amplitudes and phases typed into the dialog, written into the boxes,
  // printed back by the window: the amplitudes to their printed digits, the
  // phases to 3 decimals in units of pi (Label13 and Label15 print them in
  // radians, Label17 their difference).
  void round_trip() {
    QFETCH(double, ax);
    QFETCH(double, fix);
    QFETCH(double, ay);
    QFETCH(double, fiy);
    QFETCH(double, wy);
    platform->while_dialog_open = [&](QDialog& dialog) {
      auto& d = static_cast<AmplitudesDialog&>(dialog);
      fill(d, {typed(ax), typed(fix), typed(ay), typed(fiy), typed(wy)});
      d.okButton->click();
    };
    form->mnuExperimentAmplitudes->trigger();
    QCOMPARE(form->Label12->text(), "Ax=" + printed(ax, "0.000E+00") + " м");
    QCOMPARE(form->Label14->text(), "Ay=" + printed(ay, "0.000E+00") + " м");
    if (ax != 0) {
      QCOMPARE(printed(form->fix / std::numbers::pi, "0.000"), printed(fix, "0.000"));
      QCOMPARE(form->Label13->text(), "fi_x=" + printed(fix * std::numbers::pi, "0.000") + " ");
    }
    if (ay != 0) {
      QCOMPARE(printed(form->fiy / std::numbers::pi, "0.000"), printed(fiy, "0.000"));
      QCOMPARE(form->Label15->text(), "fi_y=" + printed(fiy * std::numbers::pi, "0.000") + " ");
    }
    if (ax != 0 && ay != 0) {
      QCOMPARE(form->Label17->text(), "Δφ=" + printed(fiy - fix, "0.000") + "π");
    }
    QVERIFY(platform->messages.empty());
  }

  // Saved under a name without its extension, changed, opened again: the
  // window is back as it was saved, the slow-down too.
  void save_change_open() {
    QTemporaryDir dir;
    form->Text2->setText("-2.5");
    form->Text3->setText(".75");
    form->Text4->setText("3");
    form->Text6->setText("-6.1");
    form->HScroll1->setValue(8);
    const WindowState saved(*form);

    platform->file_answers = {dir.filePath("урок")};
    form->mnuExperimentSave->trigger();
    QVERIFY(platform->messages.empty());
    QVERIFY(QFile::exists(dir.filePath("урок.orv")));
    QCOMPARE(platform->file_dialogs.back().title, QStringLiteral("Сохранить опыт"));
    QCOMPARE(platform->file_dialogs.back().filters, QStringList{"Опыты (*.orv)"});
    QCOMPARE(platform->file_dialogs.back().suggested_name, QStringLiteral("опыт.orv"));

    form->mnuExperimentExamples->actions()[0]->trigger();
    form->HScroll1->setValue(2);
    QVERIFY(box_texts(*form) != saved.boxes);

    platform->file_answers = {dir.filePath("урок.orv")};
    form->mnuExperimentOpen->trigger();
    QCOMPARE(platform->file_dialogs.back().title, QStringLiteral("Открыть опыт"));
    QCOMPARE(platform->file_dialogs.back().filters, QStringList{"Опыты (*.orv)"});
    QVERIFY(platform->messages.empty());
    QCOMPARE(box_texts(*form), saved.boxes);
    QCOMPARE(label_texts(*form), saved.labels);
    QCOMPARE(form->HScroll1->value(), 8);
    QCOMPARE(form->zam, std::int16_t(8));
    QCOMPARE(form->vy0, saved.vy0);
    QVERIFY(form->Picture1->picture() == saved.picture);

    // The next save offers the file's own name.
    form->mnuExperimentSave->trigger();
    QCOMPARE(platform->file_dialogs.back().suggested_name, QStringLiteral("урок.orv"));
  }

  // A file written by hand: its values go through the boxes as if typed,
  // and its comment and unknown keys come back when it is saved again.
  void opened_file_keeps_comment_and_extras() {
    QTemporaryDir dir;
    const QString path = dir.filePath("hand.orv");
    write_file(path, experiment_json(", \"comment\": \"Урок 7\", \"teacher\": {\"room\": 12}, "
                                     "\"x0\": 0.1000000000000000055511151231257827"));
    QVERIFY(form->openExperiment(path));
    QCOMPARE(box_texts(*form), QStringList({" 1", " .1", " .75", " 3", " 1", "-6"}));
    QCOMPARE(form->x0, 0.1);

    form->Text5->setText("2");
    platform->file_answers = {dir.filePath("again.orv")};
    form->mnuExperimentSave->trigger();
    QCOMPARE(platform->file_dialogs.back().suggested_name, QStringLiteral("hand.orv"));
    const ExperimentReading again = read_experiment_file(dir.filePath("again.orv"));
    QVERIFY(again.experiment.has_value());
    QCOMPARE(QString::fromStdString(again.experiment->comment), QStringLiteral("Урок 7"));
    QCOMPARE(again.extras.size(), std::size_t(1));
    QCOMPARE(again.extras[0].name, QStringLiteral("teacher"));
    QCOMPARE(again.extras[0].value_text, QByteArray("{\"room\": 12}"));
    QCOMPARE(again.experiment->y0, 2.0);
    QCOMPARE(again.experiment->zam, 8.0);
  }

  void refused_files_data() {
    QTest::addColumn<QByteArray>("bytes");  // empty: no file at all
    QTest::addColumn<QString>("name");
    // clang-format off
    QTest::newRow("not JSON") << QByteArray("Xo = 3") << "a.orv";
    QTest::newRow("another format")
        << experiment_json("").replace("orvinda-experiment", "table") << "b.orv";
    QTest::newRow("a newer version") << experiment_json(", \"version\": 2") << "c.orv";
    QTest::newRow("a value missing")
        << experiment_json("").replace("\"y0\": 1, ", "") << "d.orv";
    QTest::newRow("a value as text") << experiment_json(", \"vx0\": \"3\"") << "e.orv";
    QTest::newRow("wx not 1") << experiment_json(", \"wx\": 2") << "f.orv";
    QTest::newRow("Wy 0") << experiment_json(", \"wy\": 0") << "g.orv";
    QTest::newRow("Wy negative") << experiment_json(", \"wy\": -1") << "h.orv";
    QTest::newRow("Voy beyond a float") << experiment_json(", \"vy0\": 1e39") << "i.orv";
    QTest::newRow("zam 10") << experiment_json(", \"zam\": 10") << "j.orv";
    QTest::newRow("zam not whole") << experiment_json(", \"zam\": 2.5") << "k.orv";
    QTest::newRow("more than 64 KiB")
        << experiment_json(", \"comment\": \"" + QString(70000, 'a') + "\"") << "l.orv";
    QTest::newRow("no such file") << QByteArray() << "нет.orv";
    // clang-format on
  }

  // Checked as a whole before anything changes: the box names the file and
  // the first problem; boxes, characteristics, slow-down and the plot with
  // the last run's trace stay exactly as they were.
  void refused_files() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (!bytes.isEmpty()) write_file(path, bytes);
    form->HScroll1->setValue(1);
    run_for(*form, 30, {});
    QVERIFY(!form->Picture1->drawing().traces().empty());
    const WindowState before(*form);

    platform->file_answers = {path};
    form->mnuExperimentOpen->trigger();
    QCOMPARE(platform->messages.size(), std::size_t(1));
    const FakePlatform::Message& message = platform->messages[0];
    QCOMPARE(message.title, QStringLiteral("Ошибка"));
    QCOMPARE(message.buttons, MessageButtons::Ok);
    QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)), qPrintable(message.text));
    QVERIFY2(message.text.contains(read_experiment_file(path).problem), qPrintable(message.text));
    before.verifySame(*form);
    QVERIFY(!form->Picture1->drawing().traces().empty());

    // Nor does the refused file become the one the next save offers.
    form->mnuExperimentSave->trigger();
    QCOMPARE(platform->file_dialogs.back().suggested_name, QStringLiteral("опыт.orv"));
  }

  void file_named_at_start_data() {
    QTest::addColumn<bool>("good");
    QTest::newRow("opens") << true;
    QTest::newRow("refused over the start window") << false;
  }

  // The file opens from the event loop once the window is on screen and
  // has drawn itself; a refused one leaves the start window as it is.
  void file_named_at_start() {
    QFETCH(bool, good);
    QTemporaryDir dir;
    const QString path = dir.filePath("старт.orv");
    write_file(path, experiment_json(good ? "" : ", \"wy\": 0"));
    FakePlatform p;
    Form1 fresh(p);
    fresh.show();
    const WindowState start(fresh);
    int redraws_when_box_opened = -1;
    p.while_message_open = [&] { redraws_when_box_opened = fresh.redrawCount(); };
    open_experiment_when_shown(fresh, path);
    QCOMPARE(box_texts(fresh), start.boxes);  // not yet
    QTRY_VERIFY(good ? box_texts(fresh) != start.boxes : !p.messages.empty());
    if (good) {
      QCOMPARE(box_texts(fresh), QStringList({" 1", "-2.5", " .75", " 3", " 1", "-6"}));
      QCOMPARE(fresh.zam, std::int16_t(8));
      QVERIFY(p.messages.empty());
    } else {
      QCOMPARE(p.messages.size(), std::size_t(1));
      QVERIFY(p.messages[0].text.contains("старт.orv"));
      QVERIFY(redraws_when_box_opened > 0);
      start.verifySame(fresh);
    }
  }

  void failed_save_names_file_and_reason() {
    QTemporaryDir dir;
    const QString path = dir.filePath("нет/опыт.orv");
    platform->file_answers = {path};
    form->mnuExperimentSave->trigger();
    QCOMPARE(platform->messages.size(), std::size_t(1));
    QCOMPARE(platform->messages[0].title, QStringLiteral("Ошибка"));
    QVERIFY(platform->messages[0].text.contains(QDir::toNativeSeparators(path)));
    QVERIFY(platform->messages[0].text.contains("Папка не найдена"));
    QVERIFY(!QFile::exists(path));
  }

  void cancelled_dialogs_change_nothing() {
    const WindowState before(*form);
    form->mnuExperimentOpen->trigger();
    form->mnuExperimentSave->trigger();
    form->mnuExperimentAmplitudes->trigger();  // no hook: the user cancels
    QCOMPARE(platform->file_dialogs.size(), std::size_t(2));
    QCOMPARE(platform->dialog_titles.size(), 1);
    QVERIFY(platform->messages.empty());
    before.verifySame(*form);
  }

  // During a run the items that set parameters are disabled, and even a
  // direct call changes nothing; Сохранить опыт saves what runs.
  void items_during_a_run() {
    QTemporaryDir dir;
    form->HScroll1->setValue(1);
    QList<QAction*> setting = {form->mnuExperimentExamples->menuAction(),
                               form->mnuExperimentAmplitudes, form->mnuExperimentOpen};
    bool looked = false;
    run_for(*form, 5, [&] {
      looked = true;
      for (QAction* a : setting) QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
      QVERIFY(form->mnuExperimentSave->isEnabled());
      const QStringList boxes = box_texts(*form);
      form->mnuExperimentExample_Click(6);
      form->mnuExperimentAmplitudes_Click();
      form->mnuExperimentOpen_Click();
      QCOMPARE(box_texts(*form), boxes);
      QVERIFY(platform->file_dialogs.empty());
      QVERIFY(platform->dialog_titles.isEmpty());
      platform->file_answers = {dir.filePath("run.orv")};
      form->mnuExperimentSave->trigger();
    });
    QVERIFY(looked);
    for (QAction* a : setting) QVERIFY(a->isEnabled());
    const ExperimentReading saved = read_experiment_file(dir.filePath("run.orv"));
    QVERIFY(saved.experiment.has_value());
    QCOMPARE(saved.experiment->wy, 1.8);
  }
};

QTEST_MAIN(TestExperimentWindow)
#include "test_experiment_window.moc"
