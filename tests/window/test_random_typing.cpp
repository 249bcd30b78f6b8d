// Thousands of random texts, pasted and typed into the parameter boxes of the
// real window. After each one every box must show the normal form of exactly
// what is stored, except the box being typed into, which holds what was typed
// and stores what it reads (a frequency of 0 or less aside, which keeps the
// last valid one); the frequencies must stay positive and no characteristic
// may print as inf or nan.

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cstdint>
#include <random>

#include "model/numbers.h"
#include "platform/fake_platform.h"
#include "window/form1.h"

using orvinda::FakePlatform;
using orvinda::Form1;
using orvinda::format_signed_number;
using orvinda::parse_box_number;
using orvinda::parse_leading_number;
using orvinda::to_single;

namespace {

// Each text costs one or two full redraws, a few ms each in the sanitizer
// build, so the count keeps the test well under half a minute there.
// ORVINDA_RANDOM_SEED and ORVINDA_RANDOM_ITERATIONS override both for a
// longer soak.
constexpr std::uint32_t kSeed = 20240611;
constexpr int kIterations = 1500;

class Typist {
 public:
  explicit Typist(std::uint32_t seed) : rng_(seed) {}

  int below(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }
  bool chance(int percent) { return below(100) < percent; }

  QString text() {
    switch (below(10)) {
      case 0: return digits(100 + below(800));  // very long
      case 1: return fragments(1 + below(8));
      case 2: return radix();
      case 3: return QString();
      default: return number();
    }
  }

  // Short texts as a user would type them, key by key.
  QString keys() {
    QString out = chance(50) ? number() : fragments(1 + below(3));
    out.remove(QLatin1Char('\t'));
    out.remove(QLatin1Char('\n'));
    return out.left(5);
  }

 private:
  QString digits(int count) {
    QString out;
    for (int i = 0; i < count; ++i) out += QChar(static_cast<char16_t>(u'0' + below(10)));
    return out;
  }

  QString number() {
    QString out;
    if (chance(20)) out += blank();
    if (chance(40)) out += chance(50) ? QLatin1Char('-') : QLatin1Char('+');
    out += digits(below(chance(10) ? 40 : 8));
    if (chance(50)) out += QStringLiteral(".") + digits(below(8));
    if (chance(40)) {
      out += chance(50) ? QLatin1Char('e') : QLatin1Char('E');
      if (chance(60)) out += chance(50) ? QLatin1Char('-') : QLatin1Char('+');
      static const char* const exponents[] = {"0",   "2",   "15",  "38",  "39",  "45",   "46",
                                              "308", "309", "323", "324", "400", "99999"};
      out += chance(50) ? QString::fromLatin1(exponents[below(std::size(exponents))])
                        : digits(1 + below(4));
    }
    if (chance(20)) out += fragments(1);
    if (chance(10)) out.insert(below(static_cast<int>(out.size()) + 1), blank());
    return out;
  }

  QString radix() {
    static const char* const prefixes[] = {"&H", "&h", "&O", "&o", "&", "&X"};
    QString out = QString::fromLatin1(prefixes[below(std::size(prefixes))]);
    static const char hex[] = "0123456789ABCDEFabcdefG8";
    const int count = below(chance(10) ? 300 : 12);
    for (int i = 0; i < count; ++i) out += QLatin1Char(hex[below(sizeof hex - 1)]);
    if (chance(20)) out.prepend(blank());
    return out;
  }

  QString fragments(int count) {
    static const char16_t* const parts[] = {
        u"0",     u"1",      u"7",    u"9",  u".",  u",",     u"+",  u"-",  u"e", u"E",   u"e309",
        u"e-400", u"E99999", u"E+38", u"&H", u"&O", u" ",     u"\t", u"\n", u"x", u"abc", u"ж",
        u"Я",     u"Ё",      u"1,5",  u"..", u"--", u"00000", u"1e", u"-.", u"∞", u"nan", u"inf"};
    QString out;
    for (int i = 0; i < count; ++i) out += QString::fromUtf16(parts[below(std::size(parts))]);
    return out;
  }

  QString blank() {
    static const char* const blanks[] = {" ", "  ", "\t", "\n"};
    return QString::fromLatin1(blanks[below(std::size(blanks))]);
  }

