#pragma once
// An experiment as a file keeps it: the six parameters, the slow-down and a
// comment. The numbers are doubles as read, so that a file's value can be
// judged before it is narrowed to the window's float and 16-bit integer.

#include <cstdint>
#include <optional>
#include <string>

#include "model/characteristics.h"

namespace orvinda {

struct Experiment {
  double wx = 1;
  double x0 = 0;
  double vx0 = 0;
  double wy = 1;
  double y0 = 0;
  double vy0 = 0;
  double zam = 5;
  std::string comment;  // UTF-8, free text
};

// The first problem with the values, in Russian and in the order above, or
// nullopt when the window can take them as they are: every value finite,
// wx exactly 1 (its box cannot be edited), wy above 0, |vy0| within the
// largest float, zam a whole number from 1 to 9.
std::optional<std::string> experiment_problem(const Experiment& e);

// The window's state as an experiment; vy0 widens exactly, so the file
// gives it back bit for bit.
Experiment make_experiment(const MotionParameters& p, std::int16_t zam, std::string comment);

// Precondition: experiment_problem(e) is nullopt. vy0 rounds to a float as
// the box would round it.
MotionParameters experiment_parameters(const Experiment& e);
std::int16_t experiment_zam(const Experiment& e);

}  // namespace orvinda
