#pragma once
// The student's tables at the bench and what follows from them.
//
// First task: X carries the unknown fx, Y the generator, so a still figure
// with Nг crossings of a horizontal line and Nв of a vertical one gives
// fx = fген·Nв/Nг. The generator's class bounds the systematic error.
// Second task: the ellipse's chords, one φ₀ a row, one tilt for the task.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/lab/model/ellipse_phase.h"
#include "tools/lab/model/lab_statistics.h"

namespace orvinda {

inline constexpr int kMinFrequencyRatios = 5;  // rows with different ratios
inline constexpr int kMinChordRows = 3;

struct FrequencyRow {
  int ng = 1;  // crossings of a horizontal line
  int nv = 1;  // of a vertical line
  double dial_hz = 0;
  double fx_hz() const { return dial_hz * nv / ng; }
};

struct ChordRow {
  double b = 0, a = 0;  // divisions
};

// A whole count as typed, 1 ... 99; blanks around it allowed.
std::optional<int> parse_count(std::string_view text);
// A reading in divisions as typed, with a decimal point or comma, finite.
std::optional<double> parse_reading(std::string_view text);

// Rows whose Nв : Nг differ in lowest terms.
int distinct_ratios(const std::vector<FrequencyRow>& rows);

// The mean fx, its random error, Δсист = γ·f̄ and the total.
Estimate frequency_estimate(const std::vector<FrequencyRow>& rows, double scale_class);

struct PhaseEstimate {
  Estimate phi0;  // of φ₀: random error, and the rows' mean δφ as systematic
  bool interval = false;
  double phi_deg = 0;                // φ for the tilt
  double low_deg = 0, high_deg = 0;  // φ's interval, when interval
};
// Accepted rows only; an interval when the mean φ₀ lies within 10° of 90°.
PhaseEstimate phase_estimate(const std::vector<ChordRow>& rows, Tilt tilt,
                             double delta = kReadingDivisions);

// The truth lies within value ± error (ends included).
bool within_error(double truth, double value, double error);

struct Verdict {
  bool passed = false;
  std::string mistake;  // the most likely one, for a failed task; may be empty
};
Verdict grade_frequency(const std::vector<FrequencyRow>& rows, double scale_class, double fx_true);
Verdict grade_phase(const std::vector<ChordRow>& rows, Tilt tilt, double shift_true_deg);

// value ± error rounded as a result is written: the error to two significant
// digits, the value to the same place; decimal comma.
struct ResultText {
  std::string value, error;
};
ResultText result_text(double value, double error);

}  // namespace orvinda
