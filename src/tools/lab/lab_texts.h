#pragma once
// The bench's results as the window, the report and the files write them:
// a decimal comma, errors rounded as results are written.

#include <QString>
#include <QStringList>

#include "tools/lab/model/lab_state.h"
#include "tools/lab/model/lab_variant.h"
#include "tools/lab/model/lab_work.h"

namespace orvinda {

QString comma_number(double value, int decimals);

// "fx = (123,5 ± 1,2) Гц" and its parts, or why there is no result yet.
QStringList frequency_result_lines(const std::vector<FrequencyRow>& rows);
// "φ = (150,0 ± 2,0)°", or its interval near 90°.
QStringList phase_result_lines(const std::vector<ChordRow>& rows, Tilt tilt);
bool frequency_ready(const std::vector<FrequencyRow>& rows);
bool phase_ready(const std::vector<ChordRow>& rows);

QString tilt_text(Tilt tilt);
QString check_text(const CheckRecord& check);
// The hidden values, once the work was checked.
QString hidden_text(const LabVariant& variant);

}  // namespace orvinda
