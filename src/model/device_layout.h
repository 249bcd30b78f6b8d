#pragma once
// Where the pieces of the oscillating device stand for a point (x, y): the
// ball centred on the point, the block on the rail above it, the bar hanging
// from the block, the horizontal spring from the left edge to the block and
// the vertical spring from the block down to the ball. All in metres.

namespace orvinda {

struct DeviceSizes {
  double ball_w = 0, ball_h = 0;    // Shape1
  double block_w = 0, block_h = 0;  // Shape2
  double bar_w = 0;                 // Image3
  double vspring_w = 0;             // Image2
};

struct DevicePlacement {
  double bar_left = 0, bar_top = 0, bar_height = 0;
  double ball_left = 0, ball_top = 0;
  double block_left = 0, block_top = 0;
  double hspring_left = 0, hspring_top = 0, hspring_width = 0;
  double vspring_left = 0, vspring_top = 0, vspring_height = 0;
};

// The whole device at the initial point, inside the range xmin..xmax, ymin..ymax.
DevicePlacement initial_device_placement(double x0, double y0, double xmin, double ymax,
                                         double ymin, const DeviceSizes& sizes);

// What the run moves: everything but the tops and the bar's height.
struct DeviceMove {
  double bar_left = 0;
  double ball_left = 0, ball_top = 0;
  double hspring_width = 0;
  double block_left = 0;
  double vspring_left = 0, vspring_height = 0;
};

DeviceMove moved_device(double x, double y, double xmin, double ymax, const DeviceSizes& sizes);

}  // namespace orvinda
