#pragma once
// The tasks of the self-check: a figure of known frequency ratio and phase
// difference with whole-metre amplitudes, and the boxes of the main window
// that draw it.

#include <array>
#include <vector>

#include "model/characteristics.h"
#include "model/frequency_ratio.h"

namespace orvinda {

inline constexpr int kMinTaskAmplitude = 2;  // metres
inline constexpr int kMaxTaskAmplitude = 5;

// Phase difference dphi = phase_quarters * pi/4; the horizontal phase is 0.
struct TaskKind {
  FrequencyRatio ratio;
  int phase_quarters = 0;
  friend bool operator==(const TaskKind&, const TaskKind&) = default;
};

struct Task {
  TaskKind kind;
  int ax = kMinTaskAmplitude;
  int ay = kMinTaskAmplitude;
  friend bool operator==(const Task&, const Task&) = default;
};

// The nine ratios a student can answer: 1 : 1 first, then the others in
// pairs (1 : 2, 2 : 1, 1 : 3, 3 : 1, 2 : 3, 3 : 2, 3 : 4, 4 : 3).
const std::array<FrequencyRatio, 9>& answer_ratios();

// Every kind a task can be: 1 : 1 with dphi in {0, ±pi/4, ±pi/2, ±3pi/4, pi}
// (8 kinds), then each other ratio with dphi in {0, pi/4, pi/2, 3pi/4, pi}
// (40 kinds).
const std::vector<TaskKind>& task_kinds();

// Wx = 1, Xo = ax, Vox = 0, Wy = wy_part / wx_part, Yo = ay cos dphi,
// Voy = ay Wy sin dphi, so that x = ax cos t and y = ay cos(Wy t - dphi).
// Precondition: both parts of the ratio are positive.
MotionParameters parameters_for(FrequencyRatio ratio, int phase_quarters, double ax, double ay);

MotionParameters task_parameters(const Task& task);

}  // namespace orvinda
