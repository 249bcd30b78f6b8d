#pragma once
// What a figure is: which way a closed loop is run, and whether the point
// runs to and fro along one arc.

#include <vector>

#include "model/characteristics.h"
#include "model/figure_sampling.h"
#include "model/frequency_ratio.h"

namespace orvinda {

enum class Traversal { kNone, kClockwise, kCounterclockwise };

// The sign of the area the samples enclose, taken as one closed loop in the
// y-up plane. kNone when the area is negligible against the figure's box: a
// segment, or a figure whose loops cancel, as every ratio but 1 : 1 does.
Traversal traversal(const std::vector<PlanePoint>& loop);

// The point reverses on its path: at some instant both coordinates stand at
// their extremes at once, so the figure is an arc run there and back (the
// ends lie on the sides of the bounding rectangle). A zero amplitude makes a
// segment on an axis, which is open too. Precondition: positive ratio parts.
bool figure_is_open(const MotionParameters& p, FrequencyRatio ratio);

}  // namespace orvinda
