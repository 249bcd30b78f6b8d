#include "tools/measure/model/tangency_count.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace orvinda {

namespace {

constexpr double kRelativeTolerance = 1e-6;

// Instants at which the figure reaches a side give the same point twice on an
// arc run there and back; such a point is counted once.
void add_touch(std::vector<TangencyPoint>& side, TangencyPoint touch, bool along_x, double length) {
  for (const TangencyPoint& known : side) {
    const double gap = along_x ? known.at.x - touch.at.x : known.at.y - touch.at.y;
    if (std::fabs(gap) <= kRelativeTolerance * length) return;
  }
  side.push_back(touch);
}

HalfCount count(const std::vector<TangencyPoint>& side) {
  HalfCount total;
  for (const TangencyPoint& touch : side) total.halves += touch.arc_end ? 1 : 2;
  return total;
}

}  // namespace

std::string half_count_text(HalfCount count) {
  const int whole = count.halves / 2;
  if (count.halves % 2 == 0) return std::to_string(whole);
  if (whole == 0) return "½";
  return std::to_string(whole) + "½";
}

Tangencies count_tangencies(const MotionParameters& p, FrequencyRatio ratio) {
  Tangencies result;
  const FrequencyRatio parts = reduced(ratio);
  const double ax = amplitude(p.x0, p.vx0, p.wx);
  const double ay = amplitude(p.y0, p.vy0, p.wy);
  if (ax > 0 && ay > 0 && parts.wx_part > 0 && parts.wy_part > 0) {
    // x = ax cos(t - phase_x), y = ay cos(r t - phase_y), t the horizontal phase.
    const double phase_x = std::atan2(p.vx0 / p.wx, p.x0);
    const double phase_y = std::atan2(static_cast<double>(p.vy0) / p.wy, p.y0);
    const double r = p.wy / p.wx;
    for (int m = 0; m < parts.wx_part; ++m) {
      const double y = figure_point(p, phase_x + 2 * std::numbers::pi * m).y;
      const bool end = std::fabs(y) >= ay * (1 - kRelativeTolerance);
      add_touch(result.right, {{ax, y}, end}, false, ay);
    }
    for (int m = 0; m < parts.wy_part; ++m) {
      const double x = figure_point(p, (phase_y + 2 * std::numbers::pi * m) / r).x;
      const bool end = std::fabs(x) >= ax * (1 - kRelativeTolerance);
      add_touch(result.top, {{x, ay}, end}, true, ax);
    }
    std::sort(result.top.begin(), result.top.end(),
              [](const TangencyPoint& a, const TangencyPoint& b) { return a.at.x < b.at.x; });
    std::sort(result.right.begin(), result.right.end(),
              [](const TangencyPoint& a, const TangencyPoint& b) { return a.at.y < b.at.y; });
  }
  result.top_count = count(result.top);
  result.right_count = count(result.right);
  result.sentence = "касаний сверху: " + half_count_text(result.top_count) +
                    ", сбоку: " + half_count_text(result.right_count);
  if (result.top_count.halves > 0 && result.right_count.halves > 0) {
    const int common = std::gcd(result.top_count.halves, result.right_count.halves);
    result.ratio = {result.right_count.halves / common, result.top_count.halves / common};
    result.sentence += ", значит ωx : ωy = " + ratio_text(result.ratio);
  }
  return result;
}

}  // namespace orvinda
