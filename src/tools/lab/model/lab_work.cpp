#include "tools/lab/model/lab_work.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <set>
#include <utility>

namespace orvinda {

namespace {

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// A row further than this share of the median fx from it is far from the others.
constexpr double kFarShare = 0.05;

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string s = buffer;
  if (s == "-0" || s.find_first_not_of("-0.") == std::string::npos) s.erase(0, s[0] == '-');
  std::replace(s.begin(), s.end(), '.', ',');
  return s;
}

}  // namespace

std::optional<int> parse_count(std::string_view text) {
  text = trimmed(text);
  if (text.empty() || text.size() > 2) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1) return std::nullopt;
  return value;
}

std::optional<double> parse_reading(std::string_view text) {
  text = trimmed(text);
  if (text.empty() || text.size() > 12) return std::nullopt;
  double whole = 0, scale = 1;
  bool point = false, digits = false;
  for (char c : text) {
    if (c == '.' || c == ',') {
      if (point) return std::nullopt;
      point = true;
    } else if (c >= '0' && c <= '9') {
      digits = true;
      if (point) {
        scale /= 10;
        whole += (c - '0') * scale;
      } else {
        whole = whole * 10 + (c - '0');
      }
    } else {
      return std::nullopt;  // signs too: a length is never negative
    }
  }
  if (!digits) return std::nullopt;
  return whole;
}

int distinct_ratios(const std::vector<FrequencyRow>& rows) {
  std::set<std::pair<int, int>> ratios;
  for (const FrequencyRow& r : rows) {
    const int g = std::gcd(r.nv, r.ng);
    if (g > 0) ratios.insert({r.nv / g, r.ng / g});
  }
  return static_cast<int>(ratios.size());
}

Estimate frequency_estimate(const std::vector<FrequencyRow>& rows, double scale_class) {
  std::vector<double> values;
  for (const FrequencyRow& r : rows) values.push_back(r.fx_hz());
  Estimate e = estimate(values, 0);
  e.systematic = std::fabs(scale_class * e.mean);
  e.total = std::hypot(e.random, e.systematic);
  return e;
}

PhaseEstimate phase_estimate(const std::vector<ChordRow>& rows, Tilt tilt, double delta) {
  std::vector<double> phi0, lows;
  double errors = 0;
  for (const ChordRow& r : rows) {
    const ChordReading reading = phase_from_chords(r.b, r.a, delta);
    if (!reading.accepted()) continue;
    phi0.push_back(reading.phi0_deg);
    errors += reading.interval ? 0 : reading.error_deg;
    lows.push_back(reading.interval ? reading.low_deg
                                    : std::max(0.0, reading.phi0_deg - reading.error_deg));
  }
  PhaseEstimate p;
  p.phi0 = estimate(phi0, phi0.empty() ? 0 : errors / phi0.size());
  p.phi_deg = phase_for_tilt(p.phi0.mean, tilt);
  if (!phi0.empty() && p.phi0.mean > 90 - kIntervalNearRightDeg) {
    p.interval = true;
    const double low =
        std::max(0.0, std::accumulate(lows.begin(), lows.end(), 0.0) / lows.size() - p.phi0.random);
    p.low_deg = tilt == Tilt::kFirstThird ? low : 90;
    p.high_deg = tilt == Tilt::kFirstThird ? 90 : 180 - low;
  }
  return p;
}

bool within_error(double truth, double value, double error) {
  return std::fabs(truth - value) <= std::fabs(error);
}

Verdict grade_frequency(const std::vector<FrequencyRow>& rows, double scale_class, double fx_true) {
  Verdict v;
  if (rows.empty()) return v;
  const Estimate e = frequency_estimate(rows, scale_class);
  v.passed = within_error(fx_true, e.mean, e.total);
  if (v.passed) return v;
  std::vector<FrequencyRow> swapped = rows;
  for (FrequencyRow& r : swapped) std::swap(r.ng, r.nv);
  const Estimate s = frequency_estimate(swapped, scale_class);
  // Swapped counts scatter the rows by the square of each ratio: only a
  // swap that also makes the rows agree better explains the miss.
  if (within_error(fx_true, s.mean, s.total) && s.random < e.random) {
    v.mistake = "Похоже, перепутаны Nг и Nв: fx = fген·Nв/Nг.";
    return v;
  }
  std::vector<double> values;
  for (const FrequencyRow& r : rows) values.push_back(r.fx_hz());
  const double middle = median(values);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (std::fabs(values[i] - middle) > kFarShare * middle) {
      v.mistake = "Строка № " + std::to_string(i + 1) +
                  " далеко от остальных: пересчитайте пересечения в ней.";
      return v;
    }
  }
  v.mistake = "Фигура, вероятно, не стояла на месте: подстраивайте генератор точнее.";
  return v;
}

Verdict grade_phase(const std::vector<ChordRow>& rows, Tilt tilt, double shift_true_deg) {
  Verdict v;
  const PhaseEstimate p = phase_estimate(rows, tilt);
  if (p.phi0.n == 0) return v;
  const auto fits = [&](const PhaseEstimate& e) {
    return e.interval ? e.low_deg <= shift_true_deg && shift_true_deg <= e.high_deg
                      : within_error(shift_true_deg, e.phi_deg, e.phi0.total);
  };
  v.passed = fits(p);
  if (v.passed) return v;
  const Tilt other = tilt == Tilt::kFirstThird ? Tilt::kSecondFourth : Tilt::kFirstThird;
  if (fits(phase_estimate(rows, other))) {
    v.mistake =
        "Похоже, выбрана не та четверть: при большой оси во II–IV четвертях "
        "φ = 180° − φ₀.";
    return v;
  }
  v.mistake = "Отсчёты b и a неточны: b — хорда на вертикальной оси, a — полная высота эллипса.";
  return v;
}

ResultText result_text(double value, double error) {
  error = std::fabs(error);
  if (!std::isfinite(value) || !std::isfinite(error)) return {"—", "—"};
  int decimals = 2;
  if (error > 0) decimals = std::clamp(1 - static_cast<int>(std::floor(std::log10(error))), 0, 6);
  return {fixed(value, decimals), fixed(error, decimals)};
}

}  // namespace orvinda
