#pragma once
// Phase differences that are whole multiples of pi/4, as the self-check uses
// them. Cosines and sines come from a table, so the boxes get exactly 0, 1 and
// sqrt(2)/2 rather than what cos() of a rounded angle happens to give.

#include <string>

namespace orvinda {

// k quarters of pi brought into (-pi, pi]: -3 ... 4.
int normalised_quarters(int quarters);

double cos_quarters(int quarters);
double sin_quarters(int quarters);

// "0", "π/4", "π/2", "3π/4", "π", "−π/4", "−π/2", "−3π/4" of the angle in (-pi, pi].
std::string quarters_text(int quarters);

}  // namespace orvinda
