#pragma once
// Reading a number typed into a dialog field. Stricter than the parameter
// boxes, which read the longest leading number and so turn "0,5" or "5 м"
// silently into 0 or 5: here the whole text, blanks around it aside, must be
// one number, or the dialog says so beside the field. Friendlier too: the
// decimal separator may be a point or a comma, and the minus may be the
// typographic one (U+2212) that the program itself prints.

#include <string_view>

namespace orvinda {

enum class FieldNumberStatus { ok, not_a_number, too_large };

struct FieldNumber {
  FieldNumberStatus status = FieldNumberStatus::not_a_number;
  double value = 0;  // finite, never -0; 0 unless ok
};

// A number is an optional sign, digits with at most one separator (at least
// one digit in all), and an optional exponent: E or e, an optional sign,
// digits. Below the smallest double it reads as 0; beyond the largest it is
// too_large rather than saturated, since the user asked for a value that
// cannot be had.
FieldNumber parse_field_number(std::string_view text);

}  // namespace orvinda
