#pragma once
// The static scene of the plot: grid with numbers, axes with captions, the
// initial-velocity line, the rail and the device at the initial point.

#include <QString>

#include "model/characteristics.h"
#include "plot/plot_range.h"

namespace orvinda {

class Device;
class PlotSurface;

struct SceneInput {
  double xmin = -2, xmax = 2, ymin = -2, ymax = 2;
  double x0 = 0, y0 = 0, vx0 = 0;
  float vy0 = 0;
  QString decimal_separator = QStringLiteral(".");
};

// The scene of a plot range for these initial values.
SceneInput scene_input(const PlotRange& range, const MotionParameters& p,
                       const QString& decimal_separator);

struct GridCounts {
  double nx = 0, dx = 0, ny = 0;
  float dy = 0;
  double step = 1;  // metres between drawn grid lines
};

// Colours, &HBBGGRR.
inline constexpr unsigned kGridColor = 0x80FF80;
inline constexpr unsigned kAxisColor = 0x000000;
inline constexpr unsigned kVelocityColor = 0xFF0000;
inline constexpr unsigned kRailColor = 0x004080;
inline constexpr unsigned kTraceColor = 0x0000FF;

// Leaves the pen width 3 and the current point at (x0, y0), and the device
// at the initial point. Without a device (null), neither it nor its rail is
// drawn: the figure's scene alone.
GridCounts draw_axes(PlotSurface& surface, const SceneInput& in, Device* device);

}  // namespace orvinda
