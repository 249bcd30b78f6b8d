#include "tools/lab/lab_file.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "tools/lab/model/lab_variant.h"

namespace orvinda {

namespace {

constexpr qsizetype kMostText = 200;
constexpr int kMostSnapshotSide = 1000;
const QString kFormat = QStringLiteral("orvinda-lab");

QString png_text(const QImage& image) {
  if (image.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return QString::fromLatin1(bytes.toBase64());
}

// Throws nothing: each reader fills `error` once and the caller stops.
class Reader {
 public:
  QString error;

  bool fail(const QString& reason) {
    if (error.isEmpty()) error = reason;
    return false;
  }
  std::optional<double> number(const QJsonObject& o, const QString& key, double low, double high) {
    const QJsonValue v = o.value(key);
    if (!v.isDouble() || !std::isfinite(v.toDouble()) || v.toDouble() < low ||
        v.toDouble() > high) {
      fail(QStringLiteral("поле «%1» отсутствует или вне допустимых значений").arg(key));
      return std::nullopt;
    }
    return v.toDouble();
  }
  std::optional<int> whole(const QJsonObject& o, const QString& key, int low, int high) {
    const std::optional<double> v = number(o, key, low, high);
    if (!v) return std::nullopt;
    if (*v != std::floor(*v)) {
      fail(QStringLiteral("поле «%1» должно быть целым").arg(key));
      return std::nullopt;
    }
    return static_cast<int>(*v);
  }
  std::optional<QString> text(const QJsonObject& o, const QString& key) {
    const QJsonValue v = o.value(key);
    if (!v.isString() || v.toString().size() > kMostText) {
      fail(QStringLiteral("поле «%1» должно быть строкой не длиннее %2 знаков")
               .arg(key)
               .arg(kMostText));
      return std::nullopt;
    }
    return v.toString();
  }
  std::optional<bool> flag(const QJsonObject& o, const QString& key) {
    const QJsonValue v = o.value(key);
    if (!v.isBool()) {
      fail(QStringLiteral("поле «%1» должно быть true или false").arg(key));
      return std::nullopt;
    }
    return v.toBool();
  }
  std::optional<QImage> snapshot(const QJsonObject& o) {
    if (!o.contains(QStringLiteral("snapshot"))) return QImage();
    const QJsonValue v = o.value(QStringLiteral("snapshot"));
    if (!v.isString()) {
      fail(QStringLiteral("снимок экрана повреждён"));
      return std::nullopt;
    }
    const auto decoded = QByteArray::fromBase64Encoding(v.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    QImage image;
    if (!decoded || !image.loadFromData(*decoded, "PNG") || image.width() > kMostSnapshotSide ||
        image.height() > kMostSnapshotSide) {
      fail(QStringLiteral("снимок экрана повреждён"));
      return std::nullopt;
    }
    return image;
  }
  std::optional<QJsonArray> array(const QJsonObject& o, const QString& key) {
    const QJsonValue v = o.value(key);
    if (!v.isArray() || v.toArray().size() > kMostLabRows) {
      fail(
          QStringLiteral("поле «%1» должно быть списком не длиннее %2").arg(key).arg(kMostLabRows));
      return std::nullopt;
    }
    return v.toArray();
  }
};

}  // namespace

QByteArray lab_file_bytes(const LabFile& file) {
  const LabState& s = file.state;
  QJsonObject root;
  root[QStringLiteral("format")] = kFormat;
  root[QStringLiteral("version")] = 1;
  root[QStringLiteral("code")] = s.code;
  root[QStringLiteral("name")] = QString::fromStdString(s.name);
  root[QStringLiteral("group")] = QString::fromStdString(s.group);
  root[QStringLiteral("tilt")] =
      s.tilt == Tilt::kFirstThird ? QStringLiteral("I-III") : QStringLiteral("II-IV");
  QJsonArray frequency;
  for (std::size_t i = 0; i < s.frequency_rows.size(); ++i) {
    const FrequencyRow& r = s.frequency_rows[i];
    QJsonObject row{{QStringLiteral("ng"), r.ng},
                    {QStringLiteral("nv"), r.nv},
                    {QStringLiteral("dial"), r.dial_hz}};
    if (i < file.frequency_snapshots.size() && !file.frequency_snapshots[i].isNull()) {
      row[QStringLiteral("snapshot")] = png_text(file.frequency_snapshots[i]);
    }
    frequency.append(row);
  }
  root[QStringLiteral("frequency")] = frequency;
  QJsonArray chords;
  for (std::size_t i = 0; i < s.chord_rows.size(); ++i) {
    QJsonObject row{{QStringLiteral("b"), s.chord_rows[i].b},
                    {QStringLiteral("a"), s.chord_rows[i].a}};
    if (i < file.chord_snapshots.size() && !file.chord_snapshots[i].isNull()) {
      row[QStringLiteral("snapshot")] = png_text(file.chord_snapshots[i]);
    }
    chords.append(row);
  }
  root[QStringLiteral("chords")] = chords;
  QJsonArray checks;
  for (const CheckRecord& c : s.checks) {
    checks.append(QJsonObject{{QStringLiteral("time"), QString::fromStdString(c.time)},
                              {QStringLiteral("frequency_graded"), c.frequency_graded},
                              {QStringLiteral("frequency_passed"), c.frequency_passed},
                              {QStringLiteral("phase_graded"), c.phase_graded},
                              {QStringLiteral("phase_passed"), c.phase_passed}});
  }
  root[QStringLiteral("checks")] = checks;
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

LabFileRead read_lab_file(const QByteArray& bytes) {
  LabFileRead result;
  auto refuse = [&result](const QString& reason) {
    result.error = QStringLiteral("Файл не открыт: %1.").arg(reason);
    return result;
  };
  if (bytes.size() > kLabFileMostBytes) return refuse(QStringLiteral("он слишком велик"));
  QJsonParseError parse{};
  const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
  if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
    return refuse(QStringLiteral("это не лабораторная работа программы"));
  }
  const QJsonObject root = doc.object();
  if (root.value(QStringLiteral("format")).toString() != kFormat) {
    return refuse(QStringLiteral("это не лабораторная работа программы"));
  }
  if (root.value(QStringLiteral("version")) != QJsonValue(1)) {
    return refuse(QStringLiteral("он записан более новой версией программы"));
  }
  Reader r;
  LabFile file;
  LabState& s = file.state;
  const auto code = r.whole(root, QStringLiteral("code"), 1, 99999);
  const auto name = r.text(root, QStringLiteral("name"));
  const auto group = r.text(root, QStringLiteral("group"));
  const auto tilt = r.text(root, QStringLiteral("tilt"));
  const auto frequency = r.array(root, QStringLiteral("frequency"));
  const auto chords = r.array(root, QStringLiteral("chords"));
  const auto checks = r.array(root, QStringLiteral("checks"));
  if (!r.error.isEmpty()) return refuse(r.error);
  if (*tilt != QStringLiteral("I-III") && *tilt != QStringLiteral("II-IV")) {
    return refuse(QStringLiteral("поле «tilt» должно быть \"I-III\" или \"II-IV\""));
  }
  s.code = *code;
  s.name = name->toStdString();
  s.group = group->toStdString();
  s.tilt = *tilt == QStringLiteral("I-III") ? Tilt::kFirstThird : Tilt::kSecondFourth;
  for (const QJsonValue& v : *frequency) {
    const QJsonObject o = v.toObject();
    const auto ng = r.whole(o, QStringLiteral("ng"), 1, 99);
    const auto nv = r.whole(o, QStringLiteral("nv"), 1, 99);
    const auto dial = r.number(o, QStringLiteral("dial"), kMinDialHz, kMaxDialHz);
    const auto snapshot = r.snapshot(o);
    if (!v.isObject()) r.fail(QStringLiteral("строка таблицы частот повреждена"));
    if (!r.error.isEmpty()) return refuse(r.error);
    s.frequency_rows.push_back({*ng, *nv, *dial});
    file.frequency_snapshots.push_back(*snapshot);
  }
  for (const QJsonValue& v : *chords) {
    const QJsonObject o = v.toObject();
    const auto b = r.number(o, QStringLiteral("b"), 0, 100);
    const auto a = r.number(o, QStringLiteral("a"), 0, 100);
    const auto snapshot = r.snapshot(o);
    if (!v.isObject()) r.fail(QStringLiteral("строка таблицы хорд повреждена"));
    if (!r.error.isEmpty()) return refuse(r.error);
    if (!phase_from_chords(*b, *a).accepted()) {
      return refuse(QStringLiteral("в таблице хорд есть строка, которую нельзя принять"));
    }
    s.chord_rows.push_back({*b, *a});
    file.chord_snapshots.push_back(*snapshot);
  }
  for (const QJsonValue& v : *checks) {
    const QJsonObject o = v.toObject();
    CheckRecord c;
    const auto time = r.text(o, QStringLiteral("time"));
    const auto fg = r.flag(o, QStringLiteral("frequency_graded"));
    const auto fp = r.flag(o, QStringLiteral("frequency_passed"));
    const auto pg = r.flag(o, QStringLiteral("phase_graded"));
    const auto pp = r.flag(o, QStringLiteral("phase_passed"));
    if (!r.error.isEmpty()) return refuse(r.error);
    s.checks.push_back({time->toStdString(), *fg, *fp, *pg, *pp});
  }
  result.file = std::move(file);
  return result;
}

}  // namespace orvinda
