#pragma once
// Saving a file whole or not at all.

#include <QString>
#include <functional>

class QSaveFile;

namespace orvinda {

// write() fills a temporary file that replaces the one at path only when
// everything was written, so a failure leaves an old file as it was. Empty
// when saved, else the reason in Russian (see save_failure_reason).
QString save_safely(const QString& path, const std::function<bool(QSaveFile&)>& write);

}  // namespace orvinda
