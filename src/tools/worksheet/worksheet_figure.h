#pragma once
// A worksheet's figure, drawn as the program draws every figure: the main
// window's scene for its parameters (grid, numbers, axes, start velocity; no
// device), the trace by the run's own stepping over item_turns(), the start
// point and the arrow. No value is written on it.

#include "tools/worksheet/model/worksheet_item.h"

namespace orvinda {

class PlotSurface;

// Clears the surface and draws the figure at its present size.
void draw_worksheet_figure(PlotSurface& surface, const WorksheetItem& item);

}  // namespace orvinda
