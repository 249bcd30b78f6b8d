// Entering a motion by amplitudes and phases: the fields as the dialog reads
// them, and the round trip through the boxes back to the printed
// characteristics.

#include <QtTest>
#include <cmath>
#include <limits>
#include <numbers>

#include "model/characteristics.h"
#include "model/format_pattern.h"
#include "model/numbers.h"
#include "tools/experiment/model/amplitude_fields.h"
#include "tools/experiment/model/field_number.h"
#include "tools/experiment/model/initial_conditions.h"

using namespace orvinda;

Q_DECLARE_METATYPE(orvinda::FieldNumberStatus)

namespace {

constexpr double kHalfRoot2 = std::numbers::sqrt2 / 2;

QString printed(double value, const char* pattern) {
  return QString::fromStdString(format_by_pattern(value, pattern, "."));
}

std::string typed(double value) {
  const std::string text = format_signed_number(value);
  return text.front() == ' ' ? text.substr(1) : text;
}

// What the window holds after the dialog writes its boxes and each box's
// handler reads its own text back.
MotionParameters through_boxes(const MotionParameters& p) {
  const auto box = [](double v) { return parse_leading_number(format_signed_number(v)); };
  return {box(p.wx), box(p.x0), box(p.vx0),
          box(p.wy), box(p.y0), to_single(parse_leading_number(format_signed_number(p.vy0)))};
}

QStringList problem_list(const AmplitudeFieldProblems& p) {
  QStringList list;
  for (const std::string* s : {&p.ax, &p.fix, &p.ay, &p.fiy, &p.wy}) {
    list << QString::fromStdString(*s);
  }
  return list;
}

}  // namespace

