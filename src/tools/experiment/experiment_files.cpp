#include "tools/experiment/experiment_files.h"

#include <QDir>
#include <QFileInfo>

#include "platform/platform.h"
#include "platform/save_failure.h"
#include "tools/experiment/experiment_file.h"

namespace orvinda {

namespace {
const QString kError = QStringLiteral("Ошибка");
const QString kFilter = QStringLiteral("Опыты (*.orv)");
const QString kSuffix = QStringLiteral(".orv");
}  // namespace

QString ExperimentFiles::askOpenPath(QWidget* parent) const {
  return platform_.open_file_name(parent, QStringLiteral("Открыть опыт"), {kFilter});
}

std::optional<Experiment> ExperimentFiles::open(QWidget* parent, const QString& path) {
  const ExperimentReading reading = read_experiment_file(path);
  if (!reading.experiment) {
    platform_.message_box(parent,
                          QStringLiteral("Не удалось открыть опыт из файла «%1»:\r\n%2.")
                              .arg(QDir::toNativeSeparators(path), reading.problem),
                          kError, MessageButtons::Ok);
    return std::nullopt;
  }
  path_ = path;
  comment_ = reading.experiment->comment;
  extras_ = reading.extras;
  return reading.experiment;
}

void ExperimentFiles::save(QWidget* parent, const MotionParameters& p, std::int16_t zam) {
  const QString suggested =
      path_.isEmpty() ? QStringLiteral("опыт") + kSuffix : QFileInfo(path_).fileName();
  QString path = platform_.save_file_name(parent, QStringLiteral("Сохранить опыт"), {kFilter},
                                          suggested, nullptr);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) {
    if (path.endsWith(QLatin1Char('.'))) path.chop(1);
    path += kSuffix;
  }
  const Experiment e = make_experiment(p, zam, comment_);
  if (const std::optional<QString> reason = save_experiment_file(path, e, extras_)) {
    platform_.message_box(parent, save_failure_message(QStringLiteral("опыт"), path, *reason),
                          kError, MessageButtons::Ok);
    return;
  }
  path_ = path;
}

}  // namespace orvinda
