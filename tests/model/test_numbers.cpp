// Reading and writing the parameter boxes' numbers, and formatting by pattern.
// Runs twice: in the C locale and in a Russian one (decimal comma), where
// the boxes must still use the point.

#include <QLocale>
#include <QRandomGenerator>
#include <QtTest>
#include <clocale>
#include <cmath>
#include <limits>

#include "model/format_pattern.h"
#include "model/numbers.h"

using namespace orvinda;

class TestNumbers : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    // What QApplication would do on a user's desktop.
    std::setlocale(LC_ALL, "");
  }

  void parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    // clang-format off
    QTest::newRow("normal form") << " 3" << 3.0;
    QTest::newRow("no zero before point") << "-.25" << -0.25;
    QTest::newRow("comma ends the number") << "1,8" << 1.0;
    QTest::newRow("blank inside is dropped") << "1 5" << 15.0;
    QTest::newRow("tab and line feed dropped") << "\t1\n2" << 12.0;
    QTest::newRow("exponent") << "1e2" << 100.0;
    QTest::newRow("exponent upper with sign") << "2.5E-3" << 0.0025;
    QTest::newRow("exponent without digits") << "7e" << 7.0;
    QTest::newRow("exponent sign without digits") << "7e+" << 7.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex lower") << "&hff" << 255.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("second point ends") << "1.2.3" << 1.2;
    QTest::newRow("trailing point") << " 3." << 3.0;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("double sign") << "--4" << 0.0;
    QTest::newRow("leading zeros") << "000.5" << 0.5;
    QTest::newRow("digits then letters") << "12abc" << 12.0;
    QTest::newRow("cyrillic after digits") << "5м" << 5.0;
    QTest::newRow("beyond double") << "1e400" << std::numeric_limits<double>::max();
    QTest::newRow("beyond double negative") << "-9e99999" << -std::numeric_limits<double>::max();
    QTest::newRow("below smallest") << "1e-400" << 0.0;
    QTest::newRow("huge exponent digits") << "1e999999999999999999999" << std::numeric_limits<double>::max();
    QTest::newRow("many digits") << QString(400, QLatin1Char('9')) << std::numeric_limits<double>::max();
    // clang-format on
    // Exactly halfway between two doubles but for a digit far out.
    // clang-format off
    QTest::newRow("tie broken by the 860th digit")
        << ("1.00000000000000011102230246251565404236316680908203125" + QString(800, QLatin1Char('0')) + "1")
        << 1.0000000000000002;
    QTest::newRow("long fraction") << ("0." + QString(500, QLatin1Char('0')) + "1") << 0.0;
    // clang-format on
  }

  void parse() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double value = parse_leading_number(text.toStdString());
    QCOMPARE(value, expected);
  }

  // The boxes read a comma as the point; the command line and files do not.
  void parse_box_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("box");
    QTest::addColumn<double>("leading");
    QTest::newRow("comma") << "1,5" << 1.5 << 1.0;
    QTest::newRow("leading comma") << ",5" << 0.5 << 0.0;
    QTest::newRow("minus, comma") << "-,25" << -0.25 << 0.0;
    QTest::newRow("second comma ends it") << "1,2,3" << 1.2 << 1.0;
    QTest::newRow("comma after a point ends it") << "1.2,3" << 1.2 << 1.2;
    QTest::newRow("comma in the exponent ends it") << "2e1,5" << 20.0 << 20.0;
  }

  void parse_box() {
    QFETCH(QString, text);
    QFETCH(double, box);
    QFETCH(double, leading);
    QCOMPARE(orvinda::parse_box_number(text.toStdString()), box);
    QCOMPARE(parse_leading_number(text.toStdString()), leading);
  }

  void round_significant_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<double>("expected");
    QTest::newRow("root 2 to 7") << 1.4142135623731 << 7 << 1.414214;
    QTest::newRow("single noise") << 2.000000320060546 << 7 << 2.0;
    QTest::newRow("negative, small") << -0.000123456789 << 7 << -0.0001234568;
    QTest::newRow("carry into a new digit") << 9.9999996 << 7 << 10.0;
    QTest::newRow("zero") << 0.0 << 7 << 0.0;
    QTest::newRow("largest double") << 1.7976931348623157e308 << 17 << 1.7976931348623157e308;
  }

  void round_significant() {
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(double, expected);
    QCOMPARE(orvinda::round_significant(value, digits), expected);
  }

  void parse_never_gives_negative_zero() {
    for (const char* text : {"-0", "-0.000", "-.0e5", "-1e-400"}) {
      const double value = parse_leading_number(text);
      QCOMPARE(value, 0.0);
      QVERIFY2(!std::signbit(value), text);
    }
  }

  void format_double_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("whole") << 3.0 << " 3";
    QTest::newRow("negative whole") << -2.0 << "-2";
    QTest::newRow("fraction") << 1.8 << " 1.8";
    QTest::newRow("below one") << 0.5 << " .5";
    QTest::newRow("negative below one") << -0.25 << "-.25";
    QTest::newRow("hundred") << 100.0 << " 100";
    QTest::newRow("15 digits") << 123456789012345.0 << " 123456789012345";
    QTest::newRow("exponent from 1e15") << 1e15 << " 1E+15";
    QTest::newRow("exponent with fraction") << -2.5e20 << "-2.5E+20";
    QTest::newRow("small plain") << 0.0001 << " .0001";
    QTest::newRow("small exponent") << 0.00001 << " 1E-05";
    QTest::newRow("rounding to 15 digits") << 0.1 + 0.2 << " .3";
    QTest::newRow("carry into exponent") << 999999999999999.9 << " 1E+15";
    QTest::newRow("largest") << std::numeric_limits<double>::max() << " 1.79769313486232E+308";
    QTest::newRow("infinity saturates") << std::numeric_limits<double>::infinity() << " 1.79769313486232E+308";
    QTest::newRow("nan is zero") << std::numeric_limits<double>::quiet_NaN() << " 0";
    // clang-format on
  }

  void format_double() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(format_signed_number(value)), expected);
  }

  void format_single_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("start value") << 2.0f << " 2";
    QTest::newRow("tenth") << 0.1f << " .1";
    QTest::newRow("seven digits") << 1234567.0f << " 1234567";
    QTest::newRow("exponent from 1e7") << 1e7f << " 1E+07";
    QTest::newRow("negative") << -1.5f << "-1.5";
    QTest::newRow("largest float") << std::numeric_limits<float>::max() << " 3.402823E+38";
    // clang-format on
  }

  void format_single() {
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(format_signed_number(value)), expected);
  }

  void single_rounding_saturates() {
    QCOMPARE(to_single(1e39), std::numeric_limits<float>::max());
    QCOMPARE(to_single(-1e300), -std::numeric_limits<float>::max());
    QCOMPARE(to_single(0.1), 0.1f);
    QVERIFY(!std::signbit(to_single(-0.0)));
  }

  // The normal form read back gives the value to the digits shown, and is
  // itself stable: a box in normal form is never rewritten.
  void round_trip_property() {
    QRandomGenerator random(20261207);
    for (int i = 0; i < 20000; ++i) {
      const double mantissa = random.generateDouble() * 2 - 1;
      const int exponent = static_cast<int>(random.bounded(-330, 330));
      const double value = std::ldexp(mantissa, static_cast<int>(exponent * 3.3219));
      const std::string text = format_signed_number(value);
      const double back = parse_leading_number(text);
      QVERIFY2(format_signed_number(back) == text, text.c_str());
      if (std::isfinite(value) && value != 0 && std::fabs(value) > 1e-300) {
        QVERIFY2(std::fabs(back - value) <= std::fabs(value) * 1e-14, text.c_str());
      }

      const float single = to_single(value);
      const std::string single_text = format_signed_number(single);
      const float single_back = to_single(parse_leading_number(single_text));
      // Seven digits give the float back to the digits shown.
      QVERIFY2(std::fabs(single_back - single) <= std::fabs(single) * 1e-6f ||
                   std::fabs(single) < 1e-38f,
               single_text.c_str());
      QVERIFY2(format_signed_number(single_back) == single_text, single_text.c_str());
    }
  }

  void pattern_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("amplitude") << 4.242640687 << "0.000E+00" << "4.243E+00";
    QTest::newRow("carry") << 9.9996 << "0.000E+00" << "1.000E+01";
    QTest::newRow("zero exponent form") << 0.0 << "0.000E+00" << "0.000E+00";
    QTest::newRow("negative exponent form") << -0.00123456 << "0.000E+00" << "-1.235E-03";
    QTest::newRow("three exponent digits") << 1.5e200 << "0.000E+00" << "1.500E+200";
    QTest::newRow("tiny") << 2.5e-310 << "0.000E+00" << "2.500E-310";
    QTest::newRow("phase") << 0.785398 << "0.000" << "0.785";
    QTest::newRow("negative phase") << -0.137 << "0.000" << "-0.137";
    QTest::newRow("rounds to zero") << -0.0001 << "0.000" << "0.000";
    QTest::newRow("large fixed") << 12345.6789 << "0.000" << "12345.679";
    QTest::newRow("grid") << -5.0 << "#0.00" << "-5.00";
    QTest::newRow("grid zero") << 0.0 << "#0.00" << "0.00";
    QTest::newRow("grid big") << 1e9 << "#0.00" << "1000000000.00";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "0.000E+00" << "1.798E+308";
    // clang-format on
  }

  void pattern() {
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(format_by_pattern(value, pattern.toStdString(), ".")),
             expected);
  }

  void pattern_uses_given_separator() {
    QCOMPARE(QString::fromStdString(format_by_pattern(4.2426, "0.000E+00", ",")),
             QStringLiteral("4,243E+00"));
    QCOMPARE(QString::fromStdString(format_by_pattern(-1.5, "#0.00", ",")),
             QStringLiteral("-1,50"));
  }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
