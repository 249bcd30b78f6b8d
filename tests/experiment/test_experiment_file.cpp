// Experiment files: every refused file names its first problem, accepted
// files keep their comment and unknown keys, numbers come back bit for bit,
// and saving never leaves a half-written or unreadable file.

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>

#include "tools/experiment/experiment_file.h"
#include "tools/experiment/model/experiment.h"

using namespace orvinda;

namespace {

// A valid file with one line replaced or added: key → raw JSON text, or an
// empty text to leave the key out.
QByteArray file_with(const QList<QPair<QString, QString>>& changes) {
  QList<QPair<QString, QString>> fields = {{"format", "\"orvinda-experiment\""},
                                           {"version", "1"},
                                           {"wx", "1"},
                                           {"x0", "3"},
                                           {"vx0", "3"},
                                           {"wy", "1.8"},
                                           {"y0", "3"},
                                           {"vy0", "2"},
                                           {"zam", "5"}};
  for (const auto& [key, raw] : changes) {
    bool found = false;
    for (auto& field : fields) {
      if (field.first == key) {
        field.second = raw;
        found = true;
      }
    }
    if (!found) fields.append({key, raw});
  }
  QStringList parts;
  for (const auto& [key, raw] : fields) {
    if (!raw.isEmpty()) parts << "\"" + key + "\": " + raw;
  }
  return ("{" + parts.join(", ") + "}").toUtf8();
}

using Members = QList<QPair<QString, QString>>;

Members texts(const ExperimentExtras& extras) {
  Members list;
  for (const ExperimentExtra& extra : extras) {
    list.append({QString::fromUtf8(extra.name_text), QString::fromUtf8(extra.value_text)});
  }
  return list;
}

QStringList names(const ExperimentExtras& extras) {
  QStringList list;
  for (const ExperimentExtra& extra : extras) list << extra.name;
  return list;
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

Experiment sample() {
  Experiment e;
  e.x0 = 0.1;
  e.vx0 = -1.0 / 3;
  e.wy = 1.05;
  e.y0 = 1e-300;
  e.vy0 = static_cast<double>(0.1f);
  e.zam = 7;
  e.comment = "Фигура для 7-го урока, «1 : 2»\n\t\"кавычки\" и \\";
  return e;
}

void compare_bits(const Experiment& a, const Experiment& b) {
  QVERIFY2(same_bits(a.wx, b.wx), "wx");
  QVERIFY2(same_bits(a.x0, b.x0), "x0");
  QVERIFY2(same_bits(a.vx0, b.vx0), "vx0");
  QVERIFY2(same_bits(a.wy, b.wy), "wy");
  QVERIFY2(same_bits(a.y0, b.y0), "y0");
  QVERIFY2(same_bits(a.vy0, b.vy0), "vy0");
  QVERIFY2(same_bits(a.zam, b.zam), "zam");
  QCOMPARE(QString::fromStdString(a.comment), QString::fromStdString(b.comment));
}

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  QCOMPARE(f.write(bytes), bytes.size());
}

}  // namespace

