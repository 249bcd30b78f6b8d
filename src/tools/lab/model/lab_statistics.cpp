#include "tools/lab/model/lab_statistics.h"

#include <array>
#include <cmath>

namespace orvinda {

double student_coefficient(int n) {
  static constexpr std::array<double, 19> kByReadings{
      12.71, 4.30, 3.18, 2.78, 2.57, 2.45, 2.36, 2.31, 2.26, 2.23,  // n = 2 ... 11
      2.20,  2.18, 2.16, 2.14, 2.13, 2.12, 2.11, 2.10, 2.09};       // n = 12 ... 20
  if (n < 2) return 0;
  const auto i = static_cast<std::size_t>(n - 2);
  return i < kByReadings.size() ? kByReadings[i] : kByReadings.back();
}

Estimate estimate(const std::vector<double>& values, double systematic) {
  Estimate e;
  e.n = static_cast<int>(values.size());
  e.systematic = std::fabs(systematic);
  if (e.n > 0) {
    double sum = 0;
    for (double v : values) sum += v;
    e.mean = sum / e.n;
  }
  if (e.n > 1) {
    double squares = 0;
    for (double v : values) squares += (v - e.mean) * (v - e.mean);
    const double s = std::sqrt(squares / (e.n - 1));
    e.random = student_coefficient(e.n) * s / std::sqrt(static_cast<double>(e.n));
  }
  e.total = std::hypot(e.random, e.systematic);
  return e;
}

}  // namespace orvinda
