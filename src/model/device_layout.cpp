#include "model/device_layout.h"

#include <cmath>
#include <limits>

#include "model/numbers.h"

namespace orvinda {

namespace {

// Twice a half, saturating: lengths across a range near the largest double
// stay finite.
double doubled(double half) {
  const double limit = std::numeric_limits<double>::max() / 2;
  if (half > limit) return std::numeric_limits<double>::max();
  if (half < -limit) return -std::numeric_limits<double>::max();
  return 2 * half;
}

// From the block's underside down to the ball's top; never negative.
double vertical_spring_height(double y, double ymax, const DeviceSizes& s) {
  const double h = doubled(ymax / 2 - y / 2 - s.block_h / 2 - s.ball_h / 4);
  return h < 0 ? 0 : h;
}

// From the left edge to the ball's left side.
double horizontal_spring_width(double ball_left, double xmin) {
  return std::fabs(doubled(ball_left / 2 - xmin / 2));
}

}  // namespace

DevicePlacement initial_device_placement(double x0, double y0, double xmin, double ymax,
                                         double ymin, const DeviceSizes& s) {
  DevicePlacement p;
  p.bar_left = saturate(x0 - s.bar_w / 2);
  p.bar_top = ymax - s.block_h;
  // (ymax - ymin) without overflow near the largest double.
  p.bar_height = 2 * (ymax / 2 - ymin / 2) - s.block_h - 1;
  if (!std::isfinite(p.bar_height)) p.bar_height = ymax - s.block_h;
  if (p.bar_height < 0) p.bar_height = 0;
  p.ball_left = saturate(x0 - s.ball_w / 2);
  p.ball_top = saturate(y0 + s.ball_h / 2);
  p.block_top = ymax;
  p.block_left = saturate(x0 - s.block_w / 2);
  p.hspring_left = xmin;
  p.hspring_width = horizontal_spring_width(p.ball_left, xmin);
  p.hspring_top = ymax;
  p.vspring_top = ymax - s.block_h;
  p.vspring_left = saturate(x0 - s.vspring_w / 2);
  p.vspring_height = vertical_spring_height(y0, ymax, s);
  return p;
}

DeviceMove moved_device(double x, double y, double xmin, double ymax, const DeviceSizes& s) {
  DeviceMove m;
  m.bar_left = saturate(x - s.bar_w / 2);
  m.ball_left = saturate(x - s.ball_w / 2);
  m.ball_top = saturate(y + s.ball_h / 2);
  m.hspring_width = horizontal_spring_width(m.ball_left, xmin);
  m.block_left = saturate(x - s.block_w / 2);
  m.vspring_left = saturate(x - s.vspring_w / 2);
  m.vspring_height = vertical_spring_height(y, ymax, s);
  return m;
}

}  // namespace orvinda
