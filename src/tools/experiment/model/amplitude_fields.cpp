#include "tools/experiment/model/amplitude_fields.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

#include "model/numbers.h"
#include "tools/experiment/model/field_number.h"

namespace orvinda {

namespace {

constexpr const char* kNotANumber = "Введите число";
constexpr const char* kTooLarge = "Слишком большое число";
constexpr const char* kNegativeAmplitude = "Амплитуда не может быть меньше 0";
constexpr const char* kFrequency = "Частота должна быть больше 0";
constexpr const char* kVelocityTooLarge = "Слишком большая амплитуда для такой частоты";

// Reads one field; on failure leaves its message and returns nullopt.
std::optional<double> read_field(const std::string& text, std::string& problem) {
  const FieldNumber n = parse_field_number(text);
  switch (n.status) {
    case FieldNumberStatus::ok: return n.value;
    case FieldNumberStatus::too_large: problem = kTooLarge; return std::nullopt;
    case FieldNumberStatus::not_a_number: break;
  }
  problem = kNotANumber;
  return std::nullopt;
}

// |A sin(phase) w| within limit, computed so that it cannot overflow.
bool velocity_fits(double amplitude, double phase_in_pi, double frequency, double limit) {
  const double product = std::fabs(amplitude * cos_sin_pi(phase_in_pi).sin);
  return product == 0 || product <= limit / frequency;
}

// The shortest text that reads back as the same double: 15 digits, as the
// boxes show, would move the boxes' values when ОК recomputes them.
std::string field_text(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value + 0.0);
  return std::string(buffer, result.ptr);
}

}  // namespace

const std::vector<std::string>& amplitude_field_messages() {
  static const std::vector<std::string> all{kNotANumber, kTooLarge, kNegativeAmplitude, kFrequency,
                                            kVelocityTooLarge};
  return all;
}

bool AmplitudeFieldProblems::any() const {
  return !ax.empty() || !fix.empty() || !ay.empty() || !fiy.empty() || !wy.empty();
}

AmplitudeFieldsReading read_amplitude_fields(const AmplitudeFieldTexts& texts, double wx) {
  AmplitudeFieldsReading r;
  AmplitudeFieldProblems& p = r.problems;
  const std::optional<double> ax = read_field(texts.ax, p.ax);
  const std::optional<double> fix = read_field(texts.fix, p.fix);
  const std::optional<double> ay = read_field(texts.ay, p.ay);
  const std::optional<double> fiy = read_field(texts.fiy, p.fiy);
  const std::optional<double> wy = read_field(texts.wy, p.wy);

  if (ax && *ax < 0) p.ax = kNegativeAmplitude;
  if (ay && *ay < 0) p.ay = kNegativeAmplitude;
  if (wy && *wy <= 0) p.wy = kFrequency;
  if (p.ax.empty() && fix && !velocity_fits(*ax, *fix, wx, std::numeric_limits<double>::max())) {
    p.ax = kVelocityTooLarge;
  }
  if (p.ay.empty() && fiy && p.wy.empty() &&
      !velocity_fits(*ay, *fiy, *wy, std::numeric_limits<float>::max())) {
    p.ay = kVelocityTooLarge;
  }
  if (p.any()) return r;

  r.values = AmplitudesAndPhases{*ax, *fix, *ay, *fiy, wx, *wy};
  return r;
}

AmplitudeFieldTexts amplitude_field_texts(const Characteristics& c, const MotionParameters& p) {
  const int vertical_digits = p.vy0 == 0 ? 17 : 7;
  const auto phase = [](double amplitude, double fi, int digits) {
    return amplitude == 0 ? std::string("0.5")
                          : field_text(round_significant(fi / std::numbers::pi, digits));
  };
  return {field_text(c.ax), phase(c.ax, c.fix, 17),
          field_text(round_significant(c.ay, vertical_digits)), phase(c.ay, c.fiy, vertical_digits),
          field_text(p.wy)};
}

AmplitudeDialogResult accept_amplitude_fields(const AmplitudeFieldTexts& entered,
                                              const MotionParameters& current) {
  AmplitudeFieldsReading reading = read_amplitude_fields(entered, current.wx);
  AmplitudeDialogResult result;
  result.problems = std::move(reading.problems);
  if (!reading.values) return result;

  const AmplitudeFieldTexts opened =
      amplitude_field_texts(compute_characteristics(current, 0, false), current);
  MotionParameters p = initial_conditions(*reading.values);
  if (entered.ax == opened.ax && entered.fix == opened.fix) {
    p.x0 = current.x0;
    p.vx0 = current.vx0;
  }
  if (entered.ay == opened.ay && entered.fiy == opened.fiy && entered.wy == opened.wy) {
    p.wy = current.wy;
    p.y0 = current.y0;
    p.vy0 = current.vy0;
  }
  result.parameters = p;
  return result;
}

}  // namespace orvinda
