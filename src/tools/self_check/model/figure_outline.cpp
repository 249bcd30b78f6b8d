#include "tools/self_check/model/figure_outline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvinda {

namespace {

// Enough cells for tight tolerances, few enough to stay small for wide ones.
constexpr std::size_t kMaxCellsPerSide = 1024;

bool finite(PlanePoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

FigureOutline::FigureOutline(std::vector<PlanePoint> points, double tolerance)
    : tolerance_(tolerance >= 0 ? tolerance : 0) {
  std::erase_if(points, [](PlanePoint p) { return !finite(p); });
  // The indices are 32-bit; far more points than any figure needs are cut.
  if (points.size() > std::numeric_limits<std::uint32_t>::max() / 2) {
    points.resize(std::numeric_limits<std::uint32_t>::max() / 2);
  }
  points_ = std::move(points);
  if (points_.empty()) return;

  double max_x = points_.front().x, max_y = points_.front().y;
  min_x_ = max_x;
  min_y_ = max_y;
  for (const PlanePoint& p : points_) {
    min_x_ = std::min(min_x_, p.x);
    max_x = std::max(max_x, p.x);
    min_y_ = std::min(min_y_, p.y);
    max_y = std::max(max_y, p.y);
  }
  const double extent = std::max(max_x - min_x_, max_y - min_y_);
  cell_ = std::max({tolerance_, extent / static_cast<double>(kMaxCellsPerSide),
                    std::numeric_limits<double>::min()});
  columns_ = index(max_x, min_x_, kMaxCellsPerSide + 1) + 1;
  rows_ = index(max_y, min_y_, kMaxCellsPerSide + 1) + 1;

  // Counting sort of the point indices by cell.
  auto cell_of = [this](PlanePoint p) {
    return index(p.y, min_y_, rows_) * columns_ + index(p.x, min_x_, columns_);
  };
  starts_.assign(columns_ * rows_ + 1, 0);
  for (const PlanePoint& p : points_) ++starts_[cell_of(p) + 1];
  for (std::size_t i = 1; i < starts_.size(); ++i) starts_[i] += starts_[i - 1];
  order_.resize(points_.size());
  std::vector<std::uint32_t> next(starts_.begin(), starts_.end() - 1);
  for (std::size_t i = 0; i < points_.size(); ++i) {
    order_[next[cell_of(points_[i])]++] = static_cast<std::uint32_t>(i);
  }
}

// Cells before the first or past the last (and nan, from coordinates whose
// differences overflow) are taken as the nearest edge cell.
std::size_t FigureOutline::index(double value, double low, std::size_t count) const {
  const double position = std::floor((value - low) / cell_);
  if (!(position > 0)) return 0;
  if (position >= static_cast<double>(count - 1)) return count - 1;
  return static_cast<std::size_t>(position);
}

bool FigureOutline::near(PlanePoint q) const {
  if (points_.empty() || !finite(q)) return false;
  const std::size_t c0 = index(q.x - tolerance_, min_x_, columns_);
  const std::size_t c1 = index(q.x + tolerance_, min_x_, columns_);
  const std::size_t r0 = index(q.y - tolerance_, min_y_, rows_);
  const std::size_t r1 = index(q.y + tolerance_, min_y_, rows_);
  const double squared = tolerance_ * tolerance_;
  for (std::size_t r = r0; r <= r1; ++r) {
    for (std::size_t c = c0; c <= c1; ++c) {
      const std::size_t cell = r * columns_ + c;
      for (std::uint32_t k = starts_[cell]; k < starts_[cell + 1]; ++k) {
        const PlanePoint& p = points_[order_[k]];
        const double dx = p.x - q.x;
        const double dy = p.y - q.y;
        if (dx * dx + dy * dy <= squared) return true;
      }
    }
  }
  return false;
}

bool same_point_set(const FigureOutline& a, const FigureOutline& b) {
  if (a.empty() || b.empty()) return a.empty() && b.empty();
  const auto near_b = [&b](PlanePoint p) { return b.near(p); };
  const auto near_a = [&a](PlanePoint p) { return a.near(p); };
  return std::all_of(a.points().begin(), a.points().end(), near_b) &&
         std::all_of(b.points().begin(), b.points().end(), near_a);
}

}  // namespace orvinda
