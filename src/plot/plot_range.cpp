#include "plot/plot_range.h"

#include <cmath>
#include <limits>

namespace orvinda {

double plot_radius(double ax, double ay) {
  const double a = ax > ay ? ax : ay;
  double r = std::floor(a) + 2;
  if (!std::isfinite(r)) r = std::numeric_limits<double>::max();
  return r;
}

PlotRange plot_range(double ax, double ay) {
  const double r = plot_radius(ax, ay);
  PlotRange range;
  range.xmax = r;
  range.xmin = -r;
  range.ymax = range.xmax;
  range.ymin = -r;
  return range;
}

}  // namespace orvinda
