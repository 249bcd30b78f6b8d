#pragma once
// The square plot range in metres: -R ... R on both axes.

namespace orvinda {

struct PlotRange {
  double xmin = -2, xmax = 2, ymin = -2, ymax = 2;
};

// R = whole metres of the larger amplitude + 2, so the figure stays more than
// a metre inside the border. Finite for any finite amplitude.
double plot_radius(double ax, double ay);

PlotRange plot_range(double ax, double ay);

}  // namespace orvinda
