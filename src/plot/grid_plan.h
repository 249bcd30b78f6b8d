#pragma once
// Which grid lines fit: one per metre while they stand at least a few pixels
// apart, else every 2nd, 5th, 10th, 20th ... metre.

#include <functional>
#include <vector>

namespace orvinda {

inline constexpr double kMinGridSpacingPx = 4.0;

// The spacing in metres: the smallest of 1, 2, 5, 10, 20, 50 ... whose lines
// are at least kMinGridSpacingPx apart at px_per_metre.
double grid_step(double px_per_metre);

// Multiples of step strictly inside -r ... r, in increasing order, 0 included.
std::vector<double> grid_positions(double r, double step);

// Which numbers to print so that none overlaps its neighbour: every line's
// while they fit, else every 2nd, 5th, 10th, 20th ... counted from the line
// at `zero`, so the numbers stay evenly spaced. starts and ends are the
// pixel extents of each number along the axis, in increasing order.
// end_of(i) is asked only for the numbers a check reaches, so long rows of
// lines cost few measurements.
std::vector<bool> non_overlapping(const std::vector<double>& starts,
                                  const std::function<double(std::size_t)>& end_of,
                                  std::size_t zero, double gap);

}  // namespace orvinda
