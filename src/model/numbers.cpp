#include "model/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace orvinda {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "&H1F", "&O17": an unsigned integer of the given base, saturating.
double parse_radix_integer(const std::string& text, std::size_t pos, int base) {
  double value = 0.0;
  for (; pos < text.size(); ++pos) {
    const int digit = hex_value(text[pos]);
    if (digit < 0 || digit >= base) break;
    value = value * base + digit;
  }
  return saturate(value);
}

}  // namespace

double saturate(double value) {
  if (std::isnan(value)) return 0.0;
  if (std::isinf(value)) {
    return value > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
  }
  return value;
}

float to_single(double value) {
  value = saturate(value);
  constexpr double largest = std::numeric_limits<float>::max();
  if (value > largest) return std::numeric_limits<float>::max();
  if (value < -largest) return -std::numeric_limits<float>::max();
  return static_cast<float>(value) + 0.0f;  // + 0 turns -0 into 0
}

double parse_leading_number(std::string_view raw) {
  std::string text;
  text.reserve(raw.size());
  for (char c : raw) {
    if (c != ' ' && c != '\t' && c != '\n') text.push_back(c);
  }

  if (text.size() >= 2 && text[0] == '&') {
    if (text[1] == 'H' || text[1] == 'h') return parse_radix_integer(text, 2, 16);
    if (text[1] == 'O' || text[1] == 'o') return parse_radix_integer(text, 2, 8);
    return 0.0;
  }

  // Find the longest leading part that forms a number.
  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  std::string mantissa;  // digits only, with the point's place remembered
  long long point_at = -1;
  std::size_t digits = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (is_digit(c)) {
      mantissa.push_back(c);
      ++digits;
    } else if (c == '.' && point_at < 0) {
      point_at = static_cast<long long>(mantissa.size());
    } else {
      break;
    }
  }
  if (digits == 0) return 0.0;
  if (point_at < 0) point_at = static_cast<long long>(mantissa.size());

  // Exponent: only when at least one digit follows the E and its sign.
  long long exponent = 0;
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
    std::size_t e = pos + 1;
    bool exp_negative = false;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
      exp_negative = text[e] == '-';
      ++e;
    }
    if (e < text.size() && is_digit(text[e])) {
      for (; e < text.size() && is_digit(text[e]); ++e) {
        if (exponent < 1'000'000'000LL) exponent = exponent * 10 + (text[e] - '0');
      }
      if (exp_negative) exponent = -exponent;
    }
  }

  // Drop leading zeros so that the scale of the number is known.
  std::size_t first = mantissa.find_first_not_of('0');
  if (first == std::string::npos) return 0.0;
  // Decimal exponent of the first significant digit.
  const long long magnitude = point_at - static_cast<long long>(first) - 1 + exponent;
  if (magnitude > 400) {
    return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
  }
  if (magnitude < -400) return 0.0;

  // Rebuild a plain scientific text that from_chars reads in any locale.
  const std::string clean = mantissa.substr(first);
  std::string canonical;
  canonical.reserve(clean.size() + 16);
  canonical.push_back(clean[0]);
  if (clean.size() > 1) {
    canonical.push_back('.');
    canonical.append(clean, 1, std::string::npos);
  }
  canonical.push_back('e');
  canonical += std::to_string(magnitude);

  double value = 0.0;
  const auto result = std::from_chars(canonical.data(), canonical.data() + canonical.size(), value,
                                      std::chars_format::scientific);
  if (result.ec == std::errc::result_out_of_range) {
    value = magnitude > 0 ? std::numeric_limits<double>::max() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  value = saturate(value);
  if (negative) value = -value;
  return value + 0.0;  // never -0
}

double round_significant(double value, int digits) {
  if (!std::isfinite(value) || value == 0) return value;
  // Through decimal text, whatever the locale, so the digits are the ones a
  // box would show.
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::scientific, std::clamp(digits, 1, 17) - 1);
  double rounded = value;
  std::from_chars(buffer, written.ptr, rounded);
  return rounded;
}

double parse_box_number(std::string_view text) {
  std::string with_points(text);
  for (char& c : with_points) {
    if (c == ',') c = '.';
  }
  return parse_leading_number(with_points);
}

std::optional<double> parse_whole_number(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (is_digit(text[i])) {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponent_digits = 0;
    for (; i < text.size() && is_digit(text[i]); ++i) ++exponent_digits;
    if (exponent_digits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  return parse_leading_number(text);
}

namespace {

std::string format_with_digits(double value, int significant) {
  value = saturate(value) + 0.0;
  const bool negative = value < 0;
  std::string out(negative ? "-" : " ");
  if (value == 0.0) return out + "0";

  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, significant - 1);
  const std::string sci(buffer, result.ptr);  // d.ddddde+XX
  const std::size_t e_pos = sci.find('e');
  std::string digits;
  for (std::size_t i = 0; i < e_pos; ++i) {
    if (sci[i] != '.') digits.push_back(sci[i]);
  }
  int exponent = std::stoi(sci.substr(e_pos + 1));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  if (exponent >= significant || exponent < -4) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1, std::string::npos);
    }
    out += exponent < 0 ? "E-" : "E+";
    const int shown = exponent < 0 ? -exponent : exponent;
    if (shown < 10) out += '0';
    out += std::to_string(shown);
    return out;
  }
  if (exponent < 0) {
    out += '.';
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
    return out;
  }
  const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) {
    out += digits;
    out.append(whole - digits.size(), '0');
  } else {
    out.append(digits, 0, whole);
    out += '.';
    out.append(digits, whole, std::string::npos);
  }
  return out;
}

}  // namespace

std::string format_signed_number(double value) { return format_with_digits(value, 15); }

std::string format_signed_number(float value) {
  return format_with_digits(static_cast<double>(value), 7);
}

}  // namespace orvinda
