#pragma once
// The bench's report as a PDF: who, when, which variant, both tables with
// their snapshots, the results with errors and every check with its time.
// The hidden values appear only once the work was checked.

#include <QString>

#include "tools/lab/lab_file.h"
#include "tools/lab/model/lab_variant.h"

namespace orvinda {

struct LabReport {
  LabFile file;
  LabVariant variant;
  QString date;  // as printed
};

// Through the one safe save: empty when written, else the reason in Russian.
QString write_lab_report(const QString& path, const LabReport& report);

}  // namespace orvinda
