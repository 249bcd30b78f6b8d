#include "model/format_pattern.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "model/numbers.h"

namespace orvinda {

namespace {

struct Pattern {
  int integer_min = 0;      // zeros before the point
  int fraction_digits = 0;  // digits after the point
  bool scientific = false;
  bool exponent_always_signed = false;
  int exponent_min = 0;
};

Pattern read_pattern(std::string_view pattern) {
  Pattern p;
  bool after_point = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == 'E' || c == 'e') {
      p.scientific = true;
      std::size_t j = i + 1;
      if (j < pattern.size() && (pattern[j] == '+' || pattern[j] == '-')) {
        p.exponent_always_signed = pattern[j] == '+';
        ++j;
      }
      for (; j < pattern.size() && pattern[j] == '0'; ++j) ++p.exponent_min;
      break;
    }
    if (c == '.') {
      after_point = true;
    } else if (c == '0' || c == '#') {
      if (after_point) {
        ++p.fraction_digits;
      } else if (c == '0') {
        ++p.integer_min;
      }
    }
  }
  return p;
}

// Digits of |value| rounded to `fraction` places, as "123.456" with a point.
std::string fixed_digits(double magnitude, int fraction) {
  char buffer[400];
  const auto r =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, fraction);
  return std::string(buffer, r.ptr);
}

bool all_zero_digits(const std::string& s) {
  for (char c : s) {
    if (c >= '1' && c <= '9') return false;
  }
  return true;
}

std::string join(const std::string& whole_in, const std::string& fraction, const Pattern& p,
                 std::string_view separator) {
  std::string whole = whole_in;
  // Leading zeros of the integer part only as far as the pattern asks.
  while (static_cast<int>(whole.size()) > p.integer_min && !whole.empty() && whole[0] == '0') {
    whole.erase(0, 1);
  }
  // A count of chars rather than a string: GCC 12 at -O3 takes inserting a
  // literal for an overlapping copy (-Wrestrict).
  if (static_cast<int>(whole.size()) < p.integer_min)
    whole.insert(0, static_cast<std::size_t>(p.integer_min) - whole.size(), '0');
  std::string out = whole;
  if (p.fraction_digits > 0) {
    out += separator;
    out += fraction;
  }
  return out;
}

}  // namespace

std::string format_by_pattern(double value, std::string_view pattern,
                              std::string_view decimal_separator) {
  value = saturate(value);
  const Pattern p = read_pattern(pattern);
  const double magnitude = std::fabs(value);
  std::string body;
  bool rounds_to_zero = false;

  if (p.scientific) {
    const int shown_integer = p.integer_min > 0 ? p.integer_min : 1;
    int exponent = 0;
    std::string mantissa;
    if (magnitude > 0) {
      char buffer[64];
      const int precision = shown_integer - 1 + p.fraction_digits;
      const auto r = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                   std::chars_format::scientific, precision);
      const std::string sci(buffer, r.ptr);
      const std::size_t e = sci.find('e');
      for (std::size_t i = 0; i < e; ++i) {
        if (sci[i] != '.') mantissa.push_back(sci[i]);
      }
      exponent = std::atoi(sci.c_str() + e + 1) - (shown_integer - 1);
    } else {
      mantissa.assign(static_cast<std::size_t>(shown_integer + p.fraction_digits), '0');
      rounds_to_zero = true;
    }
    const std::string whole = mantissa.substr(0, static_cast<std::size_t>(shown_integer));
    const std::string fraction = mantissa.substr(static_cast<std::size_t>(shown_integer));
    body = join(whole, fraction, p, decimal_separator);
    body += 'E';
    if (exponent < 0) {
      body += '-';
    } else if (p.exponent_always_signed) {
      body += '+';
    }
    std::string e = std::to_string(std::abs(exponent));
    if (static_cast<int>(e.size()) < p.exponent_min)
      e.insert(0, static_cast<std::size_t>(p.exponent_min) - e.size(), '0');
    body += e;
  } else {
    const std::string digits = fixed_digits(magnitude, p.fraction_digits);
    const std::size_t point = digits.find('.');
    const std::string whole = digits.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : digits.substr(point + 1);
    rounds_to_zero = all_zero_digits(digits);
    body = join(whole, fraction, p, decimal_separator);
  }

  if (value < 0 && !rounds_to_zero) return "-" + body;
  return body;
}

}  // namespace orvinda
