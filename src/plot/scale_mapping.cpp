#include "plot/scale_mapping.h"

#include <cmath>

namespace orvinda {

ScaleMapping::ScaleMapping(double left, double top, double right, double bottom, double width_px,
                           double height_px)
    : left_(left), top_(top), right_(right), bottom_(bottom), width_px_(width_px),
      height_px_(height_px) {}

// Half of |b - a|: finite for any finite a and b.
double ScaleMapping::span(double a, double b) { return std::fabs(b / 2 - a / 2); }

// Halves keep x - left finite even for ranges near the largest double.
double ScaleMapping::to_px_x(double x) const {
  return (x / 2 - left_ / 2) / (right_ / 2 - left_ / 2) * width_px_;
}

double ScaleMapping::to_px_y(double y) const {
  return (y / 2 - top_ / 2) / (bottom_ / 2 - top_ / 2) * height_px_;
}

double ScaleMapping::from_px_x(double px) const {
  return 2 * (left_ / 2 + (px / width_px_) * (right_ / 2 - left_ / 2));
}

double ScaleMapping::from_px_y(double py) const {
  return 2 * (top_ / 2 + (py / height_px_) * (bottom_ / 2 - top_ / 2));
}

double ScaleMapping::unit_per_px_x() const { return span(left_, right_) / width_px_ * 2; }
double ScaleMapping::unit_per_px_y() const { return span(top_, bottom_) / height_px_ * 2; }

}  // namespace orvinda
