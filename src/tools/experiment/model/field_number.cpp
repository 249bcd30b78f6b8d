#include "tools/experiment/model/field_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "model/numbers.h"

namespace orvinda {

namespace {

constexpr std::string_view kTypographicMinus = "\xE2\x88\x92";
constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text) {
  for (bool changed = true; changed;) {
    changed = false;
    for (std::string_view blank : {std::string_view(" "), std::string_view("\t"),
                                   std::string_view("\r"), std::string_view("\n"), kNoBreakSpace}) {
      while (text.starts_with(blank)) {
        text.remove_prefix(blank.size());
        changed = true;
      }
      while (text.ends_with(blank)) {
        text.remove_suffix(blank.size());
        changed = true;
      }
    }
  }
  return text;
}

// Takes a sign at the front of text, appending '-' to out for a minus.
void take_sign(std::string_view& text, std::string& out) {
  if (text.starts_with('+')) {
    text.remove_prefix(1);
  } else if (text.starts_with('-')) {
    text.remove_prefix(1);
    out.push_back('-');
  } else if (text.starts_with(kTypographicMinus)) {
    text.remove_prefix(kTypographicMinus.size());
    out.push_back('-');
  }
}

std::size_t take_digits(std::string_view& text, std::string& out) {
  std::size_t count = 0;
  while (!text.empty() && is_digit(text.front())) {
    out.push_back(text.front());
    text.remove_prefix(1);
    ++count;
  }
  return count;
}

}  // namespace

FieldNumber parse_field_number(std::string_view raw) {
  std::string_view text = trimmed(raw);
  std::string plain;  // the same number in the boxes' own spelling
  take_sign(text, plain);
  std::size_t digits = take_digits(text, plain);
  if (text.starts_with('.') || text.starts_with(',')) {
    text.remove_prefix(1);
    plain.push_back('.');
    digits += take_digits(text, plain);
  }
  if (digits == 0) return {};
  if (text.starts_with('e') || text.starts_with('E')) {
    text.remove_prefix(1);
    plain.push_back('e');
    take_sign(text, plain);
    if (take_digits(text, plain) == 0) return {};
  }
  if (!text.empty()) return {};

  const double value = parse_leading_number(plain);
  // The boxes' reader saturates; tell a true overflow from the largest
  // double written out in full.
  if (std::fabs(value) == std::numeric_limits<double>::max()) {
    double exact = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), exact);
    if (result.ec == std::errc::result_out_of_range) return {FieldNumberStatus::too_large, 0};
  }
  return {FieldNumberStatus::ok, value};
}

}  // namespace orvinda