  std::mt19937 rng_;
};

QString shown(const QString& text) {
  QString out = text.left(60);
  out.replace(QLatin1Char('\t'), QLatin1String("\\t"));
  out.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  if (text.size() > 60) out += QStringLiteral("...(%1 chars)").arg(text.size());
  return QLatin1Char('"') + out + QLatin1Char('"');
}

void type(QLineEdit* edit, const QString& keys) {
  for (QChar c : keys) {
    if (c.unicode() < 0x80) {
      QTest::keyClicks(edit, QString(c));
    } else {
      QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

// Empty when all is well, else what is wrong.
QString fault(const Form1& form) {
  QLineEdit* const boxes[] = {form.Text1, form.Text2, form.Text3,
                              form.Text4, form.Text5, form.Text6};
  const double doubles[] = {form.wx, form.x0, form.vx0, form.wy, form.y0};
  for (int i = 0; i < 6; ++i) {
    const QString text = boxes[i]->text();
    const bool typing = form.beingEdited(boxes[i]);
    const double read =
        typing ? parse_box_number(text.toStdString()) : parse_leading_number(text.toStdString());
    const std::string normal =
        i == 5 ? format_signed_number(to_single(read)) : format_signed_number(read);
    if (!typing && QString::fromStdString(normal) != text) {
      return QStringLiteral("Text%1 holds %2, not its normal form %3")
          .arg(i + 1)
          .arg(shown(text), shown(QString::fromStdString(normal)));
    }
    if (typing && i == 3 && !(read > 0)) continue;  // refused until committed
    const bool same = i == 5 ? form.vy0 == to_single(read) : doubles[i] == read;
    if (!same) {
      return QStringLiteral("Text%1 shows %2 but %3 is stored")
          .arg(i + 1)
          .arg(shown(text))
          .arg(i == 5 ? static_cast<double>(form.vy0) : doubles[i], 0, 'g', 17);
    }
  }
  if (!(form.wx > 0) || !(form.wy > 0)) {
    return QStringLiteral("frequency not positive: wx=%1 wy=%2").arg(form.wx).arg(form.wy);
  }
  for (const QLabel* label : {form.Label12, form.Label13, form.Label14, form.Label15, form.Label16,
                              form.Label17, form.Label18}) {
    const QString text = label->text();
    if (text.trimmed().isEmpty() || text.contains(QLatin1String("inf"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("nan"), Qt::CaseInsensitive)) {
      return QStringLiteral("%1 reads %2").arg(label->objectName(), shown(text));
    }
  }
  return QString();
}

}  // namespace

class TestRandomTyping : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void anyTextLeavesTheWindowConsistent();
};

void TestRandomTyping::anyTextLeavesTheWindowConsistent() {
  const int iterations = qEnvironmentVariableIsSet("ORVINDA_RANDOM_ITERATIONS")
                             ? qEnvironmentVariableIntValue("ORVINDA_RANDOM_ITERATIONS")
                             : kIterations;
  const std::uint32_t seed =
      qEnvironmentVariableIsSet("ORVINDA_RANDOM_SEED")
          ? static_cast<std::uint32_t>(qEnvironmentVariable("ORVINDA_RANDOM_SEED").toULong())
          : kSeed;
  qInfo("seed %u, %d texts", seed, iterations);

  FakePlatform platform;
  Form1 form(platform);
  form.show();
  QLineEdit* const boxes[] = {form.Text2, form.Text3, form.Text4, form.Text5, form.Text6};
  Typist typist(seed);

  for (int i = 0; i < iterations; ++i) {
    const int index = typist.below(5);
    QLineEdit* edit = boxes[index];
    const std::size_t messages = platform.messages.size();
    // Wy typed and left uncommitted is committed when the focus moves on.
    const bool committed_wy = form.beingEdited(form.Text4);
    QString input;
    QString how;
    const bool pasted = typist.chance(90);
    if (pasted) {
      input = typist.text();
      how = QStringLiteral("setText");
      edit->setText(input);
    } else {
      input = typist.keys();
      edit->setFocus();
      if (typist.chance(30)) {
        edit->selectAll();
        how = QStringLiteral("typed over all");
      } else {
        const int caret = typist.below(static_cast<int>(edit->text().size()) + 1);
        edit->setCursorPosition(caret);
        how = QStringLiteral("typed at %1").arg(caret);
      }
      type(edit, input);
      if (typist.chance(50)) {
        QTest::keyClick(edit, Qt::Key_Return);
        how += QStringLiteral(", Enter");
      }
    }

    const QString where =
        QStringLiteral("#%1, %2 into %3: %4").arg(i).arg(how, edit->objectName(), shown(input));
    const QString wrong = fault(form);
    QVERIFY2(wrong.isEmpty(), qPrintable(where + QStringLiteral(" -> ") + wrong));
    QVERIFY2(form.isVisible(), qPrintable(where));

    // Only Wy warns, a pasted text at most once, a typed one only when
    // committed (pasting into another box commits Wy too).
    const std::size_t warned = platform.messages.size() - messages;
    if (edit != form.Text4) {
      QVERIFY2(warned <= (committed_wy ? 1u : 0u), qPrintable(where));
    } else if (pasted) {
      const bool bad = !(parse_box_number(input.toStdString()) > 0);
      QVERIFY2(warned == (bad ? 1u : 0u), qPrintable(where));
    } else if (form.beingEdited(edit)) {
      QVERIFY2(warned == 0, qPrintable(where));
    }
  }
}

QTEST_MAIN(TestRandomTyping)
#include "test_random_typing.moc"
