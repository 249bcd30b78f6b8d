#pragma once
// A series of direct readings: its mean, the random error with Student's
// coefficient at P = 0.95, a systematic error beside it and their sum in
// quadrature.

#include <vector>

namespace orvinda {

// Student's coefficient for n readings at P = 0.95; 0 below two readings.
// Past the table's end the value for 20 readings stands, a little larger
// than the true one: the error is never understated.
double student_coefficient(int n);

struct Estimate {
  int n = 0;
  double mean = 0;
  double random = 0;      // t·s/√n
  double systematic = 0;  // as given
  double total = 0;       // √(random² + systematic²)
};

Estimate estimate(const std::vector<double>& values, double systematic);

}  // namespace orvinda
