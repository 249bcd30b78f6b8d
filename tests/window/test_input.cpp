// The parameter boxes of the main window: what a change stores, what it
// writes back, what it warns about, how often it redraws and where the caret
// ends up after typing.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <limits>

#include "model/numbers.h"
#include "platform/fake_platform.h"
#include "window/form1.h"

using orvinda::FakePlatform;
using orvinda::Form1;

namespace {

const QString kFrequencyWarning =
    QStringLiteral("Частота должна быть больше 0! Не вводите заново, а исправьте!");

struct Window {
  FakePlatform platform;
  Form1 form{platform};
  Window() {
    form.show();
    QApplication::setActiveWindow(&form);
  }
};

QLineEdit* box(Form1& form, int number) {
  QLineEdit* const boxes[] = {nullptr,    form.Text1, form.Text2, form.Text3,
                              form.Text4, form.Text5, form.Text6};
  return boxes[number];
}

// The stored parameter behind a box, vy0 widened.
double stored(const Form1& form, int number) {
  switch (number) {
    case 1: return form.wx;
    case 2: return form.x0;
    case 3: return form.vx0;
    case 4: return form.wy;
    case 5: return form.y0;
    default: return form.vy0;
  }
}

void check_labels(const Form1& form) {
  for (const QLabel* label : {form.Label12, form.Label13, form.Label14, form.Label15, form.Label16,
                              form.Label17, form.Label18}) {
    const QString text = label->text();
    QVERIFY2(!text.trimmed().isEmpty(), qPrintable(label->objectName()));
    QVERIFY2(!text.contains(QLatin1String("inf"), Qt::CaseInsensitive), qPrintable(text));
    QVERIFY2(!text.contains(QLatin1String("nan"), Qt::CaseInsensitive), qPrintable(text));
  }
}

void check_warned_once(const FakePlatform& platform) {
  QCOMPARE(platform.tones.size(), std::size_t{1});
  QCOMPARE(platform.tones[0].frequency_hz, 880);
  QCOMPARE(platform.tones[0].duration_ms, 300);
  QCOMPARE(platform.messages.size(), std::size_t{1});
  QCOMPARE(platform.messages[0].title, QStringLiteral("Ошибка"));
  QCOMPARE(platform.messages[0].text, kFrequencyWarning);
  QVERIFY(platform.messages[0].buttons == orvinda::MessageButtons::Ok);
}

// Types into a box as the user would: '\b' is Backspace, anything outside
// Latin-1 goes in as the key's text.
void type(QLineEdit* edit, const QString& keys) {
  for (QChar c : keys) {
    if (c == QLatin1Char('\b')) {
      QTest::keyClick(edit, Qt::Key_Backspace);
    } else if (c.unicode() < 0x80) {
      QTest::keyClicks(edit, QString(c));
    } else {
      QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

}  // namespace

class TestInput : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void startsInNormalForm();
  void setText_data();
  void setText();
  void identicalTextRaisesNothing();
  void typing_data();
  void typing();
  void typedValues_data();
  void typedValues();
  void commitWays_data();
  void commitWays();
  void switchingWindowsCommitsNothing();
  void refusedFrequencyIsMarked();
  void undo_data();
  void undo();
  void redrawKeepsTheTypedText();
};

void TestInput::startsInNormalForm() {
  Window w;
  const char* expected[] = {nullptr, " 1", " 3", " 3", " 1.8", " 3", " 2"};
  for (int n = 1; n <= 6; ++n) QCOMPARE(box(w.form, n)->text(), QString::fromLatin1(expected[n]));
  check_labels(w.form);
}

void TestInput::setText_data() {
  QTest::addColumn<int>("box");
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<double>("value");
  QTest::addColumn<bool>("warned");

  // clang-format off
  QTest::newRow("whole number") << 2 << "5" << " 5" << 5.0 << false;
  QTest::newRow("already normal") << 2 << " 3.5" << " 3.5" << 3.5 << false;
  QTest::newRow("trailing point") << 2 << " 3." << " 3" << 3.0 << false;
  QTest::newRow("leading zero dropped") << 3 << "-0.5" << "-.5" << -0.5 << false;
  QTest::newRow("inner blank") << 3 << "1 5" << " 15" << 15.0 << false;
  QTest::newRow("tab and line feed") << 3 << "\t-1\n2" << "-12" << -12.0 << false;
  QTest::newRow("plus sign") << 3 << "+7" << " 7" << 7.0 << false;
  QTest::newRow("minus zero") << 3 << "-0" << " 0" << 0.0 << false;
  QTest::newRow("tiny negative") << 3 << "-1e-400" << " 0" << 0.0 << false;
  QTest::newRow("letters") << 5 << "abc" << " 0" << 0.0 << false;
  QTest::newRow("exponent") << 5 << "1e2" << " 100" << 100.0 << false;
  QTest::newRow("exponent without digits") << 5 << "4e" << " 4" << 4.0 << false;
  QTest::newRow("second point") << 5 << "1.2.3" << " 1.2" << 1.2 << false;
  QTest::newRow("exponent form") << 5 << "1e15" << " 1E+15" << 1e15 << false;
  QTest::newRow("small exponent form") << 5 << "-0.000025" << "-2.5E-05" << -2.5e-5 << false;
  QTest::newRow("hexadecimal") << 5 << "&H1F" << " 31" << 31.0 << false;
  QTest::newRow("octal") << 5 << "&o17" << " 15" << 15.0 << false;
  QTest::newRow("beyond double") << 5 << "-1e400" << "-1.79769313486232E+308"
                                 << -std::numeric_limits<double>::max() << false;
  QTest::newRow("rounded to 15 digits")
      << 2 << "0.1234567890123456789" << " .123456789012346" << 0.123456789012346 << false;
  QTest::newRow("single") << 6 << "0.1" << " .1" << static_cast<double>(0.1f) << false;
  QTest::newRow("single, 7 digits") << 6 << "3.14159265" << " 3.141593"
                                    << static_cast<double>(3.141593f) << false;
  QTest::newRow("beyond single") << 6 << "1e39" << " 3.402823E+38"
                                 << static_cast<double>(3.402823e38f) << false;
  QTest::newRow("wy cleared") << 4 << "" << " 2" << 2.0 << true;
  QTest::newRow("wy zero") << 4 << "0" << " 2" << 2.0 << true;
  QTest::newRow("wy negative") << 4 << "-1" << " 2" << 2.0 << true;
  QTest::newRow("wy letters") << 4 << "x" << " 2" << 2.0 << true;
  QTest::newRow("wy decimal comma") << 4 << "1,8" << " 1.8" << 1.8 << false;
  QTest::newRow("wy tiny but positive") << 4 << "1e-300" << " 1E-300" << 1e-300 << false;
  QTest::newRow("wx zero") << 1 << "0" << " 1" << 1.0 << true;
  QTest::newRow("wx negative") << 1 << "-3" << " 1" << 1.0 << true;
  // clang-format on
}

void TestInput::setText() {
  QFETCH(int, box);
  QFETCH(QString, input);
  QFETCH(QString, shown);
  QFETCH(double, value);
  QFETCH(bool, warned);

  Window w;
  QLineEdit* edit = ::box(w.form, box);
  const int before = w.form.redrawCount();
  edit->setText(input);

  QCOMPARE(edit->text(), shown);
  if (box == 6) {
    QCOMPARE(w.form.vy0, static_cast<float>(value));
  } else {
    QCOMPARE(stored(w.form, box), value);
  }
  // Once for the text as given and once more, nested, for its normal form.
  QCOMPARE(w.form.redrawCount() - before, input == shown ? 1 : 2);
  if (warned) {
    check_warned_once(w.platform);
  } else {
    QVERIFY(w.platform.tones.empty());
    QVERIFY(w.platform.messages.empty());
  }
  check_labels(w.form);
}

void TestInput::identicalTextRaisesNothing() {
  Window w;
  const int before = w.form.redrawCount();
  w.form.Text2->setText(QStringLiteral(" 3"));
  QCOMPARE(w.form.redrawCount(), before);
}

// Puts the focus in a box with its caret (-1: all selected), as a user
// clicking into it would.
void enter_box(QLineEdit* edit, int caret) {
  edit->setFocus();
  if (caret < 0) {
    edit->selectAll();
  } else {
    edit->setCursorPosition(caret);
  }
}

void check_stored(const Form1& form, int box, double value) {
  if (box == 6) {
    QCOMPARE(form.vy0, static_cast<float>(value));
  } else {
    QCOMPARE(stored(form, box), value);
  }
}

void TestInput::typing_data() {
  QTest::addColumn<int>("box");
  QTest::addColumn<QString>("start");
  QTest::addColumn<int>("caret");  // -1 selects all
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("typed");   // the box while typing: as typed
  QTest::addColumn<double>("value");    // stored while typing
  QTest::addColumn<int>("redraws");     // while typing
  QTest::addColumn<QString>("shown");   // after Enter: the normal form
  QTest::addColumn<int>("caretAfter");  // after Enter

  // clang-format off
  QTest::newRow("replace all") << 2 << " 3" << -1 << "5" << "5" << 5.0 << 1 << " 5" << 2;
  QTest::newRow("append digit") << 2 << " 3" << 2 << "2" << " 32" << 32.0 << 1 << " 32" << 3;
  QTest::newRow("point inside") << 2 << " 35" << 2 << "." << " 3.5" << 3.5 << 1 << " 3.5" << 3;
  QTest::newRow("clear, then a digit") << 2 << " 3" << -1 << "\b7" << "7" << 7.0 << 2 << " 7" << 2;
  QTest::newRow("minus in front") << 2 << " 3" << 0 << "-" << "- 3" << -3.0 << 1 << "-3" << 1;
  QTest::newRow("minus after the blank") << 2 << " 3" << 1 << "-" << " -3" << -3.0 << 1 << "-3" << 1;
  QTest::newRow("backspace inside") << 2 << " 12" << 2 << "\b" << " 2" << 2.0 << 1 << " 2" << 1;
  QTest::newRow("trailing zero dropped") << 3 << " 3.5" << 4 << "0" << " 3.50" << 3.5 << 1 << " 3.5" << 4;
  QTest::newRow("second point dropped") << 3 << " 3.5" << 4 << "." << " 3.5." << 3.5 << 1 << " 3.5" << 4;
  QTest::newRow("comma, then a digit") << 3 << " 3" << 2 << ",5" << " 3,5" << 3.5 << 2 << " 3.5" << 4;
  QTest::newRow("cyrillic letter") << 5 << " 3" << 2 << "ж" << " 3ж" << 3.0 << 1 << " 3" << 2;
  QTest::newRow("into exponent form") << 5 << " 100000000000000" << 16 << "0" << " 1000000000000000"
                                      << 1e15 << 1 << " 1E+15" << 6;
  QTest::newRow("wy cleared by backspace") << 4 << " 1.8" << -1 << "\b" << "" << 1.8 << 0 << " 2" << 2;
  QTest::newRow("wy replaced by zero") << 4 << " 1.8" << -1 << "0" << "0" << 1.8 << 0 << " 2" << 2;
  QTest::newRow("wy cleared, then a digit") << 4 << " 1.8" << -1 << "\b3" << "3" << 3.0 << 1 << " 3" << 2;
  QTest::newRow("dropped digit keeps the caret") << 2 << " 35" << 1 << "07" << " 0735" << 735.0 << 2 << " 735" << 2;
  QTest::newRow("dropped sign keeps the caret") << 2 << " 35" << 1 << "+7" << " +735" << 735.0 << 2 << " 735" << 2;
  QTest::newRow("blank typed inside") << 2 << " 35" << 2 << " 7" << " 3 75" << 375.0 << 2 << " 375" << 3;
  QTest::newRow("single rounded") << 6 << " .1234567" << 9 << "8" << " .12345678"
                                  << static_cast<double>(0.12345678f) << 1 << " .1234568" << 9;
  // clang-format on
}

// Key by key the box keeps what is typed while the value applies at once;
// Enter writes the normal form, and refuses a frequency of 0 or less only then.
void TestInput::typing() {
  QFETCH(int, box);
  QFETCH(QString, start);
  QFETCH(int, caret);
  QFETCH(QString, keys);
  QFETCH(QString, typed);
  QFETCH(double, value);
  QFETCH(int, redraws);
  QFETCH(QString, shown);
  QFETCH(int, caretAfter);

  Window w;
  QLineEdit* edit = ::box(w.form, box);
  edit->setText(start);
  QCOMPARE(edit->text(), start);
  enter_box(edit, caret);
  const int before = w.form.redrawCount();
  type(edit, keys);

  QCOMPARE(edit->text(), typed);
  check_stored(w.form, box, value);
  QCOMPARE(w.form.redrawCount() - before, redraws);
  QVERIFY(w.form.beingEdited(edit));
  QVERIFY(w.platform.messages.empty());
  QVERIFY(w.platform.tones.empty());
  check_labels(w.form);

  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(edit->text(), shown);
  QCOMPARE(edit->cursorPosition(), caretAfter);
  QVERIFY(!w.form.beingEdited(edit));
  if (box == 4 && shown == QLatin1String(" 2")) {
    check_warned_once(w.platform);
    QCOMPARE(w.form.wy, 2.0);
  } else {
    QVERIFY(w.platform.messages.empty());
    check_stored(w.form, box, value);
  }
  check_labels(w.form);
}

void TestInput::typedValues_data() {
  QTest::addColumn<int>("box");
  QTest::addColumn<QString>("keys");
  QTest::addColumn<double>("value");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<bool>("refused");  // at Enter

  // clang-format off
  QTest::newRow("wy 1.5") << 4 << "1.5" << 1.5 << " 1.5" << false;
  QTest::newRow("wy 1,5") << 4 << "1,5" << 1.5 << " 1.5" << false;
  QTest::newRow("wy ,5") << 4 << ",5" << 0.5 << " .5" << false;
  QTest::newRow("wy .5") << 4 << ".5" << 0.5 << " .5" << false;
  QTest::newRow("wy 0.5") << 4 << "0.5" << 0.5 << " .5" << false;
  QTest::newRow("wy -,25") << 4 << "-,25" << 1.8 << " 2" << true;
  QTest::newRow("yo 0.25") << 5 << "0.25" << 0.25 << " .25" << false;
  QTest::newRow("yo 2.8284") << 5 << "2.8284" << 2.8284 << " 2.8284" << false;
  QTest::newRow("xo -3") << 2 << "-3" << -3.0 << "-3" << false;
  QTest::newRow("xo -,25") << 2 << "-,25" << -0.25 << "-.25" << false;
  QTest::newRow("vox -0.5") << 3 << "-0.5" << -0.5 << "-.5" << false;
  QTest::newRow("yo 1e2") << 5 << "1e2" << 100.0 << " 100" << false;
  QTest::newRow("voy 1e2") << 6 << "1e2" << 100.0 << " 100" << false;
  // clang-format on
}

// The lab sheet's values typed over the whole text, as a teacher does: no
// box and no tone on the way, whatever the intermediate texts read.
void TestInput::typedValues() {
  QFETCH(int, box);
  QFETCH(QString, keys);
  QFETCH(double, value);
  QFETCH(QString, shown);
  QFETCH(bool, refused);

  Window w;
  QLineEdit* edit = ::box(w.form, box);
  enter_box(edit, -1);
  for (QChar key : keys) {
    type(edit, QString(key));
    QVERIFY2(w.platform.messages.empty(), qPrintable(edit->text()));
  }
  QCOMPARE(edit->text(), keys);
  check_stored(w.form, box, value);
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(edit->text(), shown);
  QCOMPARE(w.platform.messages.size(), std::size_t{refused ? 1u : 0u});
  check_stored(w.form, box, refused ? 2.0 : value);
}

void TestInput::commitWays_data() {
  QTest::addColumn<QString>("way");
  QTest::newRow("Enter") << "enter";
  QTest::newRow("keypad Enter") << "keypad enter";
  QTest::newRow("Tab") << "tab";
  QTest::newRow("click on another box") << "click box";
  QTest::newRow("click on a label") << "click label";
  QTest::newRow("an Опыт item") << "menu item";
  QTest::newRow("closing, answered No") << "close";
}

// "0" typed into Wy stands until a commit; each way of committing refuses it
// once and writes " 2".
void TestInput::commitWays() {
  QFETCH(QString, way);
  Window w;
  w.platform.answers = {orvinda::MessageAnswer::Ok, orvinda::MessageAnswer::No};
  enter_box(w.form.Text4, -1);
  type(w.form.Text4, QStringLiteral("0"));
  QVERIFY(w.platform.messages.empty());

  if (way == QLatin1String("enter")) {
    QTest::keyClick(w.form.Text4, Qt::Key_Return);
  } else if (way == QLatin1String("keypad enter")) {
    QTest::keyClick(w.form.Text4, Qt::Key_Enter, Qt::KeypadModifier);
  } else if (way == QLatin1String("tab")) {
    QTest::keyClick(w.form.Text4, Qt::Key_Tab);
    QVERIFY(w.form.Text5->hasFocus());
  } else if (way == QLatin1String("click box")) {
    QTest::mouseClick(w.form.Text5, Qt::LeftButton);
  } else if (way == QLatin1String("click label")) {
    QTest::mouseClick(w.form.Label11, Qt::LeftButton);
  } else if (way == QLatin1String("menu item")) {
    w.form.mnuExperimentSave->trigger();  // cancelled: the fake has no file name
  } else {
    QVERIFY(!w.form.close());
    // The refusal comes first, then the question, answered No.
    QCOMPARE(w.platform.messages.size(), std::size_t{2});
    QCOMPARE(w.platform.messages[1].text, QStringLiteral("Вы абсолютно уверены?"));
    w.platform.messages.pop_back();
  }
  check_warned_once(w.platform);
  QCOMPARE(w.form.wy, 2.0);
  QCOMPARE(w.form.Text4->text(), QStringLiteral(" 2"));
  QVERIFY(!w.form.beingEdited(w.form.Text4));
}

// Leaving the window in the middle of "0." (to read the lab sheet) commits
// nothing; coming back, the typing goes on.
void TestInput::switchingWindowsCommitsNothing() {
  Window w;
  QApplication::setActiveWindow(&w.form);
  enter_box(w.form.Text4, -1);
  type(w.form.Text4, QStringLiteral("0."));
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  QVERIFY(!w.form.Text4->hasFocus());
  QVERIFY(w.platform.messages.empty());
  QCOMPARE(w.form.Text4->text(), QStringLiteral("0."));
  QCOMPARE(w.form.wy, 1.8);

  QApplication::setActiveWindow(&w.form);
  QVERIFY(w.form.Text4->hasFocus());
  type(w.form.Text4, QStringLiteral("5"));
  QCOMPARE(w.form.wy, 0.5);
  QTest::keyClick(w.form.Text4, Qt::Key_Return);
  QCOMPARE(w.form.Text4->text(), QStringLiteral(" .5"));
  QVERIFY(w.platform.messages.empty());
}

// While an entry is refused the box says so, to the eye and to a screen
// reader, and the figure stays as it was.
void TestInput::refusedFrequencyIsMarked() {
  Window w;
  const QString tip = w.form.Text4->toolTip();
  enter_box(w.form.Text4, -1);
  const int before = w.form.redrawCount();
  const QString ratio = w.form.Label18->text();
  type(w.form.Text4, QStringLiteral("-"));
  QCOMPARE(w.form.Text4->toolTip(), QStringLiteral("Частота должна быть больше 0"));
  QCOMPARE(w.form.Text4->accessibleDescription(), QStringLiteral("Частота должна быть больше 0"));
  QVERIFY(w.form.Text4->styleSheet().contains(QLatin1String("border")));
  QCOMPARE(w.form.redrawCount(), before);
  QCOMPARE(w.form.Label18->text(), ratio);

  type(w.form.Text4, QStringLiteral("2"));  // "-2" still reads below 0
  QVERIFY(w.form.Text4->styleSheet().contains(QLatin1String("border")));
  type(w.form.Text4, QStringLiteral("\b\b3"));
  QCOMPARE(w.form.wy, 3.0);
  QCOMPARE(w.form.Text4->toolTip(), tip);
  QCOMPARE(w.form.Text4->accessibleDescription(), tip);
  QVERIFY(w.form.Text4->styleSheet().isEmpty());
}

void TestInput::undo_data() {
  QTest::addColumn<int>("box");
  QTest::addColumn<QString>("keys");
  QTest::addColumn<bool>("commitFirst");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<double>("value");

  // clang-format off
  QTest::newRow("while typing") << 2 << "7" << false << " 3" << 3.0;
  QTest::newRow("while a frequency is refused") << 4 << "\b" << false << " 1.8" << 1.8;
  QTest::newRow("while typing a frequency") << 4 << "2,5" << false << " 1.8" << 1.8;
  QTest::newRow("after the commit") << 2 << "7" << true << " 3" << 3.0;
  QTest::newRow("after a refused commit") << 4 << "0" << true << " 1.8" << 1.8;
  // clang-format on
}

void TestInput::undo() {
  QFETCH(int, box);
  QFETCH(QString, keys);
  QFETCH(bool, commitFirst);
  QFETCH(QString, shown);
  QFETCH(double, value);

  Window w;
  QLineEdit* edit = ::box(w.form, box);
  enter_box(edit, -1);
  type(edit, keys);
  if (commitFirst) QTest::keyClick(edit, Qt::Key_Return);
  const std::size_t messages = w.platform.messages.size();
  QTest::keySequence(edit, QKeySequence::Undo);
  QCOMPARE(edit->text(), shown);
  check_stored(w.form, box, value);
  QVERIFY(!w.form.beingEdited(edit));
  QVERIFY(edit->styleSheet().isEmpty());
  QCOMPARE(w.platform.messages.size(), messages);
}

// A resize while typing redraws everything but the box being typed into.
void TestInput::redrawKeepsTheTypedText() {
  Window w;
  enter_box(w.form.Text2, -1);
  type(w.form.Text2, QStringLiteral("1."));
  w.form.resize(w.form.width() + 40, w.form.height());
  QCOMPARE(w.form.Text2->text(), QStringLiteral("1."));
  QCOMPARE(w.form.Text3->text(), QStringLiteral(" 3"));
  type(w.form.Text2, QStringLiteral("5"));
  QCOMPARE(w.form.x0, 1.5);
}

QTEST_MAIN(TestInput)
#include "test_input.moc"
