#pragma once
// Why a file could not be written, in words a user reads.

#include <QString>

class QFileDevice;

namespace orvinda {

// The reason a save to path failed, in Russian: the folder is missing or
// closed to writing, the disk is full, and so on. device is the file that
// failed, when there is one.
QString save_failure_reason(const QString& path, const QFileDevice* device);

// The message of the box that reports it: names the file and the reason.
QString save_failure_message(const QString& what, const QString& path, const QString& reason);

}  // namespace orvinda
