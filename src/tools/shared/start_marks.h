#pragma once
// The start point and the direction arrow of a motion, recorded apart from
// the plot they mark, so a picture can show them without touching the plot.

#include "model/characteristics.h"
#include "plot/drawing_list.h"

namespace orvinda {

class PlotSurface;

// A drawing list of the size and scale of plot's, holding only the start
// point and the arrow, as every figure of the program marks them.
DrawingList start_marks(const PlotSurface& plot, const MotionParameters& p);

}  // namespace orvinda
