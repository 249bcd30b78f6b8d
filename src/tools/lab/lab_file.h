#pragma once
// The bench's saved work: UTF-8 JSON tagged "orvinda-lab", version 1, with
// the snapshots of the rows as PNG. Reading is strict: anything out of place
// refuses the whole file, with the reason in Russian.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <vector>

#include "tools/lab/model/lab_state.h"

namespace orvinda {

inline constexpr int kMostLabRows = 100;

struct LabFile {
  LabState state;
  std::vector<QImage> frequency_snapshots;  // one a row; null when none
  std::vector<QImage> chord_snapshots;
};

QByteArray lab_file_bytes(const LabFile& file);

struct LabFileRead {
  std::optional<LabFile> file;
  QString error;
};
// Larger files are refused unread; a reader passes one byte more, to tell.
inline constexpr qsizetype kLabFileMostBytes = 16 * 1024 * 1024;
LabFileRead read_lab_file(const QByteArray& bytes);

}  // namespace orvinda