class TestAmplitudesAndPhases : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void quarter_turns_are_exact_data() {
    QTest::addColumn<double>("phase");
    QTest::addColumn<double>("cos");
    QTest::addColumn<double>("sin");
    // clang-format off
    QTest::newRow("0") << 0.0 << 1.0 << 0.0;
    QTest::newRow("1/4") << 0.25 << kHalfRoot2 << kHalfRoot2;
    QTest::newRow("1/2") << 0.5 << 0.0 << 1.0;
    QTest::newRow("3/4") << 0.75 << -kHalfRoot2 << kHalfRoot2;
    QTest::newRow("1") << 1.0 << -1.0 << 0.0;
    QTest::newRow("-1") << -1.0 << -1.0 << 0.0;
    QTest::newRow("-1/4") << -0.25 << kHalfRoot2 << -kHalfRoot2;
    QTest::newRow("-1/2") << -0.5 << 0.0 << -1.0;
    QTest::newRow("3/2") << 1.5 << 0.0 << -1.0;
    QTest::newRow("a whole turn") << 2.0 << 1.0 << 0.0;
    QTest::newRow("many turns on") << 1000000.75 << -kHalfRoot2 << kHalfRoot2;
    QTest::newRow("many turns back") << -999.5 << 0.0 << 1.0;
    // clang-format on
  }

  // Exactly 0, +-1 or +-sqrt(2)/2, and never -0, which a box would show.
  void quarter_turns_are_exact() {
    QFETCH(double, phase);
    QFETCH(double, cos);
    QFETCH(double, sin);
    const CosSin cs = cos_sin_pi(phase);
    QCOMPARE(cs.cos, cos);
    QCOMPARE(cs.sin, sin);
    QVERIFY(cs.cos != 0 || !std::signbit(cs.cos));
    QVERIFY(cs.sin != 0 || !std::signbit(cs.sin));
  }

  void other_phases_follow_the_circle() {
    for (double phase : {1.0 / 3, -0.1, 0.9, 1.7, 123.456}) {
      const CosSin cs = cos_sin_pi(phase);
      QVERIFY(std::fabs(cs.cos - std::cos(phase * std::numbers::pi)) < 1e-12);
      QVERIFY(std::fabs(cs.sin - std::sin(phase * std::numbers::pi)) < 1e-12);
    }
  }

  void saturates_instead_of_overflowing() {
    const double big = std::numeric_limits<double>::max();
    const MotionParameters p = initial_conditions({big, 0.25, big, 0.5, 4, 4});
    QVERIFY(std::isfinite(p.x0) && std::isfinite(p.vx0) && std::isfinite(p.vy0));
    QCOMPARE(p.vx0, big);
    QCOMPARE(p.vy0, std::numeric_limits<float>::max());
  }

  void field_number_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<FieldNumberStatus>("status");
    QTest::addColumn<double>("value");
    const auto ok = FieldNumberStatus::ok;
    const auto nan = FieldNumberStatus::not_a_number;
    const auto big = FieldNumberStatus::too_large;
    // clang-format off
    QTest::newRow("plain") << "4" << ok << 4.0;
    QTest::newRow("point") << "0.25" << ok << 0.25;
    QTest::newRow("comma") << "0,25" << ok << 0.25;
    QTest::newRow("blanks around") << " \t-3.5e1 \n" << ok << -35.0;
    QTest::newRow("no-break spaces around") << "\u00a07\u00a0" << ok << 7.0;
    QTest::newRow("typographic minus") << "\u22122,5" << ok << -2.5;
    QTest::newRow("minus in exponent") << "1e\u22122" << ok << 0.01;
    QTest::newRow("no digit before point") << ".5" << ok << 0.5;
    QTest::newRow("no digit after point") << "5." << ok << 5.0;
    QTest::newRow("minus zero is zero") << "-0" << ok << 0.0;
    QTest::newRow("largest double") << "1.7976931348623157e308" << ok
                                    << std::numeric_limits<double>::max();
    QTest::newRow("below the smallest") << "1e-400" << ok << 0.0;
    QTest::newRow("empty") << "" << nan << 0.0;
    QTest::newRow("blanks only") << "   " << nan << 0.0;
    QTest::newRow("unit after number") << "5 м" << nan << 0.0;
    QTest::newRow("blank inside") << "1 5" << nan << 0.0;
    QTest::newRow("two separators") << "1.2,3" << nan << 0.0;
    QTest::newRow("sign only") << "-" << nan << 0.0;
    QTest::newRow("point only") << "." << nan << 0.0;
    QTest::newRow("two signs") << "+-1" << nan << 0.0;
    QTest::newRow("exponent without digits") << "1e" << nan << 0.0;
    QTest::newRow("hex of the boxes") << "&H10" << nan << 0.0;
    QTest::newRow("words") << "пи" << nan << 0.0;
    QTest::newRow("beyond double") << "1e400" << big << 0.0;
    QTest::newRow("beyond double, negative") << "-2e308" << big << 0.0;
    // clang-format on
  }

  void field_number() {
    QFETCH(QString, text);
    QFETCH(FieldNumberStatus, status);
    QFETCH(double, value);
    const FieldNumber n = parse_field_number(text.toStdString());
    QCOMPARE(n.status, status);
    QCOMPARE(n.value, value);
    QVERIFY(n.value != 0 || !std::signbit(n.value));
  }

  void fields_data() {
    QTest::addColumn<QStringList>("texts");     // Ax, φx, Ay, φy, Wy
    QTest::addColumn<QStringList>("problems");  // the same order, empty when fine
    const QString none;
    const QString number = "Введите число";
    const QString negative = "Амплитуда не может быть меньше 0";
    const QString frequency = "Частота должна быть больше 0";
    const QString velocity = "Слишком большая амплитуда для такой частоты";
    const QStringList fine = {none, none, none, none, none};
    // clang-format off
    QTest::newRow("all fine") << QStringList{"4", "0", "4", "0,5", "2"} << fine;
    QTest::newRow("zero amplitudes are fine") << QStringList{"0", "1", "0", "-1", "1"} << fine;
    QTest::newRow("negative Ax") << QStringList{"-1", "0", "4", "0", "2"}
                                 << QStringList{negative, none, none, none, none};
    QTest::newRow("negative Ay") << QStringList{"1", "0", "-0.1", "0", "2"}
                                 << QStringList{none, none, negative, none, none};
    QTest::newRow("zero Wy") << QStringList{"1", "0", "1", "0", "0"}
                             << QStringList{none, none, none, none, frequency};
    QTest::newRow("negative Wy") << QStringList{"1", "0", "1", "0", "-2"}
                                 << QStringList{none, none, none, none, frequency};
    QTest::newRow("no number in a phase") << QStringList{"1", "пи/2", "1", "0", "1"}
                                          << QStringList{none, number, none, none, none};
    QTest::newRow("every field wrong at once")
        << QStringList{"-1", "", "x", "1 2", "0"}
        << QStringList{negative, number, number, number, frequency};
    QTest::newRow("too large a number")
        << QStringList{"1e999", "0", "1", "0", "1"}
        << QStringList{"Слишком большое число", none, none, none, none};
    // clang-format on
    // Voy is a float: Ay Wy sin(phi_y) must stay within its range.
    // clang-format off
    QTest::newRow("Voy beyond a float") << QStringList{"1", "0", "1e30", "0.5", "1e10"}
                                        << QStringList{none, none, velocity, none, none};
    QTest::newRow("same, but the sine is 0") << QStringList{"1", "0", "1e30", "1", "1e10"}
                                             << fine;
    QTest::newRow("largest double as Ax") << QStringList{"1.7976931348623157e308", "0.5", "1",
                                                         // clang-format on
                                                         "0", "1"}
                                          << fine;
  }

  void fields() {
    QFETCH(QStringList, texts);
    QFETCH(QStringList, problems);
    const AmplitudeFieldTexts t{texts[0].toStdString(), texts[1].toStdString(),
                                texts[2].toStdString(), texts[3].toStdString(),
                                texts[4].toStdString()};
    const AmplitudeFieldsReading r = read_amplitude_fields(t, 1);
    QCOMPARE(problem_list(r.problems), problems);
    QCOMPARE(r.values.has_value(), !r.problems.any());
  }

  void round_trip_data() {
    QTest::addColumn<double>("ax");
    QTest::addColumn<double>("fix");  // in units of pi, in (-1, 1]
    QTest::addColumn<double>("ay");
    QTest::addColumn<double>("fiy");
    QTest::addColumn<double>("wy");
    // clang-format off
    QTest::newRow("first and second quadrants") << 4.0 << 0.1 << 2.5 << 0.6 << 2.0;
    QTest::newRow("third and fourth quadrants") << 1.234 << -0.8 << 3e-3 << -0.3 << 0.5;
    QTest::newRow("second and third") << 7.5 << 0.9 << 12.0 << -0.7 << 1.05;
    QTest::newRow("fourth and first") << 0.02 << -0.37 << 0.02 << 0.37 << 3.0;
    QTest::newRow("on the axes: 1 and 1/2") << 1e5 << 1.0 << 7.0 << 0.5 << 1.5;
    QTest::newRow("on the axes: -1/2 and 0") << 0.5 << -0.5 << 123.4 << 0.0 << 4.0 / 3;
    QTest::newRow("diagonals") << 4.0 << 0.25 << 4.0 << -0.75 << 1.0;
    QTest::newRow("next to the ends") << 2.0 << 0.999 << 2.0 << -0.999 << 10.0;
    QTest::newRow("next to zero") << 3.0 << 0.001 << 3.0 << -0.001 << 1e6;
    QTest::newRow("zero Ax") << 0.0 << 0.3 << 4.0 << -0.7 << 1.0;
    QTest::newRow("zero Ay") << 4.0 << 0.9 << 0.0 << -0.9 << 2.0;
    QTest::newRow("large amplitudes") << 6.02e23 << -0.6 << 1.6e30 << 0.2 << 7.0;
    QTest::newRow("small amplitudes") << 1.6e-19 << 0.45 << 9.1e-31 << -0.45 << 0.01;
    // clang-format on
  }

  // Typed into the fields, written into the boxes, read back by the boxes'
  // handlers (Voy as a float), printed as the labels print: the amplitudes
  // to their printed digits and the phases to 3 decimals in units of pi
  // (and in radians, as fi_x and fi_y show them).
  void round_trip() {
    QFETCH(double, ax);
    QFETCH(double, fix);
    QFETCH(double, ay);
    QFETCH(double, fiy);
    QFETCH(double, wy);
    const AmplitudeFieldsReading r =
        read_amplitude_fields({typed(ax), typed(fix), typed(ay), typed(fiy), typed(wy)}, 1);
    QVERIFY(r.values.has_value());
    const MotionParameters p = through_boxes(initial_conditions(*r.values));
    const Characteristics c = compute_characteristics(p, 0, false);

    QCOMPARE(printed(c.ax, "0.000E+00"), printed(ax, "0.000E+00"));
    QCOMPARE(printed(c.ay, "0.000E+00"), printed(ay, "0.000E+00"));
    if (ax != 0) {
      QCOMPARE(printed(c.fix / std::numbers::pi, "0.000"), printed(fix, "0.000"));
      QCOMPARE(printed(c.fix, "0.000"), printed(fix * std::numbers::pi, "0.000"));
    }
    if (ay != 0) {
      QCOMPARE(printed(c.fiy / std::numbers::pi, "0.000"), printed(fiy, "0.000"));
      QCOMPARE(printed(c.fiy, "0.000"), printed(fiy * std::numbers::pi, "0.000"));
    }
    if (ax != 0 && ay != 0) QCOMPARE(printed(c.dj, "0.000"), printed(fiy - fix, "0.000"));
    QCOMPARE(printed(c.wywx, "0.000"), printed(wy, "0.000"));
  }

  void untouched_fields_keep_the_boxes_data() {
    QTest::addColumn<QStringList>("boxes");  // Text1 … Text6
    // clang-format off
    QTest::newRow("start values") << QStringList{" 1", " 3", " 3", " 1.8", " 3", " 2"};
    QTest::newRow("an example") << QStringList{" 1", " 4", " 0", " 2", " 0", " 8"};
    QTest::newRow("rest point") << QStringList{" 1", " 0", " 0", " 1", " 0", " 0"};
    QTest::newRow("negative turning points") << QStringList{" 1", "-4", " 0", " 3", "-2", " 0"};
    QTest::newRow("awkward digits") << QStringList{" 1", "-.25", " 1.5", " 1.05", " 7", "-1.25"};
    QTest::newRow("last digit on edge") << QStringList{" 1", "-5", "-1", " 2.5", " 1", " 3"};
    // clang-format on
  }

  // ОК on the dialog as it opened changes nothing; editing one axis leaves
  // the other's boxes exactly as they were; the pre-filled texts of an
  // edited axis still give its characteristics back.
  void untouched_fields_keep_the_boxes() {
    QFETCH(QStringList, boxes);
    double v[6];
    for (int i = 0; i < 6; ++i) v[i] = parse_leading_number(boxes[i].toStdString());
    const MotionParameters before{v[0], v[1], v[2], v[3], v[4], to_single(v[5])};
    const Characteristics c = compute_characteristics(before, 0, false);
    const AmplitudeFieldTexts opened = amplitude_field_texts(c, before);

    const AmplitudeDialogResult same = accept_amplitude_fields(opened, before);
    QVERIFY(same.parameters.has_value());
    QCOMPARE(same.parameters->x0, before.x0);
    QCOMPARE(same.parameters->vx0, before.vx0);
    QCOMPARE(same.parameters->wy, before.wy);
    QCOMPARE(same.parameters->y0, before.y0);
    QCOMPARE(same.parameters->vy0, before.vy0);

    AmplitudeFieldTexts new_wy = opened;
    new_wy.wy = "2.25";
    const AmplitudeDialogResult edited = accept_amplitude_fields(new_wy, before);
    QVERIFY(edited.parameters.has_value());
    QCOMPARE(edited.parameters->x0, before.x0);
    QCOMPARE(edited.parameters->vx0, before.vx0);
    QCOMPARE(edited.parameters->wy, 2.25);
    const Characteristics after =
        compute_characteristics(through_boxes(*edited.parameters), 0, false);
    QCOMPARE(printed(after.ay, "0.000E+00"), printed(c.ay, "0.000E+00"));
    QCOMPARE(printed(after.fiy, "0.000"), printed(c.fiy, "0.000"));
  }

  void vertical_fields_show_what_voy_carries_data() {
    QTest::addColumn<double>("ay");
    QTest::addColumn<double>("fiy");
    QTest::addColumn<double>("wy");
    // clang-format off
    QTest::newRow("Ay 2, a quarter") << 2.0 << 0.25 << 1.5;
    QTest::newRow("Ay 2, a third") << 2.0 << 1.0 / 3 << 1.8;
    QTest::newRow("Ay 0.7, a sixth, below") << 0.7 << -1.0 / 6 << 2.5;
    QTest::newRow("Ay 5, three quarters") << 5.0 << 0.75 << 1.05;
    // clang-format on
  }

  // Voy is a float: Ay and φy computed back from it show its 7 digits, and
  // the numbers typed come back as typed, not with the float's noise.
  void vertical_fields_show_what_voy_carries() {
    QFETCH(double, ay);
    QFETCH(double, fiy);
    QFETCH(double, wy);
    const MotionParameters p = through_boxes(initial_conditions({3, 0, ay, fiy, 1, wy}));
    QVERIFY(p.vy0 != 0);
    const AmplitudeFieldTexts t = amplitude_field_texts(compute_characteristics(p, 0, false), p);
    QCOMPARE(parse_leading_number(t.ay), round_significant(ay, 7));
    // The phase's seventh digit may be the float's own.
    QVERIFY(std::fabs(parse_leading_number(t.fiy) - fiy) <= 5e-7 * std::fabs(fiy));
    QVERIFY2(t.fiy.size() <= 10, t.fiy.c_str());
    QVERIFY2(t.ay.size() <= 9, t.ay.c_str());
    QCOMPARE(t.ax, std::string("3"));
  }

  void refused_fields_give_no_parameters() {
    AmplitudeFieldTexts texts{"4", "0", "-4", "0", "1"};
    const AmplitudeDialogResult r = accept_amplitude_fields(texts, MotionParameters{});
    QVERIFY(!r.parameters.has_value());
    QCOMPARE(QString::fromStdString(r.problems.ay), QString("Амплитуда не может быть меньше 0"));
  }
};

QTEST_GUILESS_MAIN(TestAmplitudesAndPhases)
#include "test_amplitudes_and_phases.moc"
