#include "platform/save_failure.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

namespace orvinda {

QString save_failure_reason(const QString& path, const QFileDevice* device) {
  const QFileInfo file(path);
  const QFileInfo folder(file.absolutePath());
  if (!folder.exists()) return QStringLiteral("такой папки нет");
  if (!folder.isDir()) return QStringLiteral("на месте папки находится файл");
  if (file.isDir()) return QStringLiteral("под этим именем уже есть папка");
  if (file.exists() && !file.isWritable()) return QStringLiteral("файл защищён от записи");
  if (!folder.isWritable()) return QStringLiteral("нет прав на запись в эту папку");
  switch (device ? device->error() : QFileDevice::UnspecifiedError) {
    case QFileDevice::WriteError:
    case QFileDevice::ResizeError:
      return QStringLiteral("не удалось записать данные (нет места на диске?)");
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError: return QStringLiteral("файл не удалось открыть для записи");
    case QFileDevice::RenameError:
    case QFileDevice::RemoveError:
    case QFileDevice::CopyError: return QStringLiteral("не удалось заменить прежний файл");
    default: return QStringLiteral("не удалось записать файл");
  }
}

QString save_failure_message(const QString& what, const QString& path, const QString& reason) {
  return QStringLiteral("Не удалось сохранить %1 в файл «%2»:\r\n%3.")
      .arg(what, QDir::toNativeSeparators(path), reason);
}

}  // namespace orvinda
