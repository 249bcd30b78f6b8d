// The parameter boxes of the main window: what a change stores, what it
// writes back, what it warns about, how often it redraws and where the caret
// ends up after typing.

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
  Window() { form.show(); }
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
  QTest::newRow("wy decimal comma") << 4 << "1,8" << " 1" << 1.0 << false;
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

void TestInput::typing_data() {
  QTest::addColumn<int>("box");
  QTest::addColumn<QString>("start");
  QTest::addColumn<int>("caret");  // -1 selects all
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("caretAfter");
  QTest::addColumn<int>("redraws");

  // clang-format off
  QTest::newRow("replace all") << 2 << " 3" << -1 << "5" << " 5" << 2 << 2;
  QTest::newRow("append digit") << 2 << " 3" << 2 << "2" << " 32" << 3 << 1;
  QTest::newRow("point inside") << 2 << " 35" << 2 << "." << " 3.5" << 3 << 1;
  QTest::newRow("clear, then a digit") << 2 << " 3" << -1 << "\b7" << " 7" << 2 << 4;
  QTest::newRow("minus in front") << 2 << " 3" << 0 << "-" << "-3" << 1 << 2;
  QTest::newRow("minus after the blank") << 2 << " 3" << 1 << "-" << "-3" << 1 << 2;
  QTest::newRow("backspace inside") << 2 << " 12" << 2 << "\b" << " 2" << 1 << 1;
  QTest::newRow("trailing zero dropped") << 3 << " 3.5" << 4 << "0" << " 3.5" << 4 << 2;
  QTest::newRow("second point dropped") << 3 << " 3.5" << 4 << "." << " 3.5" << 4 << 2;
  QTest::newRow("comma, then a digit") << 3 << " 3" << 2 << ",5" << " 35" << 3 << 3;
  QTest::newRow("cyrillic letter") << 5 << " 3" << 2 << "ж" << " 3" << 2 << 2;
  QTest::newRow("into exponent form") << 5 << " 100000000000000" << 16 << "0" << " 1E+15" << 6 << 2;
  QTest::newRow("wy cleared by backspace") << 4 << " 1.8" << -1 << "\b" << " 2" << 2 << 2;
  QTest::newRow("wy replaced by zero") << 4 << " 1.8" << -1 << "0" << " 2" << 2 << 2;
  QTest::newRow("dropped digit keeps the caret") << 2 << " 35" << 1 << "07" << " 735" << 2 << 3;
  QTest::newRow("dropped sign keeps the caret") << 2 << " 35" << 1 << "+7" << " 735" << 2 << 3;
  QTest::newRow("blank typed inside") << 2 << " 35" << 2 << " 7" << " 375" << 3 << 3;
  QTest::newRow("single rounded") << 6 << " .1234567" << 9 << "8" << " .1234568" << 9 << 2;
  // clang-format on
}

void TestInput::typing() {
  QFETCH(int, box);
  QFETCH(QString, start);
  QFETCH(int, caret);
  QFETCH(QString, keys);
  QFETCH(QString, shown);
  QFETCH(int, caretAfter);
  QFETCH(int, redraws);

  Window w;
  QLineEdit* edit = ::box(w.form, box);
  edit->setText(start);
  QCOMPARE(edit->text(), start);
  edit->setFocus();
  if (caret < 0) {
    edit->selectAll();
  } else {
    edit->setCursorPosition(caret);
  }
  const int before = w.form.redrawCount();
  type(edit, keys);

  QCOMPARE(edit->text(), shown);
  QCOMPARE(edit->cursorPosition(), caretAfter);
  QCOMPARE(w.form.redrawCount() - before, redraws);
  if (box == 4 && shown == QLatin1String(" 2")) {
    check_warned_once(w.platform);
  } else {
    QVERIFY(w.platform.messages.empty());
  }
  check_labels(w.form);
}

QTEST_MAIN(TestInput)
#include "test_input.moc"
