#include "platform/document_lookup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace orvinda {

QStringList default_document_folders() {
  QStringList folders;
  auto add = [&folders](const QString& folder) {
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (!folders.contains(clean)) folders << clean;
  };
  add(QDir::currentPath());
  const QString exe_dir = QCoreApplication::applicationDirPath();
  if (!exe_dir.isEmpty()) {
    add(exe_dir);
    add(exe_dir + QStringLiteral("/../share/orvinda"));
  }
  add(QStringLiteral(ORVINDA_DATA_DIR));
  return folders;
}

DocumentLookup find_document(const QString& file_name, const QStringList& folders) {
  DocumentLookup result;
  for (const QString& folder : folders) {
    result.searched << QDir::toNativeSeparators(folder);
    const QFileInfo candidate(QDir(folder), file_name);
    if (candidate.isFile()) {
      result.path = candidate.absoluteFilePath();
      return result;
    }
  }
  return result;
}

}  // namespace orvinda
