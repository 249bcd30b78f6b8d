#pragma once
// Number formatting by pattern, as the characteristics and the grid numbers
// are printed: "0" is a digit always shown, "#" a digit shown only when
// significant, "." the place of the decimal separator, "E+00" a signed
// exponent of at least as many digits as zeros follow it.

#include <string>
#include <string_view>

namespace orvinda {

// decimal_separator is the user's, e.g. "." or ",". A value that rounds to
// zero at the digits shown carries no minus sign. inf and nan never come
// out: such values print as the largest finite magnitude or 0.
std::string format_by_pattern(double value, std::string_view pattern,
                              std::string_view decimal_separator);

}  // namespace orvinda
