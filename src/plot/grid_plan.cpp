#include "plot/grid_plan.h"

#include <cmath>
#include <limits>

namespace orvinda {

double grid_step(double px_per_metre) {
  if (!(px_per_metre > 0)) return std::numeric_limits<double>::max();
  if (px_per_metre >= kMinGridSpacingPx) return 1.0;
  const double wanted = kMinGridSpacingPx / px_per_metre;  // metres at least
  double decade = std::pow(10.0, std::floor(std::log10(wanted)));
  for (int guard = 0; guard < 4 && std::isfinite(decade); ++guard) {
    for (double factor : {1.0, 2.0, 5.0}) {
      if (decade * factor >= wanted) return decade * factor;
    }
    decade *= 10;
  }
  return std::numeric_limits<double>::max();
}

std::vector<double> grid_positions(double r, double step) {
  std::vector<double> positions;
  if (!(r > 0) || !(step > 0)) return positions;
  // Lines strictly inside the border: k * step < r.
  double count = std::ceil(r / step) - 1;
  if (count < 0) count = 0;
  const long long n = static_cast<long long>(count);
  positions.reserve(static_cast<std::size_t>(2 * n + 1));
  for (long long k = -n; k <= n; ++k) positions.push_back(static_cast<double>(k) * step);
  return positions;
}

std::vector<bool> non_overlapping(const std::vector<double>& starts,
                                  const std::function<double(std::size_t)>& end_of,
                                  std::size_t zero, double gap) {
  const std::size_t n = starts.size();
  std::vector<bool> shown(n, false);
  if (zero >= n) return shown;
  auto chosen = [zero](std::size_t i, std::size_t stride) {
    const std::size_t distance = i > zero ? i - zero : zero - i;
    return distance % stride == 0;
  };
  auto fits = [&](std::size_t stride) {
    std::size_t previous = n;
    for (std::size_t i = 0; i < n; ++i) {
      if (!chosen(i, stride)) continue;
      if (previous != n && starts[i] < end_of(previous) + gap) return false;
      previous = i;
    }
    return true;
  };
  std::size_t stride = 1;
  for (std::size_t decade = 1; stride < n; decade *= 10) {
    bool found = false;
    for (std::size_t factor : {1, 2, 5}) {
      stride = decade * factor;
      if (stride >= n || fits(stride)) {
        found = true;
        break;
      }
    }
    if (found) break;
  }
  for (std::size_t i = 0; i < n; ++i) shown[i] = chosen(i, std::max<std::size_t>(stride, 1));
  return shown;
}

}  // namespace orvinda
