#pragma once
// The phase shift from an ellipse's chord b on the vertical axis and its
// height a, both read in divisions to a tenth of one: sin φ₀ = b / a, with
// δφ = |tg φ₀|·√((δb/b)² + (δa/a)²). Near 90° that linear error fails, so
// within 10° of it the reading is the interval arcsin((b − δb)/(a + δa)) … 90°.
// The quadrant comes from the tilt: major axis in I–III gives φ = φ₀, in
// II–IV φ = 180° − φ₀.

#include <optional>
#include <string>

namespace orvinda {

inline constexpr double kReadingDivisions = 0.1;
inline constexpr double kIntervalNearRightDeg = 10;

enum class Tilt { kFirstThird, kSecondFourth };

struct ChordReading {
  std::string refusal;  // empty when the pair is taken
  double sin_phi0 = 0;
  double phi0_deg = 0;  // 0 ... 90
  bool interval = false;
  double error_deg = 0;  // δφ, when not an interval
  double low_deg = 0;    // the interval's low end for φ₀ (its high end is 90°)
  bool accepted() const { return refusal.empty(); }
};

// b and a in divisions. b above a but within a + δa + δb reads as 90°.
ChordReading phase_from_chords(double b, double a, double delta = kReadingDivisions);

// φ from φ₀ and the tilt, degrees.
double phase_for_tilt(double phi0_deg, Tilt tilt);

}  // namespace orvinda
