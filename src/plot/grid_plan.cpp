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
                                  const std::vector<double>& ends, std::size_t first, double gap) {
  std::vector<bool> shown(starts.size(), false);
  if (first >= starts.size()) return shown;
  shown[first] = true;
  double right_edge = ends[first];
  for (std::size_t i = first + 1; i < starts.size(); ++i) {
    if (starts[i] >= right_edge + gap) {
      shown[i] = true;
      right_edge = ends[i];
    }
  }
  double left_edge = starts[first];
  for (std::size_t i = first; i-- > 0;) {
    if (ends[i] + gap <= left_edge) {
      shown[i] = true;
      left_edge = starts[i];
    }
  }
  return shown;
}

}  // namespace orvinda
