#include "tools/self_check/model/quarter_phase.h"

#include <array>
#include <numbers>

namespace orvinda {

namespace {

constexpr double kHalfRoot2 = std::numbers::sqrt2 / 2;

// Index 0 ... 7: the angle k pi/4 reduced to [0, 2 pi).
int turn_index(int quarters) { return ((quarters % 8) + 8) % 8; }

}  // namespace

int normalised_quarters(int quarters) {
  const int index = turn_index(quarters);
  return index > 4 ? index - 8 : index;
}

double cos_quarters(int quarters) {
  static constexpr std::array<double, 8> kCos{1,  kHalfRoot2,  0, -kHalfRoot2,
                                              -1, -kHalfRoot2, 0, kHalfRoot2};
  return kCos[turn_index(quarters)];
}

double sin_quarters(int quarters) {
  static constexpr std::array<double, 8> kSin{0, kHalfRoot2,  1,  kHalfRoot2,
                                              0, -kHalfRoot2, -1, -kHalfRoot2};
  return kSin[turn_index(quarters)];
}

std::string quarters_text(int quarters) {
  static const std::array<const char*, 8> kText{"−3π/4", "−π/2", "−π/4", "0",
                                                "π/4",   "π/2",  "3π/4", "π"};
  return kText[normalised_quarters(quarters) + 3];
}

}  // namespace orvinda