class TestExperimentFile : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void refused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");  // the message begins with it
    const QString big_file = QString("Файл больше 64 КБ — это не файл опыта");
    // clang-format off
    QTest::newRow("empty") << QByteArray() << "Файл пуст";
    QTest::newRow("blanks only") << QByteArray(" \n\t ") << "Файл пуст";
    QTest::newRow("not JSON") << QByteArray("Xo = 3") << "Файл не в формате JSON: ";
    QTest::newRow("cut short") << file_with({}).chopped(5) << "Файл не в формате JSON: ";
    QTest::newRow("text after the object") << file_with({}) + " {}"
                                           << "Файл не в формате JSON: лишний текст после конца";
    QTest::newRow("a number beyond double")
        << file_with({{"x0", "1e999"}})
        << "Файл не в формате JSON: недопустимое число или число вне пределов";
    QTest::newRow("NaN") << file_with({{"x0", "NaN"}}) << "Файл не в формате JSON: ";
    QTest::newRow("an array") << QByteArray("[1, 2]")
                              << "Это не файл опыта: ожидался объект JSON";
    QTest::newRow("format missing") << file_with({{"format", ""}})
                                    << "Это не файл опыта: нет поля «format»";
    QTest::newRow("another format")
        << file_with({{"format", "\"spreadsheet\""}})
        << "Это не файл опыта: поле «format» не равно «orvinda-experiment»";
    QTest::newRow("format not a text")
        << file_with({{"format", "1"}})
        << "Это не файл опыта: поле «format» не равно «orvinda-experiment»";
    QTest::newRow("a newer version")
        << file_with({{"version", "2"}})
        << "Файл записан более новой версией программы (версия формата 2); "
           // clang-format on
           "эта программа читает версию 1";
    // clang-format off
    QTest::newRow("version missing") << file_with({{"version", ""}})
                                     << "Нет номера версии формата «version»";
    QTest::newRow("version not whole")
        << file_with({{"version", "1.5"}})
        << "Номер версии формата «version» должен быть целым числом";
    QTest::newRow("version as text")
        << file_with({{"version", "\"1\""}})
        << "Номер версии формата «version» должен быть целым числом";
    QTest::newRow("version 0") << file_with({{"version", "0"}})
                               << "Неизвестная версия формата: 0";
    QTest::newRow("x0 missing") << file_with({{"x0", ""}}) << "Нет значения «x0»";
    QTest::newRow("zam missing") << file_with({{"zam", ""}}) << "Нет значения «zam»";
    QTest::newRow("vy0 as text") << file_with({{"vy0", "\"2\""}})
                                 << "Значение «vy0» должно быть числом";
    QTest::newRow("wy null") << file_with({{"wy", "null"}}) << "Значение «wy» должно быть числом";
    QTest::newRow("vx0 an array") << file_with({{"vx0", "[3]"}})
                                  << "Значение «vx0» должно быть числом";
    QTest::newRow("wx deeply nested")
        << file_with({{"wx", QString(1000, '[') + QString(1000, ']')}})
        << "Значение «wx» должно быть числом";
    QTest::newRow("wx 2") << file_with({{"wx", "2"}})
                          << "Частота Wx всегда равна 1 рад/с, а в файле она равна 2";
    QTest::newRow("wx next to 1")
        << file_with({{"wx", "1.0000000000000002"}})
        << "Частота Wx всегда равна 1 рад/с, а в файле она равна 1.0000000000000002";
    QTest::newRow("wy 0") << file_with({{"wy", "0"}})
                          << "Частота Wy должна быть больше 0, а в файле она равна 0";
    QTest::newRow("wy negative") << file_with({{"wy", "-1.5"}})
                                 << "Частота Wy должна быть больше 0, а в файле она равна -1.5";
    QTest::newRow("vy0 beyond a float")
        << file_with({{"vy0", "3.5e38"}})
        << "Скорость Voy по модулю не может быть больше 3.4028235e+38 м/с, а в файле она равна "
           // clang-format on
           "3.5e+38";
    // clang-format off
    QTest::newRow("vy0 beyond a float, negative")
        << file_with({{"vy0", "-1e39"}}) << "Скорость Voy по модулю не может быть больше";
    // clang-format on
    const QString zam =
        "Замедление времени должно быть целым числом от 1 до 9, а в файле оно равно ";
    // clang-format off
    QTest::newRow("zam 0") << file_with({{"zam", "0"}}) << zam + "0";
    QTest::newRow("zam 10") << file_with({{"zam", "10"}}) << zam + "10";
    QTest::newRow("zam not whole") << file_with({{"zam", "4.5"}}) << zam + "4.5";
    QTest::newRow("zam negative") << file_with({{"zam", "-3"}}) << zam + "-3";
    QTest::newRow("comment not a text") << file_with({{"comment", "42"}})
                                        << "Комментарий «comment» должен быть текстом";
    QTest::newRow("the first problem wins")
        << file_with({{"wx", "2"}, {"wy", "0"}, {"zam", "0"}})
        << "Частота Wx всегда равна 1 рад/с";
    QTest::newRow("presence before values")
        << file_with({{"wx", "2"}, {"zam", ""}}) << "Нет значения «zam»";
    // Strict JSON: Qt's reader took the first four and changed them on the way.
    QTest::newRow("a number opening with a point")
        << file_with({{"x0", ".5"}})
        << "Файл не в формате JSON: недопустимое значение";
    QTest::newRow("a number ending with a point")
        << file_with({{"x0", "1."}})
        << "Файл не в формате JSON: недопустимое число или число вне пределов";
    QTest::newRow("an unknown escape")
        << file_with({{"comment", "\"a\\xb\""}})
        << "Файл не в формате JSON: недопустимая последовательность после «\\»";
    QTest::newRow("a raw tab in a text")
        << file_with({{"comment", "\"a\tb\""}})
        << "Файл не в формате JSON: управляющий символ внутри строки";
    QTest::newRow("an overlong character in an unknown key")
        << file_with({{"t", "[\"XX\"]"}}).replace("XX", "\xC0\xAF")
        << "Файл не в формате JSON: текст не в кодировке UTF-8";
    QTest::newRow("a comma before the end")
        << file_with({{"t", "[1, ]"}}) << "Файл не в формате JSON: недопустимое значение";
    QTest::newRow("a leading zero")
        << file_with({{"t", "01"}}) << "Файл не в формате JSON: нет запятой между значениями";
    QTest::newRow("a name without quotes")
        << file_with({{"t", "{a: 1}"}}) << "Файл не в формате JSON: ожидалось имя в кавычках";
    QTest::newRow("nesting beyond the limit")
        << file_with({{"t", QString(1025, '[') + QString(1025, ']')}})
        << "Файл не в формате JSON: слишком глубокая вложенность";
    // clang-format on
    QByteArray padded = file_with({});
    padded.append(QByteArray(kMaxExperimentBytes + 1 - padded.size(), ' '));
    QTest::newRow("more than 64 KiB of a valid file") << padded << big_file;
  }

  void refused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    const ExperimentReading r = read_experiment(bytes);
    QVERIFY(!r.experiment.has_value());
    QVERIFY2(r.problem.startsWith(problem), qPrintable(r.problem));
  }

  void accepted_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("x0");
    QTest::addColumn<double>("vy0");
    QTest::addColumn<QString>("comment");
    // clang-format off
    QTest::newRow("plain") << file_with({}) << 3.0 << 2.0 << "";
    QTest::newRow("with a comment") << file_with({{"comment", "\"Урок 5\""}}) << 3.0 << 2.0
                                    << "Урок 5";
    QTest::newRow("byte order mark") << "\xEF\xBB\xBF" + file_with({}) << 3.0 << 2.0 << "";
    QTest::newRow("whole numbers written as fractions")
        << file_with({{"version", "1.0"}, {"zam", "5.0"}, {"wx", "1e0"}}) << 3.0 << 2.0 << "";
    QTest::newRow("minus zero reads as zero") << file_with({{"x0", "-0.0"}}) << 0.0 << 2.0 << "";
    QTest::newRow("largest float as vy0")
        << file_with({{"vy0", "-3.4028234663852886e38"}}) << 3.0
        << -static_cast<double>(std::numeric_limits<float>::max()) << "";
    QTest::newRow("vy0 that a float only approaches") << file_with({{"vy0", "0.1"}}) << 3.0
                                                      << 0.1 << "";
    QTest::newRow("a comment opening with a raw mark")
        << file_with({{"comment", "\"MARKУрок\""}}).replace("MARK", "\xEF\xBB\xBF") << 3.0 << 2.0
        << QString(QChar(0xFEFF)) + "Урок";
    QTest::newRow("escaped names of known keys") << file_with({{"x0", ""}, {"\\u0078\\u0030", "7"}})
                                                 << 7.0 << 2.0 << "";
    QTest::newRow("the last of a repeated key") << file_with({}).chopped(1) + ", \"x0\": 4}" << 4.0
                                                << 2.0 << "";
    // clang-format on
    QByteArray padded = file_with({});
    padded.append(QByteArray(kMaxExperimentBytes - padded.size(), '\n'));
    QTest::newRow("exactly 64 KiB") << padded << 3.0 << 2.0 << "";
  }

  void accepted() {
    QFETCH(QByteArray, bytes);
    QFETCH(double, x0);
    QFETCH(double, vy0);
    QFETCH(QString, comment);
    const ExperimentReading r = read_experiment(bytes);
    QVERIFY2(r.problem.isEmpty(), qPrintable(r.problem));
    QVERIFY(r.experiment.has_value());
    QVERIFY(same_bits(r.experiment->x0, x0));
    QVERIFY(same_bits(r.experiment->vy0, vy0));
    // As bytes: QString::fromStdString would drop a leading U+FEFF.
    QCOMPARE(QByteArray::fromStdString(r.experiment->comment), comment.toUtf8());
    QVERIFY(r.extras.empty());
  }

  void unknown_keys_are_kept() {
    const QByteArray bytes = file_with({{"teacher", "\"Иванова\""},
                                        {"nested", "{\"a\": [1, 2.5, null, true], \"b\": {}}"},
                                        {"comment", "\"для 9 класса\""}});
    const ExperimentReading first = read_experiment(bytes);
    QVERIFY2(first.experiment.has_value(), qPrintable(first.problem));
    QCOMPARE(names(first.extras), QStringList({"teacher", "nested"}));

    const ExperimentReading again =
        read_experiment(experiment_bytes(*first.experiment, first.extras));
    QVERIFY(again.experiment.has_value());
    QCOMPARE(again.extras, first.extras);
    compare_bits(*again.experiment, *first.experiment);
  }

  // Unknown members as they stand in a file: name text, value text.
  void unknown_keys_round_trip_exactly_data() {
    QTest::addColumn<Members>("members");
    const QString mark = QString(QChar(0xFEFF));
    QTest::newRow("mark opening a nested key")
        << Members{{"\"t\"", "{\"" + mark + "a\":1,\"b\":2}"}};
    QTest::newRow("mark opening a nested key, arrays")
        << Members{{"\"t\"", "{\"" + mark + "a\":[1,2.5,null,true,false,\"x\"],\"b\":{}}"}};
    QTest::newRow("mark alone") << Members{{"\"" + mark + "\"", "\"" + mark + "\""}};
    QTest::newRow("marks named like a known key")
        << Members{{"\"" + mark + "zam\"", "9"}, {"\"wx" + mark + "\"", "2"}};
    QTest::newRow("big integers") << Members{
        {"\"a\"", "9007199254740993"},
        {"\"b\"", "[-123456789012345678901234567890, 18446744073709551617]"}};
    QTest::newRow("numbers as written")
        << Members{{"\"a\"", "[-0, -0.0, 1E+2, 1e-0, 0.10000000000000000000000001, 2.50]"}};
    QTest::newRow("numbers beyond a double") << Members{{"\"a\"", "[1e999, -1E-999]"}};
    QTest::newRow("escapes as written")
        << Members{{"\"\\u0074\"", "\"\\ud800 \\/ \\ufeff \\u00e9 \\\" \\n\""}};
    QTest::newRow("spaces inside a value")
        << Members{{"\"a\"", "{\n  \"x\" : [ 1 ,\r\n\t2 ] ,\"y\":{ }\n}"}};
    QTest::newRow("a repeated unknown key, in order")
        << Members{{"\"b\"", "1"}, {"\"a\"", "2"}, {"\"b\"", "3"}};
    QTest::newRow("other scripts")
        << Members{{"\"урок\"", "\"𝑥² — 测试 \u200d\""}, {"\"\u00e9\"", "\"e\u0301\""}};

    // The mark at the start, in the middle and at the end of a key, a value
    // or an array's text, at every depth from the top-level member down.
    const struct {
      const char* name;
      QString text;
    } places[] = {{"start", mark + "ab"}, {"middle", "a" + mark + "b"}, {"end", "ab" + mark}};
    for (int depth = 1; depth <= 4; ++depth) {
      for (const auto& place : places) {
        const QString marked = "\"" + place.text + "\"";
        const QString key_sibling = "{" + marked + ":1,\"b\":2}";
        const QString value_sibling = "{\"a\":" + marked + ",\"b\":2}";
        const QString in_array = "[" + marked + ",\"b\"," + marked + "]";
        const auto nest = [depth](QString inner) {
          for (int d = 2; d < depth; ++d) inner = "{\"n\":" + inner + "}";
          return inner;
        };
        const QByteArray suffix = ", depth " + QByteArray::number(depth) + ", " + place.name;
        const auto row = [&suffix](const char* what) -> QTestData& {
          return QTest::newRow((what + suffix).constData());
        };
        if (depth == 1) {
          row("key") << Members{{marked, "1"}, {"\"b\"", "2"}};
          row("value") << Members{{"\"a\"", marked}, {"\"b\"", "2"}};
          row("array") << Members{{"\"a\"", in_array}};
        } else {
          row("key") << Members{{"\"t\"", nest(key_sibling)}};
          row("value") << Members{{"\"t\"", nest(value_sibling)}};
          row("array") << Members{{"\"t\"", nest("[1," + in_array + "]")}};
        }
      }
    }
  }

  // Opened and saved through the files, twice: each unknown name and value
  // is the file's own text, in the saved file too, and the values known to
  // this version are not taken from unknown keys.
  void unknown_keys_round_trip_exactly() {
    QFETCH(Members, members);
    QByteArray bytes = file_with({});
    bytes.chop(1);
    for (const auto& [name, value] : members)
      bytes += ",\n  " + name.toUtf8() + ": " + value.toUtf8();
    bytes += "}";
    QTemporaryDir dir;
    write(dir.filePath("new.orv"), bytes);

    const ExperimentReading first = read_experiment_file(dir.filePath("new.orv"));
    QVERIFY2(first.experiment.has_value(), qPrintable(first.problem));
    QCOMPARE(first.experiment->zam, 5.0);
    QCOMPARE(first.experiment->wx, 1.0);
    QCOMPARE(texts(first.extras), members);
    QCOMPARE(save_experiment_file(dir.filePath("saved.orv"), *first.experiment, first.extras),
             std::nullopt);
    const QByteArray saved = contents(dir.filePath("saved.orv"));
    qsizetype from = 0;
    for (const auto& [name, value] : members) {
      from = saved.indexOf(name.toUtf8() + ": " + value.toUtf8(), from);
      QVERIFY2(from >= 0,
               qPrintable(name + ": " + value + " is not in\n" + QString::fromUtf8(saved)));
    }

    const ExperimentReading again = read_experiment_file(dir.filePath("saved.orv"));
    QVERIFY2(again.experiment.has_value(), qPrintable(again.problem));
    compare_bits(*again.experiment, *first.experiment);
    QCOMPARE(texts(again.extras), members);
    QCOMPARE(save_experiment_file(dir.filePath("again.orv"), *again.experiment, again.extras),
             std::nullopt);
    QCOMPARE(contents(dir.filePath("again.orv")), saved);
  }

  // Indenting 500 nested arrays would pass 64 KiB; the compact form keeps
  // such a file within what can be opened again.
  void deep_extras_are_written_compactly() {
    const QByteArray deep = QByteArray(500, '[') + QByteArray(500, ']');
    const ExperimentReading first =
        read_experiment(file_with({{"deep", QString::fromLatin1(deep)}}));
    QVERIFY2(first.experiment.has_value(), qPrintable(first.problem));
    const QByteArray written = experiment_bytes(*first.experiment, first.extras);
    QVERIFY(written.size() <= kMaxExperimentBytes);
    const ExperimentReading again = read_experiment(written);
    QVERIFY2(again.experiment.has_value(), qPrintable(again.problem));
    QCOMPARE(again.extras, first.extras);
  }

  // A zero-width no-break space opening a text: Qt's reader would drop it
  // from a text it wrote raw.
  void leading_byte_order_mark_in_texts_is_kept() {
    Experiment e = sample();
    e.comment = "\xEF\xBB\xBFкомментарий";
    const ExperimentExtras extras = {
        {QString(QChar(0xFEFF)) + "key", "\"\xEF\xBB\xBFkey\"", "\"\xEF\xBB\xBFvalue\""}};
    const ExperimentReading r = read_experiment(experiment_bytes(e, extras));
    QVERIFY2(r.experiment.has_value(), qPrintable(r.problem));
    QCOMPARE(QByteArray::fromStdString(r.experiment->comment),
             QByteArray::fromStdString(e.comment));
    QCOMPARE(r.extras, extras);
  }

  void known_keys_win_over_extras() {
    const ExperimentExtras extras = {{"wx", "\"wx\"", "7"}, {"format", "\"format\"", "\"other\""}};
    const ExperimentReading r = read_experiment(experiment_bytes(sample(), extras));
    QVERIFY2(r.experiment.has_value(), qPrintable(r.problem));
    QCOMPARE(r.experiment->wx, 1.0);
  }

  void numbers_read_back_bit_for_bit_data() {
    QTest::addColumn<double>("value");
    // clang-format off
    QTest::newRow("0.1") << 0.1;
    QTest::newRow("1/3") << 1.0 / 3;
    QTest::newRow("-2/3") << -2.0 / 3;
    QTest::newRow("1e-300") << 1e-300;
    QTest::newRow("largest double") << std::numeric_limits<double>::max();
    QTest::newRow("most negative double") << -std::numeric_limits<double>::max();
    QTest::newRow("smallest normal") << std::numeric_limits<double>::min();
    QTest::newRow("smallest subnormal") << std::numeric_limits<double>::denorm_min();
    QTest::newRow("2^53 + 2") << 9007199254740994.0;
    QTest::newRow("1e23, not exactly") << 1e23;
    QTest::newRow("a box value") << 2.82842712474619;
    QTest::newRow("float 0.1") << static_cast<double>(0.1f);
    QTest::newRow("float 2.828427") << static_cast<double>(2.828427f);
    QTest::newRow("largest float") << static_cast<double>(std::numeric_limits<float>::max());
    QTest::newRow("smallest float subnormal")
        << -static_cast<double>(std::numeric_limits<float>::denorm_min());
    // clang-format on
  }

  // In every place a value can stand; vy0 only within a float's range.
  void numbers_read_back_bit_for_bit() {
    QFETCH(double, value);
    Experiment e = sample();
    e.x0 = value;
    e.vx0 = -value;
    e.y0 = value / 3;
    if (std::fabs(value) <= std::numeric_limits<float>::max()) e.vy0 = value;
    if (value > 0) e.wy = value;
    const ExperimentReading r = read_experiment(experiment_bytes(e, {}));
    QVERIFY2(r.experiment.has_value(), qPrintable(r.problem));
    compare_bits(*r.experiment, e);
  }

  // Not a promise of the JSON standard but of Qt's writer and reader: hold
  // them to it on many values of every size.
  void random_doubles_read_back_bit_for_bit() {
    QRandomGenerator random(11);
    Experiment e = sample();
    for (int i = 0; i < 20000; ++i) {
      const quint64 bits = random.generate64();
      std::memcpy(&e.x0, &bits, sizeof e.x0);
      if (!std::isfinite(e.x0) || e.x0 == 0) continue;
      e.vy0 = static_cast<double>(static_cast<float>(random.bounded(2.0) - 1) *
                                  std::ldexp(1.0f, random.bounded(-140, 120)));
      const ExperimentReading r = read_experiment(experiment_bytes(e, {}));
      QVERIFY2(r.experiment.has_value(), qPrintable(r.problem));
      QVERIFY2(same_bits(r.experiment->x0, e.x0), qPrintable(QString::number(e.x0, 'g', 17)));
      QVERIFY2(same_bits(r.experiment->vy0, e.vy0), qPrintable(QString::number(e.vy0, 'g', 17)));
    }
  }

  void minus_zero_is_written_as_zero() {
    Experiment e = sample();
    e.x0 = -0.0;
    const ExperimentReading r = read_experiment(experiment_bytes(e, {}));
    QVERIFY(r.experiment.has_value());
    QVERIFY(!std::signbit(r.experiment->x0));
  }

  // The window's own state: vy0 a float, zam a 16-bit integer.
  void window_state_round_trip() {
    const MotionParameters p{1, -.25, 1.5, 4.0 / 3, 1e-5, 2.828427f};
    const Experiment e = make_experiment(p, 9, "урок");
    const ExperimentReading r = read_experiment(experiment_bytes(e, {}));
    QVERIFY(r.experiment.has_value());
    const MotionParameters back = experiment_parameters(*r.experiment);
    QCOMPARE(back.x0, p.x0);
    QCOMPARE(back.vx0, p.vx0);
    QCOMPARE(back.wy, p.wy);
    QCOMPARE(back.y0, p.y0);
    QCOMPARE(back.vy0, p.vy0);
    QCOMPARE(experiment_zam(*r.experiment), std::int16_t(9));
  }

  void save_and_open() {
    QTemporaryDir dir;
    const QString path = dir.filePath("опыт.orv");
    const ExperimentExtras extras = {{"teacher", "\"teacher\"", "\"Иванова\""}};
    QCOMPARE(save_experiment_file(path, sample(), extras), std::nullopt);
    const ExperimentReading r = read_experiment_file(path);
    QVERIFY2(r.experiment.has_value(), qPrintable(r.problem));
    compare_bits(*r.experiment, sample());
    QCOMPARE(r.extras, extras);
    // Saved again over itself: the comment and the extras stay.
    QCOMPARE(save_experiment_file(path, *r.experiment, r.extras), std::nullopt);
    QCOMPARE(read_experiment_file(path).extras, extras);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() == 1);
  }

  void open_refused_data() {
    QTest::addColumn<QString>("name");  // inside a temporary folder
    QTest::addColumn<QString>("problem");
    // clang-format off
    QTest::newRow("missing") << "нет.orv" << "Файл не найден";
    QTest::newRow("a folder") << "folder.orv" << "Это папка, а не файл";
    QTest::newRow("larger than 64 KiB") << "big.orv" << "Файл больше 64 КБ — это не файл опыта";
    QTest::newRow("broken") << "broken.orv" << "Файл не в формате JSON: строка не закрыта (позиция";
    // clang-format on
  }

  void open_refused() {
    QFETCH(QString, name);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder.orv"));
    write(dir.filePath("big.orv"), file_with({}) + QByteArray(kMaxExperimentBytes, ' '));
    write(dir.filePath("broken.orv"), "{\"format\": \"orvinda-exp");
    const ExperimentReading r = read_experiment_file(dir.filePath(name));
    QVERIFY(!r.experiment.has_value());
    QVERIFY2(r.problem.startsWith(problem), qPrintable(r.problem));
  }

  void device_is_not_read() {
    const ExperimentReading r = read_experiment_file("/dev/zero");
    QCOMPARE(r.problem, QString("Это не обычный файл"));
  }

  void save_refused_data() {
    QTest::addColumn<QString>("name");  // inside a temporary folder
    QTest::addColumn<bool>("valid");    // false: an experiment that would not open again
    QTest::addColumn<QString>("problem");
    // clang-format off
    QTest::newRow("folder missing") << "нет/опыт.orv" << true << "Папка не найдена";
    QTest::newRow("a folder in the way") << "folder.orv" << true << "Это папка, а не файл";
    QTest::newRow("a file as folder") << "old.orv/опыт.orv" << true << "Папка не найдена";
    QTest::newRow("wy 0 over an old file")
        << "old.orv" << false << "Частота Wy должна быть больше 0, а в файле она равна 0";
    // clang-format on
  }

  // Nothing is written, and an old file stays as it was.
  void save_refused() {
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder.orv"));
    const QByteArray old = experiment_bytes(sample(), {});
    write(dir.filePath("old.orv"), old);
    Experiment e = sample();
    if (!valid) e.wy = 0;
    const std::optional<QString> reason = save_experiment_file(dir.filePath(name), e, {});
    QVERIFY(reason.has_value());
    QCOMPARE(*reason, problem);
    QCOMPARE(contents(dir.filePath("old.orv")), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.orv"});
  }

  void too_long_a_comment_is_not_saved() {
    QTemporaryDir dir;
    Experiment e = sample();
    e.comment = std::string(kMaxExperimentBytes, 'a');
    const std::optional<QString> reason = save_experiment_file(dir.filePath("a.orv"), e, {});
    QCOMPARE(reason.value_or(QString()),
             QString("Опыт не помещается в 64 КБ: сократите комментарий"));
    QVERIFY(!QFile::exists(dir.filePath("a.orv")));
  }
};

QTEST_GUILESS_MAIN(TestExperimentFile)
#include "test_experiment_file.moc"
