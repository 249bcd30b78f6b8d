#pragma once
// The values the window starts with; the one place they are written.

#include <cstdint>

#include "model/characteristics.h"

namespace orvinda {

// wx, x0, vx0, wy, y0, vy0 (vy0 held as a float).
inline constexpr MotionParameters kStartParameters{1, 3, 3, 1.8, 3, 2.0f};
// The slow-down factor zam, also the scroll bar's first position.
inline constexpr std::int16_t kStartSlowDown = 5;

}  // namespace orvinda
