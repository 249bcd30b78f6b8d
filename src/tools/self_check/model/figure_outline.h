#pragma once
// A figure as a set of sample points that answers "is there a point of the
// figure within the tolerance of this one" in constant time: the points are
// bucketed in square cells at least as wide as the tolerance, so a near point
// can only lie in the cells around the query.

#include <cstdint>
#include <vector>

#include "model/figure_sampling.h"

namespace orvinda {

class FigureOutline {
 public:
  // Points that are not finite are left out; a negative or nan tolerance is
  // taken as 0.
  FigureOutline(std::vector<PlanePoint> points, double tolerance);

  bool empty() const { return points_.empty(); }
  double tolerance() const { return tolerance_; }
  const std::vector<PlanePoint>& points() const { return points_; }

  // Some point of the outline lies within the tolerance of p. Never for a
  // point that is not finite, nor for an empty outline.
  bool near(PlanePoint p) const;

 private:
  std::size_t index(double value, double low, std::size_t count) const;

  std::vector<PlanePoint> points_;
  double tolerance_ = 0;
  double min_x_ = 0, min_y_ = 0;
  double cell_ = 1;
  std::size_t columns_ = 1, rows_ = 1;
  std::vector<std::uint32_t> starts_;  // per cell, into order_; one more at the end
  std::vector<std::uint32_t> order_;   // point indices sorted by cell
};

// Every point of each lies near the other, each outline's tolerance applying
// to the points tested against it: with equal tolerances, the sample sets are
// at most that far apart (their Hausdorff distance). Two empty ones are the
// same.
bool same_point_set(const FigureOutline& a, const FigureOutline& b);

}  // namespace orvinda
