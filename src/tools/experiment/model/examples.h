#pragma once
// The classic examples of the menu "Примеры": both amplitudes 4 m, the
// horizontal phase 0, the vertical phase the phase difference, Wx = 1.

#include <span>
#include <string>

#include "model/characteristics.h"

namespace orvinda {

struct Example {
  std::string label;  // UTF-8, as the menu shows it
  MotionParameters parameters;
};

// In menu order. The values are those the boxes will hold: each is already
// its own normal form (format_signed_number, read back), so writing them
// into the boxes changes nothing further.
std::span<const Example> classic_examples();

}  // namespace orvinda
