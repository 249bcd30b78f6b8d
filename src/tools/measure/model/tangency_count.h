#pragma once
// The touches of a complete figure with the top and the right side of the
// rectangle around it, counted as the second help teaches: the vertical
// oscillation brings the point to the top wy_part times per period, the
// horizontal one to the right side wx_part times, so wx : wy = right : top.
// The end of an arc run there and back lies on the side only once per two
// passes and counts one half (the arc of 1 : 2, dphi = 0 touches the top with
// both ends, 1/2 + 1/2, and the right side with one, 1/2).

#include <string>
#include <vector>

#include "model/characteristics.h"
#include "model/figure_sampling.h"
#include "model/frequency_ratio.h"

namespace orvinda {

// A count in halves.
struct HalfCount {
  int halves = 0;
  friend bool operator==(const HalfCount&, const HalfCount&) = default;
};

// "0", "½", "1", "1½", "2" ...
std::string half_count_text(HalfCount count);

struct TangencyPoint {
  PlanePoint at;         // metres, on the side
  bool arc_end = false;  // counts one half
};

struct Tangencies {
  std::vector<TangencyPoint> top;    // left to right
  std::vector<TangencyPoint> right;  // bottom to top
  HalfCount top_count;
  HalfCount right_count;
  FrequencyRatio ratio{0, 0};  // right : top, reduced; {0, 0} when a count is 0
  // "касаний сверху: 2, сбоку: 1, значит ωx : ωy = 1 : 2"
  std::string sentence;
};

// ratio tells how long the figure takes to close. Precondition: positive
// ratio parts that agree with wy / wx. A zero amplitude gives no touches.
Tangencies count_tangencies(const MotionParameters& p, FrequencyRatio ratio);

}  // namespace orvinda
