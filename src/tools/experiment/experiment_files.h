#pragma once
// The Опыт items "Открыть опыт…" and "Сохранить опыт…": the dialogs, the
// boxes that say why a file was refused, and what a saved file keeps of the
// one opened (its comment and the keys this version does not know).

#include <QString>
#include <optional>
#include <string>
#include <utility>

#include "tools/experiment/experiment_file.h"
#include "tools/experiment/model/experiment.h"

class QWidget;

namespace orvinda {

class Platform;

class ExperimentFiles {
 public:
  explicit ExperimentFiles(Platform& platform) : platform_(platform) {}

  // Asks for a file; an empty path when the user cancelled.
  QString askOpenPath(QWidget* parent) const;

  // Checks the whole file before anything changes; a refused file says why
  // in a box and gives nothing. What is returned is remembered for saving.
  std::optional<Experiment> open(QWidget* parent, const QString& path);

  // Asks where and saves; a failure says why in a box.
  void save(QWidget* parent, const MotionParameters& p, std::int16_t zam);

  // The description: the comment of the file opened, or as the user typed
  // it since; the next save writes it.
  const std::string& comment() const { return comment_; }
  void setComment(std::string comment) { comment_ = std::move(comment); }

 private:
  Platform& platform_;
  QString path_;             // the file last opened or saved
  std::string comment_;      // kept from the file opened, written back
  ExperimentExtras extras_;  // its keys this version does not know
};

}  // namespace orvinda
