#include "tools/experiment/experiment_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>
#include <cmath>

#include "tools/experiment/json_members.h"

namespace orvinda {

namespace {

const QString kFormatName = QStringLiteral("orvinda-experiment");
constexpr double kVersion = 1;

struct NumberKey {
  const char* key;
  double Experiment::*field;
};

constexpr NumberKey kNumberKeys[] = {
    {"wx", &Experiment::wx},   {"x0", &Experiment::x0}, {"vx0", &Experiment::vx0},
    {"wy", &Experiment::wy},   {"y0", &Experiment::y0}, {"vy0", &Experiment::vy0},
    {"zam", &Experiment::zam},
};

bool is_known_key(const QString& key) {
  static const QStringList known = {QStringLiteral("format"), QStringLiteral("version"),
                                    QStringLiteral("wx"),     QStringLiteral("x0"),
                                    QStringLiteral("vx0"),    QStringLiteral("wy"),
                                    QStringLiteral("y0"),     QStringLiteral("vy0"),
                                    QStringLiteral("zam"),    QStringLiteral("comment")};
  return known.contains(key);
}

QString json_error_text(JsonError error) {
  switch (error) {
    case JsonError::UnterminatedObject: return QStringLiteral("объект не закрыт");
    case JsonError::MissingNameSeparator: return QStringLiteral("нет двоеточия после имени");
    case JsonError::UnterminatedArray: return QStringLiteral("массив не закрыт");
    case JsonError::MissingValueSeparator: return QStringLiteral("нет запятой между значениями");
    case JsonError::NameExpected: return QStringLiteral("ожидалось имя в кавычках");
    case JsonError::IllegalValue: return QStringLiteral("недопустимое значение");
    case JsonError::IllegalNumber:
      return QStringLiteral("недопустимое число или число вне пределов");
    case JsonError::IllegalEscape:
      return QStringLiteral("недопустимая последовательность после «\\»");
    case JsonError::IllegalUtf8: return QStringLiteral("текст не в кодировке UTF-8");
    case JsonError::ControlCharacter: return QStringLiteral("управляющий символ внутри строки");
    case JsonError::UnterminatedString: return QStringLiteral("строка не закрыта");
    case JsonError::DeepNesting: return QStringLiteral("слишком глубокая вложенность");
    case JsonError::GarbageAtEnd: return QStringLiteral("лишний текст после конца");
    case JsonError::None: break;
  }
  return QStringLiteral("ошибка разбора");
}

ExperimentReading refused(const QString& problem) {
  ExperimentReading r;
  r.problem = problem;
  return r;
}

ExperimentReading not_json(JsonError error, qsizetype offset) {
  return refused(QStringLiteral("Файл не в формате JSON: ") + json_error_text(error) +
                 QStringLiteral(" (позиция ") + QString::number(offset) + QStringLiteral(")"));
}

ExperimentReading too_large() {
  return refused(QStringLiteral("Файл больше 64 КБ — это не файл опыта"));
}

QString quoted(const QString& key) { return QStringLiteral("«") + key + QStringLiteral("»"); }

QString shown_number(double value) {
  return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// Empty when the version is one this program reads.
QString version_problem(const QJsonValue& version) {
  if (version.isUndefined()) {
    return QStringLiteral("Нет номера версии формата ") + quoted(QStringLiteral("version"));
  }
  const double v = version.toDouble();
  if (!version.isDouble() || v != std::floor(v)) {
    return QStringLiteral("Номер версии формата ") + quoted(QStringLiteral("version")) +
           QStringLiteral(" должен быть целым числом");
  }
  if (v > kVersion) {
    return QStringLiteral("Файл записан более новой версией программы (версия формата ") +
           shown_number(v) + QStringLiteral("); эта программа читает версию 1");
  }
  if (v < kVersion) return QStringLiteral("Неизвестная версия формата: ") + shown_number(v);
  return {};
}

// QString::fromStdString drops a U+FEFF that opens the text; a comment
// keeps every character.
QString comment_text(const std::string& utf8) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
  return decoder(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

// A known key's value, checked by scan_json. Numbers go through Qt's
// reader, as they always did, so they come out with the same bits; nullopt
// for one beyond a double. Texts are decoded here: Qt's reader drops a raw
// U+FEFF that opens one. Of the rest only the type matters.
std::optional<QJsonValue> known_value(QByteArrayView text) {
  switch (text.front()) {
    case '"': return QJsonValue(json_string(text));
    case '{': return QJsonValue(QJsonObject());
    case '[': return QJsonValue(QJsonArray());
    case 't': return QJsonValue(true);
    case 'f': return QJsonValue(false);
    case 'n': return QJsonValue(QJsonValue::Null);
    default: break;
  }
  QJsonParseError error;
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray("[") + text.toByteArray() + "]", &error);
  if (error.error != QJsonParseError::NoError) return std::nullopt;
  return document.array().at(0);
}

// Qt writes U+FEFF as it is, but its reader, which earlier versions of
// this program read with, drops one that opens a string. Escaped, it reads
// back there too. Those three bytes can only stand inside strings: a UTF-8
// lead byte always starts a character.
QByteArray json_text(const QJsonDocument& document, QJsonDocument::JsonFormat format) {
  return document.toJson(format).replace("\xEF\xBB\xBF", "\\ufeff");
}

// The extras go in before the object's closing brace, each text as it was.
QByteArray with_extras(const QByteArray& known, const ExperimentExtras& extras, bool indented) {
  const qsizetype close = known.lastIndexOf('}');
  QByteArray bytes = known.left(close);
  if (indented && bytes.endsWith('\n')) bytes.chop(1);
  for (const ExperimentExtra& extra : extras) {
    if (is_known_key(extra.name)) continue;
    bytes += indented ? ",\n    " : ",";
    bytes += extra.name_text;
    bytes += indented ? ": " : ":";
    bytes += extra.value_text;
  }
  if (indented) bytes += '\n';
  return bytes + known.mid(close);
}

}  // namespace

ExperimentReading read_experiment(const QByteArray& bytes) {
  if (bytes.size() > kMaxExperimentBytes) return too_large();
  if (bytes.trimmed().isEmpty()) return refused(QStringLiteral("Файл пуст"));

  const JsonScan scan = scan_json(bytes);
  if (scan.error != JsonError::None) return not_json(scan.error, scan.error_offset);
  if (!scan.is_object) {
    return refused(QStringLiteral("Это не файл опыта: ожидался объект JSON"));
  }
  QJsonObject object;  // the known keys; a later one replaces an earlier one
  ExperimentExtras extras;
  for (const JsonMember& m : scan.members) {
    const QByteArrayView value(bytes.constData() + m.value_begin, m.value_end - m.value_begin);
    if (is_known_key(m.name)) {
      const std::optional<QJsonValue> known = known_value(value);
      if (!known) return not_json(JsonError::IllegalNumber, m.value_begin);
      object.insert(m.name, *known);
    } else {
      extras.push_back(
          {m.name, bytes.mid(m.name_begin, m.name_end - m.name_begin), value.toByteArray()});
    }
  }

  const QJsonValue format = object.value(QStringLiteral("format"));
  if (format.isUndefined()) {
    return refused(QStringLiteral("Это не файл опыта: нет поля ") +
                   quoted(QStringLiteral("format")));
  }
  if (format.toString() != kFormatName) {
    return refused(QStringLiteral("Это не файл опыта: поле ") + quoted(QStringLiteral("format")) +
                   QStringLiteral(" не равно ") + quoted(kFormatName));
  }
  if (const QString problem = version_problem(object.value(QStringLiteral("version")));
      !problem.isEmpty()) {
    return refused(problem);
  }

  Experiment e;
  for (const NumberKey& k : kNumberKeys) {
    const QString key = QString::fromLatin1(k.key);
    const QJsonValue value = object.value(key);
    if (value.isUndefined()) return refused(QStringLiteral("Нет значения ") + quoted(key));
    if (!value.isDouble()) {
      return refused(QStringLiteral("Значение ") + quoted(key) +
                     QStringLiteral(" должно быть числом"));
    }
    e.*k.field = value.toDouble() + 0.0;  // never -0, like the boxes
  }
  const QJsonValue comment = object.value(QStringLiteral("comment"));
  if (!comment.isUndefined() && !comment.isString()) {
    return refused(QStringLiteral("Комментарий ") + quoted(QStringLiteral("comment")) +
                   QStringLiteral(" должен быть текстом"));
  }
  e.comment = comment.toString().toStdString();
  if (const std::optional<std::string> problem = experiment_problem(e)) {
    return refused(QString::fromStdString(*problem));
  }

  ExperimentReading r;
  r.experiment = std::move(e);
  r.extras = std::move(extras);
  return r;
}

QByteArray experiment_bytes(const Experiment& e, const ExperimentExtras& extras) {
  QJsonObject object;
  object.insert(QStringLiteral("format"), kFormatName);
  object.insert(QStringLiteral("version"), kVersion);
  for (const NumberKey& k : kNumberKeys) {
    object.insert(QString::fromLatin1(k.key), e.*k.field + 0.0);
  }
  object.insert(QStringLiteral("comment"), comment_text(e.comment));
  const QJsonDocument document(object);
  QByteArray bytes = with_extras(json_text(document, QJsonDocument::Indented), extras, true);
  if (bytes.size() > kMaxExperimentBytes) {
    bytes = with_extras(json_text(document, QJsonDocument::Compact), extras, false);
  }
  return bytes;
}

ExperimentReading read_experiment_file(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return refused(QStringLiteral("Файл не найден"));
  if (info.isDir()) return refused(QStringLiteral("Это папка, а не файл"));
  // A device or a pipe could block or never end.
  if (!info.isFile()) return refused(QStringLiteral("Это не обычный файл"));

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return refused(QStringLiteral("Нет доступа к файлу: его не удалось открыть"));
  }
  if (file.size() > kMaxExperimentBytes) return too_large();
  QByteArray bytes;
  while (bytes.size() <= kMaxExperimentBytes) {
    const QByteArray chunk = file.read(kMaxExperimentBytes + 1 - bytes.size());
    if (chunk.isEmpty()) break;
    bytes += chunk;
  }
  if (file.error() != QFileDevice::NoError) {
    return refused(QStringLiteral("Не удалось прочитать файл"));
  }
  return read_experiment(bytes);
}

std::optional<QString> save_experiment_file(const QString& path, const Experiment& e,
                                            const ExperimentExtras& extras) {
  if (const std::optional<std::string> problem = experiment_problem(e)) {
    return QString::fromStdString(*problem);
  }
  const QByteArray bytes = experiment_bytes(e, extras);
  if (bytes.size() > kMaxExperimentBytes) {
    return QStringLiteral("Опыт не помещается в 64 КБ: сократите комментарий");
  }

  const QFileInfo info(path);
  if (info.isDir()) return QStringLiteral("Это папка, а не файл");
  if (!info.dir().exists()) return QStringLiteral("Папка не найдена");
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return QStringLiteral("Нет права на запись в этот файл или в его папку");
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    return QStringLiteral(
        "Не удалось записать файл (возможно, нет места на диске); прежний файл, если он был, "
        "не изменён");
  }
  return std::nullopt;
}

}  // namespace orvinda
