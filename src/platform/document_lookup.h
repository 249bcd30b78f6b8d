#pragma once
// Finds an accompanying document by its file name: in the current folder
// first, then beside the executable, then in the installed data folder.

#include <QString>
#include <QStringList>

namespace orvinda {

struct DocumentLookup {
  QString path;          // empty when found nowhere
  QStringList searched;  // the folders looked in, in order
};

// folders: where to look, in order; default_document_folders() in use.
DocumentLookup find_document(const QString& file_name, const QStringList& folders);
QStringList default_document_folders();

}  // namespace orvinda
