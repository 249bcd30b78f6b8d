// Reading and writing box numbers on arbitrary bytes. Whatever a box holds,
// its value must be finite and never -0, and the normal form written back
// must read as the same value and print as the same text again, or the box
// handlers would keep rewriting their own output.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "model/numbers.h"

using orvinda::format_signed_number;
using orvinda::parse_leading_number;
using orvinda::to_single;

namespace {

void check(bool ok, const char* what, const std::string& detail) {
  if (ok) return;
  std::fprintf(stderr, "fuzz_numbers: %s: %s\n", what, detail.c_str());
  std::abort();
}

std::string show(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

bool is_negative_zero(double value) { return value == 0 && std::signbit(value); }

// Only " " or "-", then digits, a point, E, signs; never inf, nan or empty.
void check_normal_text(const std::string& text, double value) {
  check(text.size() >= 2, "normal form too short", "\"" + text + "\" for " + show(value));
  check(text[0] == ' ' || text[0] == '-', "normal form lacks its sign place", text);
  check((text[0] == '-') == (value < 0), "normal form has the wrong sign",
        text + " for " + show(value));
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    const bool allowed = (c >= '0' && c <= '9') || c == '.' || c == 'E' || c == '+' || c == '-';
    check(allowed, "normal form holds a stray character", text + " for " + show(value));
  }
}

// The box shows format(v) and its handler then stores parse(format(v)); from
// there on the pair must be a fixed point.
void check_double(double value) {
  const std::string text = format_signed_number(value);
  check_normal_text(text, value);
  const double read = parse_leading_number(text);
  check(std::isfinite(read) && !is_negative_zero(read), "normal form reads as inf, nan or -0",
        text);
  const double tolerance =
      std::fmax(std::fabs(value) * 1e-14, std::numeric_limits<double>::denorm_min());
  check(std::fabs(read - value) <= tolerance, "normal form reads far from its value",
        text + " reads " + show(read) + " for " + show(value));
  const std::string again = format_signed_number(read);
  check(again == text, "normal form not stable", text + " then " + again);
  check(parse_leading_number(again) == read, "normal form does not read back exactly", again);
}

// A single's 7 digits may name a decimal whose nearest single prints
// otherwise ("1E+28" reads as 9.9999994E+27, printed "9.999999E+27"), so the
// box may take one more rewrite; it must settle there, on a value that
// reads back exactly.
void check_single(float value) {
  const std::string text = format_signed_number(value);
  check_normal_text(text, value);
  const float read = to_single(parse_leading_number(text));
  check(std::isfinite(read) && !is_negative_zero(read), "single normal form reads badly", text);
  const double tolerance = std::fmax(std::fabs(static_cast<double>(value)) * 1e-6,
                                     std::numeric_limits<float>::denorm_min());
  check(std::fabs(static_cast<double>(read) - value) <= tolerance,
        "single normal form reads far from its value", text + " for " + show(value));
  const std::string again = format_signed_number(read);
  const float settled = to_single(parse_leading_number(again));
  check(settled == read, "single normal form does not read back exactly",
        text + " then " + again + " reads " + show(settled) + ", not " + show(read));
  check(format_signed_number(settled) == again, "single normal form does not settle",
        text + " then " + again + " then " + format_signed_number(settled));
}

// A text that is nothing but a plain decimal must read as the C library
// reads it, within the documented saturation. Short texts only: the reader
// keeps the first 800 significant digits.
void check_against_strtod(std::string_view raw, double value) {
  if (raw.size() > 700) return;
  std::string text;
  for (char c : raw) {
    if (c == ' ' || c == '\t' || c == '\n') continue;
    const bool plain =
        (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
    if (!plain) return;
    text.push_back(c);
  }
  if (text.empty()) return;
  char* end = nullptr;
  double expected = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return;  // not one whole number
  if (std::isinf(expected)) {
    expected =
        expected > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
  }
  expected += 0.0;
  check(value == expected, "reads differently from strtod",
        text + " reads " + show(value) + ", strtod " + show(expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const double value = parse_leading_number(text);
  check(std::isfinite(value), "reads as inf or nan", std::string(text.substr(0, 200)));
  check(!is_negative_zero(value), "reads as -0", std::string(text.substr(0, 200)));
  check_against_strtod(text, value);
  check_double(value);

  const float single = to_single(value);
  check(std::isfinite(single) && !is_negative_zero(single), "to_single gives inf, nan or -0",
        show(value));
  check_single(single);

  // The same bytes as raw values: every bit pattern, nan and inf included,
  // must still print as a normal form.
  if (size >= sizeof(double)) {
    double raw;
    std::memcpy(&raw, data, sizeof raw);
    const double safe = orvinda::saturate(raw) + 0.0;
    check_normal_text(format_signed_number(raw), safe);
    check_double(safe);
  }
  if (size >= sizeof(float)) {
    float raw;
    std::memcpy(&raw, data, sizeof raw);
    check_normal_text(format_signed_number(raw), orvinda::saturate(raw) + 0.0);
    check_single(to_single(static_cast<double>(raw)));
  }
  return 0;
}
