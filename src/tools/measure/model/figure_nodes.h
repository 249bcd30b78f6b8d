#pragma once
// The nodes of the drawn figure, found from the motion: the points it passes
// at two times on different branches. An arc run there and back passes each
// of its points twice on the same branch: that is no node.

#include <vector>

#include "model/trace.h"
#include "tools/measure/model/drawn_figure.h"

namespace orvinda {

// Each node once, in metres, where both of its passes are drawn. A figure that
// never closes has the nodes of its first near lap while it drifts less than
// pixel_m a lap, and none once it fills its rectangle.
std::vector<TracePoint> figure_nodes(const DrawnFigure& figure, double pixel_m);

}  // namespace orvinda
