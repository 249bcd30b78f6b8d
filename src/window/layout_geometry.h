#pragma once
// Where every control of the main window stands for a client size: the
// square plot at the top left, the input and output columns at the right
// edge, the start button in the lower right corner, the slow-down scroll
// bar under the plot. Qt-free so that the formulas can be checked alone.

#include <array>
#include <vector>

namespace orvinda {

struct Box {
  double left = 0, top = 0, width = 0, height = 0;
};

// Whole pixels: edges rounded half up, so neighbours never overlap or gap
// by rounding, and no size is negative.
struct PixelBox {
  int left = 0, top = 0, width = 0, height = 0;
};

PixelBox to_pixels(const Box& box);

struct WindowLayout {
  Box heading_inputs;          // Label10
  std::array<Box, 6> prompts;  // Label1 ... Label6
  std::array<Box, 6> boxes;    // Text1 ... Text6
  Box heading_outputs;         // Label11
  std::array<Box, 7> outputs;  // Label12 ... Label18
  Box start_button;            // CmdOK
  Box scroll_bar;              // HScroll1
  Box scroll_value;            // Label21
  Box plot;                    // Picture1
};

inline constexpr double kMarginX = 5;       // mx
inline constexpr double kMarginY = 5;       // my
inline constexpr double kColumnWidth = 70;  // w
inline constexpr double kRowHeight = 25;    // h

// The plot's side also stays above the scroll bar, so a wide, low window
// never lets the plot cover it.
WindowLayout compute_layout(double scale_width, double scale_height);

// The projector view: the same rule in units `factor` pixels large, every
// box then grown by the factor. A factor of 1 is compute_layout itself.
WindowLayout compute_layout(double scale_width, double scale_height, double factor);

}  // namespace orvinda

namespace orvinda {

// Every control of a layout, in whole pixels.
std::vector<PixelBox> layout_boxes(const WindowLayout& layout);

// At this client size every control lies inside the client area, has a size
// above 0, and no two of them overlap.
bool layout_fits(int scale_width, int scale_height, double factor = 1);

struct ClientSize {
  int width = 0, height = 0;
};

// The smallest client size that fits, measured from compute_layout rather
// than worked out by hand; a view drawn larger by a factor scales it.
ClientSize minimum_client_size(double factor = 1);

// The largest factor up to `wanted`, in steps of 0.05, whose minimum client
// size fits in `room`; never below 1.
double fitting_factor(double wanted, ClientSize room);

}  // namespace orvinda
