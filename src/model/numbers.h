#pragma once
// Reading and writing the numbers of the parameter boxes. The point is the
// only decimal separator here, whatever the user's locale.

#include <optional>
#include <string>
#include <string_view>

namespace orvinda {

// Reads the longest leading number of a box's text: blanks, tabs and line
// feeds are dropped wherever they stand; then an optional sign, digits, at most
// one point and an optional exponent (E or e, optional sign, digits). "&H" and
// "&O" read a hexadecimal or octal integer. No leading number gives 0.
// Beyond the range of a double the value saturates at the largest finite
// magnitude with its sign; below the smallest it becomes 0. Never -0, never
// inf or nan.
double parse_leading_number(std::string_view text);

// What the parameter boxes read from the user: a comma stands for the point
// ("1,5", ",5", "-,25"), as the numeric keypad of a Russian keyboard types
// it; everything else as parse_leading_number. Files and the command line
// keep the point only.
double parse_box_number(std::string_view text);

// A text that is one number and nothing else (blanks around it allowed):
// an optional sign, digits with at most one point, an optional exponent.
// Read as parse_leading_number reads it; none for anything else.
std::optional<double> parse_whole_number(std::string_view text);

// The normal form of a box: a blank before a value of 0 or more, a minus
// before a negative one, 15 significant digits (7 for a single), trailing
// zeros dropped, no 0 before the point (" .5", "-.25"). The exponent form
// ("1E+15", "-2.5E-05") is used when the decimal exponent is at least the
// digit count (15, or 7 for a single) or below -4.
std::string format_signed_number(double value);
std::string format_signed_number(float value);

// The value rounded to a number of significant decimal digits (1 ... 17),
// for values that carry no more: 1.4142135623731 to 7 gives 1.414214.
double round_significant(double value, int digits);

// Rounds to single precision the way the window stores its float values,
// saturating at the largest finite float instead of overflowing to inf.
float to_single(double value);

// The largest finite value with the sign of a value beyond a type's range.
double saturate(double value);

}  // namespace orvinda
