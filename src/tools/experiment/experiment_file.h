#pragma once
// Experiment files (.orv): UTF-8 JSON. Qt writes each double in its
// shortest form that reads back to the same bits, so a saved experiment
// opens exactly as it was (the tests hold it to that). Keys this version
// does not know never pass through Qt's values: their text is kept as it
// stood in the file and written back byte for byte.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "tools/experiment/model/experiment.h"

namespace orvinda {

// Larger files are refused unread: an experiment is a few hundred bytes.
inline constexpr qsizetype kMaxExperimentBytes = 64 * 1024;

// A key this version does not know, as the file wrote it.
struct ExperimentExtra {
  QString name;           // decoded, to tell it from the known keys
  QByteArray name_text;   // quotes and escapes included
  QByteArray value_text;  // spaces inside it included
  bool operator==(const ExperimentExtra&) const = default;
};
using ExperimentExtras = std::vector<ExperimentExtra>;  // in the file's order

struct ExperimentReading {
  std::optional<Experiment> experiment;  // exactly when problem is empty
  ExperimentExtras extras;               // to write back on save
  QString problem;                       // the first problem, in Russian, without the file's name
};

// Everything is checked before anything is returned: the size, JSON, the
// format's name and version, each value's presence and type, then
// experiment_problem. A repeated known key counts by its last value.
ExperimentReading read_experiment(const QByteArray& bytes);

// Indented for a reader's eyes, compact if that alone keeps it within
// kMaxExperimentBytes; the known keys, then the extras in their order. An
// extra named like a known key is left out. The extras' texts are trusted
// to be JSON, as read_experiment gives them.
QByteArray experiment_bytes(const Experiment& e, const ExperimentExtras& extras);

ExperimentReading read_experiment_file(const QString& path);

// Writes through QSaveFile, so a failure or a crash leaves an old file
// whole. Refuses, touching nothing, an experiment that would not open again
// (a value experiment_problem refuses, or more than kMaxExperimentBytes).
// Returns the reason in Russian, or nullopt when saved.
std::optional<QString> save_experiment_file(const QString& path, const Experiment& e,
                                            const ExperimentExtras& extras);

}  // namespace orvinda
