// Random use of every window: clicks, drags, Shift+clicks, keys, typed text,
// menu shortcuts, Esc and Enter, on the main window during and outside runs,
// the Опыт dialogs and windows and the measuring layer; modal boxes are
// answered by the fake platform. After every event the program must be
// alive, no parameter NaN or infinite, Wx and Wy above 0, and a box that is
// not being typed into must hold the normal form of its value.
// ORVINDA_SOAK_EVENTS and ORVINDA_SOAK_SEED set the length and the seed
// (scripts/soak.sh).

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>

#include "model/numbers.h"
#include "platform/fake_platform.h"
#include "plot/plot_surface.h"
#include "window/form1.h"

using namespace orvinda;

namespace {

constexpr std::uint32_t kSeed = 20261207;
constexpr long long kEvents = 3000;

const QString kStop = QStringLiteral("СТОП");

class Soak {
 public:
  Soak(std::uint32_t seed, long long limit) : rng_(seed), limit_(limit) {
    platform.while_dialog_open = [this](QDialog& dialog) { playDialog(dialog); };
    form.show();
    QApplication::setActiveWindow(&form);
    QObject::connect(&form, &Form1::stepTaken, &form, [this] { duringRun(); });
  }

  FakePlatform platform;
  Form1 form{platform};

  // Runs until the count is reached or a fault is found.
  void run() {
    while (events_ < limit_ && fault_.isEmpty()) event();
  }
  long long events() const { return events_; }
  long long runs() const { return runs_; }
  const QString& fault() const { return fault_; }
  QString recent() const { return recent_.join(QStringLiteral("\n  ")); }

 private:
  int below(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }
  bool chance(int percent) { return below(100) < percent; }

  QString text() {
    static const char* const parts[] = {"0", "1", "2", "5", "9",  ".",   ",",  "-",  "+", "e",
                                        "E", " ", "x", "ж", "00", "1e3", "-,", "0.", ",5"};
    QString out;
    for (int n = 1 + below(4); n > 0; --n) {
      out += QString::fromUtf8(parts[below(static_cast<int>(std::size(parts)))]);
    }
    return out;
  }

