#pragma once
// Numbers inside Russian sentences of the explanations: a decimal comma and a
// true minus sign, whatever the locale, so the text reads the same everywhere.

#include <string>

namespace orvinda {

// Rounded to at most max_fraction_digits (0 ... 6) decimals, trailing zeros
// dropped: "4", "2,83", "−0,5". A value that rounds to zero is "0"; a value
// that is not finite is "—".
std::string decimal_text(double value, int max_fraction_digits);

}  // namespace orvinda
