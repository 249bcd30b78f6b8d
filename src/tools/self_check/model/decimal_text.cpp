#include "tools/self_check/model/decimal_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace orvinda {

std::string decimal_text(double value, int max_fraction_digits) {
  if (!std::isfinite(value)) return "—";
  max_fraction_digits = std::clamp(max_fraction_digits, 0, 6);
  std::array<char, 400> buffer{};  // room for the largest double in fixed form
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                    std::chars_format::fixed, max_fraction_digits);
  if (error != std::errc()) return "—";
  std::string digits(buffer.data(), end);
  if (digits.find('.') != std::string::npos) {
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
  }
  if (digits == "0") return digits;
  std::replace(digits.begin(), digits.end(), '.', ',');
  return value < 0 ? "−" + digits : digits;
}

}  // namespace orvinda
