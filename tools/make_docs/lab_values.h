#pragma once
// The worked example of the oscilloscope lab in the documents: fixed
// readings, and everything computed from them by the lab's own model.
//   ng_N nv_N dial_N fx_N      the frequency table's row N (1 … 5)
//   n t mean random systematic result_value result_error
//   b_N a_N sin_N phi0_N dphi_N  the chord table's row N (1 … 3)
//   phi0_mean phase_random phase_reading phi_value phi_error

#include <QString>
#include <optional>

namespace orvinda::docs {

std::optional<QString> lab_value(const QString& key);

}  // namespace orvinda::docs
