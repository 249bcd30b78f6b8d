#pragma once
// The user scale of the plot surface: metres to pixels and back. Written so
// that ranges up to the largest double never overflow.

namespace orvinda {

class ScaleMapping {
 public:
  ScaleMapping() = default;
  // Upper-left corner (left, top) and lower-right corner (right, bottom) in
  // user units over a surface of width x height pixels.
  ScaleMapping(double left, double top, double right, double bottom, double width_px,
               double height_px);

  double to_px_x(double x) const;
  double to_px_y(double y) const;
  double from_px_x(double px) const;
  double from_px_y(double py) const;
  // Length of one pixel in user units (positive).
  double unit_per_px_x() const;
  double unit_per_px_y() const;
  double px_per_unit_x() const { return width_px_ / span(left_, right_) / 2; }

  double left() const { return left_; }
  double top() const { return top_; }
  double right() const { return right_; }
  double bottom() const { return bottom_; }
  double width_px() const { return width_px_; }
  double height_px() const { return height_px_; }
  bool valid() const {
    return width_px_ > 0 && height_px_ > 0 && left_ != right_ && top_ != bottom_;
  }

 private:
  static double span(double a, double b);
  double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
  double width_px_ = 0, height_px_ = 0;
};

}  // namespace orvinda
