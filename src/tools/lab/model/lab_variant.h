#pragma once
// What a variant code hides at the bench, the same on every machine.
//
// The code seeds std::mt19937; every value is a whole number on a fixed grid
// drawn with uniform_below(), never a floating-point draw. In this order:
//   1. fx in hundredths of a hertz, 4000 ... 40000 (40 ... 400 Hz);
//   2. the amplitude of X in hundredths of a volt, 100 ... 400;
//   3. the initial phase of X in tenths of a degree, 0 ... 3599;
//   4. the generator's scale error in whole per-mille, -10 ... 10;
//   5. the phase shifter's shift in tenths of a degree, 100 ... 1700;
//   6. the shifter's two amplitudes (X, then Y) in hundredths of a volt, 100 ... 400.

#include <cstdint>

namespace orvinda {

// The generator's class as the bench states it: ±1 % of the reading.
inline constexpr double kScaleClass = 0.01;
inline constexpr double kMinDialHz = 10;
inline constexpr double kMaxDialHz = 2000;
// The generator's output amplitude on Y in the first task, volts.
inline constexpr double kGeneratorVolts = 2.0;

struct LabVariant {
  int code = 0;
  int fx_centihertz = 0;
  int ax_centivolts = 0;
  int phase_x_decidegrees = 0;
  int scale_error_permille = 0;
  int shift_decidegrees = 0;
  int shifter_ax_centivolts = 0;
  int shifter_ay_centivolts = 0;

  double fx_hz() const { return fx_centihertz / 100.0; }
  double ax_volts() const { return ax_centivolts / 100.0; }
  double phase_x_rad() const;
  double scale_error() const { return scale_error_permille / 1000.0; }
  double shift_deg() const { return shift_decidegrees / 10.0; }
  double shifter_ax_volts() const { return shifter_ax_centivolts / 100.0; }
  double shifter_ay_volts() const { return shifter_ay_centivolts / 100.0; }
  // What the generator gives out when its dial reads dial_hz.
  double output_hz(double dial_hz) const { return dial_hz * (1 + scale_error()); }
};

LabVariant lab_variant(int code);

}  // namespace orvinda
