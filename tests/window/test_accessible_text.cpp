// What a screen reader hears from the labels of every window: the text they
// show, not a caption in its place. A label may say what it is in its
// description; its name must not hide its text.

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest>

#include "platform/fake_platform.h"
#include "tools/experiment/amplitudes_dialog.h"
#include "tools/self_check/self_check_window.h"
#include "tools/time_view/time_view.h"
#include "window/form1.h"
#include "window/form2.h"

using namespace orvinda;

namespace {

QString plain(const QLabel* label) {
  QString text = label->text();
  if (label->textFormat() == Qt::RichText ||
      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
    QTextDocument document;
    document.setHtml(text);
    text = document.toPlainText();
  }
  text.remove(QRegularExpression(QStringLiteral("&(?!&)")));  // mnemonic marks
  return text.simplified();
}

// Every visible label with a text is heard with it: a text without digits
// whole, a readout at least with every number it shows (it may be spoken
// in words around them). Returns how many labels were heard.
int check_labels_heard(const QWidget* window) {
  static const QRegularExpression number(QStringLiteral("\\d+(?:[.,]\\d+)?"));
  int heard = 0;
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    if (!label->isVisible() || label->text().isEmpty()) continue;
    const QString shown = plain(label);
    const QString name =
        QAccessible::queryAccessibleInterface(const_cast<QLabel*>(label))->text(QAccessible::Name);
    const QString where = label->objectName() + QStringLiteral(": «") + name +
                          QStringLiteral("» for «") + shown + QStringLiteral("»");
    bool has_numbers = false;
    for (const QRegularExpressionMatch& m : number.globalMatch(shown)) {
      has_numbers = true;
      if (!name.contains(m.captured())) {
        qWarning("%s", qPrintable(where));
        return -1;
      }
    }
    if (!has_numbers && !name.simplified().contains(shown)) {
      qWarning("%s", qPrintable(where));
      return -1;
    }
    ++heard;
  }
  return heard;
}

void answer_shown_task(SelfCheckWindow& w) {
  w.ratioButtons[0]->click();
  w.phaseButtons[0]->click();
  w.thirdButtons[0]->click();
  w.checkButton->click();
}

}  // namespace

class TestAccessibleText : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void main_window() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    QVERIFY(check_labels_heard(&form) >= 16);
  }

  void self_check_explanation_and_score() {
    FakePlatform platform;
    SelfCheckWindow w(platform);
    w.show();
    answer_shown_task(w);
    QVERIFY(w.explanationLabel->isVisible());
    QVERIFY(check_labels_heard(&w) >= 2);
    const QString heard =
        QAccessible::queryAccessibleInterface(w.explanationLabel)->text(QAccessible::Name);
    QVERIFY2(heard.contains(QStringLiteral("Правильный ответ")), qPrintable(heard));
    QCOMPARE(
        QAccessible::queryAccessibleInterface(w.explanationLabel)->text(QAccessible::Description),
        QStringLiteral("Объяснение"));
    for (int i = 1; i < static_cast<int>(w.tasks().size()); ++i) {
      w.nextButton->click();
      answer_shown_task(w);
    }
    w.nextButton->click();
    QVERIFY(w.showingResult());
    QVERIFY(w.scoreLabel->isVisible());
    QVERIFY(check_labels_heard(&w) >= 3);
  }

  void time_view() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.mnuExperimentTimeView->trigger();
    QVERIFY(form.timeViewWindow());
    QVERIFY(check_labels_heard(form.timeViewWindow()) >= 4);
  }

  void amplitudes_dialog_with_a_refused_field() {
    FakePlatform platform;
    Form1 form(platform);
    AmplitudesDialog d(form.motionParameters());
    d.show();
    d.fieldAx->setText(QStringLiteral("abc"));
    d.okButton->click();
    QVERIFY(d.problemAx->isVisible());
    QVERIFY(check_labels_heard(&d) >= 7);
  }

  void authors_window() {
    FakePlatform platform;
    Form1 form(platform);
    form.mnuHelpAvtors->trigger();
    QVERIFY(form.authorsWindow());
    QVERIFY(check_labels_heard(form.authorsWindow()) >= 1);
  }
};

QTEST_MAIN(TestAccessibleText)
#include "test_accessible_text.moc"
