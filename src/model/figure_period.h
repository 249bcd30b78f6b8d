#pragma once
// How long a figure takes to close, counted in turns of the horizontal
// oscillation, and how many run steps that is.

#include <optional>

namespace orvinda {

// The smallest q in 1 ... max_turns for which q * wywx lies within 1e-6 of
// a whole number: after q turns of x the point is back where it started.
// None when the figure does not close that soon.
std::optional<int> turns_to_close(float wywx, int max_turns = 20);

// Run steps of size dt (radians of horizontal phase, float time as the run
// keeps it) until the time reaches turns full turns of x, to the nearest
// step; never more than max_steps, and no further once the float time
// stops growing.
long long steps_for_turns(float dt, double turns, long long max_steps = 1'000'000);

}  // namespace orvinda
