#pragma once
// A self-check task's figure, drawn as the program draws every figure: the
// main window's scene for the task's parameters (grid, numbers, axes, start
// velocity; no device), the complete trace by the run's own stepping, the
// start point and an arrow for the way the point moves. No parameter or
// characteristic is written on it.
//
// Explained, it also shows how the figure is read: the rectangle around it,
// the touches with its top and right sides, each with its weight ("1", or
// "½" for an arc's end, drawn as a ring), and the marks of the phase reading
// (for 1 : 1 the intercepts ±b with the axis and the half height B; else the
// start height y0 against Ay).

#include "tools/self_check/model/self_check_task.h"

namespace orvinda {

class PlotSurface;

// Colours, &HBBGGRR.
inline constexpr unsigned kTopTouchColor = 0x990099;   // purple
inline constexpr unsigned kSideTouchColor = 0x0080FF;  // orange
inline constexpr unsigned kReadingColor = 0x808000;    // teal
inline constexpr unsigned kFrameColor = 0x909090;      // grey
inline constexpr unsigned kArrowColor = 0x000000;

// Dot widths in pixels. A half (an arc's end) gets a white hole of its own
// width; the top's marks are the larger, so a corner that is both shows two
// rings.
inline constexpr int kTopTouchWidth = 19;
inline constexpr int kTopHoleWidth = 9;
inline constexpr int kSideTouchWidth = 13;
inline constexpr int kSideHoleWidth = 5;

// Clears the surface and draws the figure at its present size.
void draw_self_check_figure(PlotSurface& surface, const Task& task, bool explained);

}  // namespace orvinda
