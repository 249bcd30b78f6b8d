#pragma once
// A student's answer to a self-check task: the frequency ratio, the phase
// difference without a sign, and a third choice that depends on the ratio
// chosen: for 1 : 1 which way the ellipse is run (or that it is a segment),
// for the other ratios whether the figure is closed.

#include <string>
#include <vector>

#include "model/characteristics.h"
#include "model/frequency_ratio.h"
#include "tools/self_check/model/self_check_task.h"

namespace orvinda {

enum class ThirdChoice { kClockwise, kCounterclockwise, kSegment, kClosed, kOpen };

struct Answer {
  FrequencyRatio ratio;
  int phase_quarters = 0;  // dphi = phase_quarters * pi/4, 0 ... 4
  ThirdChoice third = ThirdChoice::kClosed;
  friend bool operator==(const Answer&, const Answer&) = default;
};

// One of the nine ratios of answer_ratios() (unreduced: 2 : 2 is not offered).
bool ratio_offered(FrequencyRatio ratio);
bool phase_offered(int phase_quarters);

// For 1 : 1: clockwise, counterclockwise, segment; otherwise: closed, open.
std::vector<ThirdChoice> third_choices(FrequencyRatio ratio);

// Every answer the window can give: 9 ratios x 5 phases x their third choices.
std::vector<Answer> all_answers();

// The sign the answer gives its phase: a 1 : 1 ellipse run clockwise has
// dphi < 0 (x = cos t, y = cos(t - dphi) moves down from its right end).
int signed_answer_quarters(const Answer& answer);

// Unit amplitudes, the answer's signed phase. Precondition: ratio_offered.
MotionParameters answer_parameters(const Answer& answer);

// The answer that names the task's own ratio and phase: for 1 : 1 the
// direction of a negative phase moves into the third choice.
Answer right_answer(const Task& task);

// "по часовой стрелке", "против часовой стрелки", "отрезок", "замкнутая",
// "незамкнутая".
std::string third_choice_text(ThirdChoice choice);

// "ωx : ωy = 1 : 2, Δφ = π/2, замкнутая"
std::string answer_text(const Answer& answer);

}  // namespace orvinda
