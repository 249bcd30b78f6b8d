#include "tools/self_check/model/self_check_answer.h"

#include <algorithm>
#include <cstdlib>

#include "tools/self_check/model/figure_comparison.h"
#include "tools/self_check/model/quarter_phase.h"

namespace orvinda {

bool ratio_offered(FrequencyRatio ratio) {
  const auto& ratios = answer_ratios();
  return std::find(ratios.begin(), ratios.end(), ratio) != ratios.end();
}

bool phase_offered(int phase_quarters) { return phase_quarters >= 0 && phase_quarters <= 4; }

std::vector<ThirdChoice> third_choices(FrequencyRatio ratio) {
  if (is_one_to_one(ratio)) {
    return {ThirdChoice::kClockwise, ThirdChoice::kCounterclockwise, ThirdChoice::kSegment};
  }
  return {ThirdChoice::kClosed, ThirdChoice::kOpen};
}

std::vector<Answer> all_answers() {
  std::vector<Answer> answers;
  for (FrequencyRatio ratio : answer_ratios()) {
    for (int quarters = 0; quarters <= 4; ++quarters) {
      for (ThirdChoice third : third_choices(ratio)) answers.push_back({ratio, quarters, third});
    }
  }
  return answers;
}

int signed_answer_quarters(const Answer& answer) {
  const bool backwards = is_one_to_one(answer.ratio) && answer.third == ThirdChoice::kClockwise;
  return backwards ? -answer.phase_quarters : answer.phase_quarters;
}

MotionParameters answer_parameters(const Answer& answer) {
  return parameters_for(answer.ratio, signed_answer_quarters(answer), 1, 1);
}

Answer right_answer(const Task& task) {
  const int quarters = normalised_quarters(task.kind.phase_quarters);
  Answer answer{task.kind.ratio, std::abs(quarters), ThirdChoice::kClosed};
  if (is_one_to_one(task.kind.ratio)) {
    if (quarters == 0 || quarters == 4) {
      answer.third = ThirdChoice::kSegment;
    } else {
      answer.third = quarters > 0 ? ThirdChoice::kCounterclockwise : ThirdChoice::kClockwise;
    }
  } else {
    const bool open = figure_is_open(task_parameters(task), task.kind.ratio);
    answer.third = open ? ThirdChoice::kOpen : ThirdChoice::kClosed;
  }
  return answer;
}

std::string third_choice_text(ThirdChoice choice) {
  switch (choice) {
    case ThirdChoice::kClockwise: return "по часовой стрелке";
    case ThirdChoice::kCounterclockwise: return "против часовой стрелки";
    case ThirdChoice::kSegment: return "отрезок";
    case ThirdChoice::kClosed: return "замкнутая";
    case ThirdChoice::kOpen: return "незамкнутая";
  }
  return {};
}

std::string answer_text(const Answer& answer) {
  return "ωx : ωy = " + ratio_text(answer.ratio) +
         ", Δφ = " + quarters_text(answer.phase_quarters) + ", " + third_choice_text(answer.third);
}

}  // namespace orvinda
