#include "platform/safe_save.h"

#include <QSaveFile>

#include "platform/save_failure.h"

namespace orvinda {

QString save_safely(const QString& path, const std::function<bool(QSaveFile&)>& write) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return save_failure_reason(path, &file);
  if (!write(file) || file.error() != QFileDevice::NoError) {
    const QString reason = save_failure_reason(path, &file);
    file.cancelWriting();
    return reason;
  }
  if (!file.commit()) return save_failure_reason(path, &file);
  return QString();
}

}  // namespace orvinda