  QWidget* someWindow() {
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible()) windows << w;
    }
    return windows.isEmpty() ? &form : windows[below(static_cast<int>(windows.size()))];
  }

  QWidget* someWidget() {
    QWidget* window = someWindow();
    QList<QWidget*> widgets{window};
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (w->isVisible() && w->width() > 0 && w->height() > 0) widgets << w;
    }
    return widgets[below(static_cast<int>(widgets.size()))];
  }

  QPoint somewhere(const QWidget* w) {
    return {below(std::max(1, w->width())), below(std::max(1, w->height()))};
  }

  QWidget* keyTarget() {
    QWidget* focus = QApplication::focusWidget();
    return focus && chance(85) ? focus : someWidget();
  }

  void note(const QString& what, const QWidget* where) {
    const QString line =
        what + QStringLiteral(" → ") +
        (where ? where->metaObject()->className() + QStringLiteral(" ") + where->objectName()
               : QString());
    recent_ << QStringLiteral("#%1 ").arg(events_) + line;
    if (recent_.size() > 12) recent_.removeFirst();
  }

  QList<QAction*> menuItems() {
    QList<QAction*> items;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
      for (QAction* a : menu->actions()) {
        if (a->menu()) {
          collect(a->menu());
        } else if (!a->isSeparator()) {
          items << a;
        }
      }
    };
    for (QMenu* menu : {form.mnuFile, form.mnuExperiment, form.mnuHelp}) collect(menu);
    return items;
  }

  void event() {
    ++events_;
    QWidget* target = nullptr;
    switch (below(12)) {
      case 0:
      case 1: {
        target = someWidget();
        const Qt::KeyboardModifiers mods = chance(20) ? Qt::ShiftModifier : Qt::NoModifier;
        note(mods ? QStringLiteral("Shift+click") : QStringLiteral("click"), target);
        QTest::mouseClick(target, Qt::LeftButton, mods, somewhere(target));
        break;
      }
      case 2: {
        target = chance(60) ? static_cast<QWidget*>(form.Picture1) : someWidget();
        note(QStringLiteral("drag"), target);
        QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, somewhere(target));
        for (int i = 0; i < 3; ++i) QTest::mouseMove(target, somewhere(target));
        QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, somewhere(target));
        break;
      }
      case 3:
      case 4: {
        static const Qt::Key keys[] = {
            Qt::Key_Tab,       Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter,
            Qt::Key_Escape,    Qt::Key_Left,    Qt::Key_Right,  Qt::Key_Up,
            Qt::Key_Down,      Qt::Key_Space,   Qt::Key_Home,   Qt::Key_End,
            Qt::Key_Backspace, Qt::Key_Delete,  Qt::Key_PageUp, Qt::Key_PageDown};
        target = keyTarget();
        const Qt::Key key = keys[below(static_cast<int>(std::size(keys)))];
        note(QStringLiteral("key %1").arg(QKeySequence(key).toString()), target);
        QTest::keyClick(target, key);
        break;
      }
      case 5:
      case 6: {
        target = keyTarget();
        const QString typed = text();
        note(QStringLiteral("types «%1»").arg(typed), target);
        for (QChar c : typed) {
          QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        break;
      }
      case 7: {
        // Ctrl+P opens a print preview: rarely, it draws a whole page.
        static const char* const shortcuts[] = {"Ctrl+Z", "Ctrl+S", "Ctrl+O", "Ctrl+Z", "Ctrl+P"};
        const int pick = below(chance(10) ? 5 : 4);
        target = keyTarget();
        note(QStringLiteral("shortcut ") + QLatin1String(shortcuts[pick]), target);
        QTest::keySequence(target, QKeySequence(QString::fromLatin1(shortcuts[pick])));
        break;
      }
      case 8: {
        const QList<QAction*> items = menuItems();
        QAction* item = items[below(static_cast<int>(items.size()))];
        if (item == form.mnuExperimentPrint && !chance(10)) item = form.mnuExperimentMeasure;
        note(QStringLiteral("menu ") + item->text(), nullptr);
        if (item->isEnabled()) item->trigger();
        break;
      }
      case 9: {
        target = someWindow();
        note(QStringLiteral("switches to"), target);
        QApplication::setActiveWindow(target);
        break;
      }
      case 10: {
        if (form.running()) {
          note(QStringLiteral("СТОП"), form.CmdOK);
          form.CmdOK->click();
        } else if (form.CmdOK->isEnabled()) {
          // The shortest pause: no test sleeps longer than it must.
          form.HScroll1->setValue(1);
          note(QStringLiteral("ПУСК"), form.CmdOK);
          ++runs_;
          QTest::mouseClick(form.CmdOK, Qt::LeftButton);  // returns when the run ends
        }
        break;
      }
      default: {
        target = form.Picture1;
        note(QStringLiteral("click on the plot"), target);
        QTest::mouseClick(target, Qt::LeftButton, chance(30) ? Qt::ShiftModifier : Qt::NoModifier,
                          somewhere(target));
        break;
      }
    }
    if (fault_.isEmpty()) fault_ = check();
  }

  // Events go on between the steps of a run; a run ends after a while.
  void duringRun() {
    if (in_step_ || !fault_.isEmpty() || events_ >= limit_) {
      if (form.CmdOK->text() == kStop) form.CmdOK->click();
      return;
    }
    in_step_ = true;
    for (int n = below(3); n > 0 && events_ < limit_ && fault_.isEmpty(); --n) event();
    in_step_ = false;
    if (chance(5) && form.CmdOK->text() == kStop) form.CmdOK->click();
  }

  // The user in a modal dialog: types something and presses a button.
  void playDialog(QDialog& dialog) {
    for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) {
      if (chance(40)) field->setText(text());
    }
    if (chance(60)) {
      const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
      if (!buttons.isEmpty()) buttons[below(static_cast<int>(buttons.size()))]->click();
    }
  }

  QString check() {
    if (form.programEnded() || !form.isVisible()) return QStringLiteral("the main window is gone");
    const MotionParameters p = form.motionParameters();
    const double values[] = {p.wx, p.x0, p.vx0, p.wy, p.y0, static_cast<double>(p.vy0)};
    for (double v : values) {
      if (!std::isfinite(v)) return QStringLiteral("a parameter is not finite");
    }
    if (!(p.wx > 0) || !(p.wy > 0)) {
      return QStringLiteral("a frequency is not above 0: %1, %2").arg(p.wx).arg(p.wy);
    }
    QLineEdit* const boxes[] = {form.Text1, form.Text2, form.Text3,
                                form.Text4, form.Text5, form.Text6};
    for (int i = 0; i < 6; ++i) {
      QLineEdit* box = boxes[i];
      const bool has_caret = form.focusWidget() == box;
      if (form.beingEdited(box)) {
        if (!has_caret) return box->objectName() + QStringLiteral(" is edited without the caret");
        continue;
      }
      const double value = values[i];
      const QString normal = QString::fromStdString(i == 5 ? format_signed_number(p.vy0)
                                                           : format_signed_number(value));
      if (box->text() != normal) {
        return box->objectName() + QStringLiteral(" holds «%1», not «%2»").arg(box->text(), normal);
      }
    }
    for (const QLabel* label : {form.Label12, form.Label13, form.Label14, form.Label15,
                                form.Label16, form.Label17, form.Label18}) {
      const QString t = label->text();
      if (t.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
          t.contains(QLatin1String("inf"), Qt::CaseInsensitive)) {
        return label->objectName() + QStringLiteral(" reads ") + t;
      }
    }
    return QString();
  }

  std::mt19937 rng_;
  long long limit_;
  long long events_ = 0;
  long long runs_ = 0;
  bool in_step_ = false;
  QString fault_;
  QStringList recent_;
};

}  // namespace

class TestSoak : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void randomUseOfEveryWindow() {
    const long long events = qEnvironmentVariableIsSet("ORVINDA_SOAK_EVENTS")
                                 ? qEnvironmentVariable("ORVINDA_SOAK_EVENTS").toLongLong()
                                 : kEvents;
    const std::uint32_t seed =
        qEnvironmentVariableIsSet("ORVINDA_SOAK_SEED")
            ? static_cast<std::uint32_t>(qEnvironmentVariable("ORVINDA_SOAK_SEED").toULong())
            : kSeed;
    Soak soak(seed, events);
    soak.run();
    qInfo("seed %u: %lld events, %lld runs, %zu boxes, %zu tones, %s", seed, soak.events(),
          soak.runs(), soak.platform.messages.size(), soak.platform.tones.size(),
          soak.fault().isEmpty() ? "0 faults" : "1 fault");
    QVERIFY2(soak.fault().isEmpty(),
             qPrintable(soak.fault() + QStringLiteral("\nafter:\n  ") + soak.recent()));
    QCOMPARE(soak.events(), events);
  }
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
