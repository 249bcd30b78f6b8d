#pragma once
// Experiment files (.orv): UTF-8 JSON through Qt's JSON. Qt writes each
// double in its shortest form that reads back to the same bits, so a saved
// experiment opens exactly as it was (the tests hold it to that).

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

#include "tools/experiment/model/experiment.h"

namespace orvinda {

// Larger files are refused unread: an experiment is a few hundred bytes.
inline constexpr qsizetype kMaxExperimentBytes = 64 * 1024;

struct ExperimentReading {
  std::optional<Experiment> experiment;  // exactly when problem is empty
  QJsonObject extras;                    // keys this version does not know, to write back on save
  QString problem;                       // the first problem, in Russian, without the file's name
};

// Everything is checked before anything is returned: the size, JSON, the
// format's name and version, each value's presence and type, then
// experiment_problem.
ExperimentReading read_experiment(const QByteArray& bytes);

// Indented for a reader's eyes, compact if that alone keeps it within
// kMaxExperimentBytes. The known keys win over extras of the same name.
QByteArray experiment_bytes(const Experiment& e, const QJsonObject& extras);

ExperimentReading read_experiment_file(const QString& path);

// Writes through QSaveFile, so a failure or a crash leaves an old file
// whole. Refuses, touching nothing, an experiment that would not open again
// (a value experiment_problem refuses, or more than kMaxExperimentBytes).
// Returns the reason in Russian, or nullopt when saved.
std::optional<QString> save_experiment_file(const QString& path, const Experiment& e,
                                            const QJsonObject& extras);

}  // namespace orvinda
