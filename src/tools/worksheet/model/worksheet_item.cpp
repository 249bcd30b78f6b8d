#include "tools/worksheet/model/worksheet_item.h"

#include <cmath>
#include <numbers>

#include "model/figure_period.h"
#include "tools/self_check/model/decimal_text.h"
#include "tools/self_check/model/figure_comparison.h"
#include "tools/self_check/model/quarter_phase.h"
#include "tools/self_check/model/self_check_answer.h"
#include "tools/self_check/model/self_check_grading.h"
#include "tools/self_check/model/self_check_variant.h"

namespace orvinda {

namespace {

constexpr int kDefaultTurns = 20;
constexpr double kWhole = 1e-6;  // how near a whole number of quarters counts as one

// The frequency ratio of a figure that closes: after q turns of x, y made p.
std::optional<FrequencyRatio> closing_ratio(const Characteristics& c) {
  const std::optional<int> q = turns_to_close(c.wywx, kDefaultTurns);
  if (!q) return std::nullopt;
  const int p = static_cast<int>(std::lround(*q * static_cast<double>(c.wywx)));
  if (p <= 0) return std::nullopt;
  return reduced(FrequencyRatio{*q, p});
}

// The phase difference with x's initial phase moved to 0: y = Ay cos(Wy t - dphi)
// when x = Ax cos t. In (-pi, pi].
double shifted_phase(const Characteristics& c) {
  double dphi = c.fiy - static_cast<double>(c.wywx) * c.fix;
  dphi = std::remainder(dphi, 2 * std::numbers::pi);
  if (dphi <= -std::numbers::pi) dphi += 2 * std::numbers::pi;
  return dphi;
}

std::string phase_list(const std::vector<int>& quarters) {
  std::string text;
  for (std::size_t i = 0; i < quarters.size(); ++i) {
    if (i > 0) text += " или ";
    text += quarters_text(quarters[i]);
  }
  return text;
}

KeyEntry task_key(const Task& task) {
  const TaskGrader grader(task);
  KeyEntry key;
  key.ratio = "ωx : ωy = " + ratio_text(task.kind.ratio);
  key.phases = "Δφ = " + phase_list(grader.equivalent_phases());
  key.third = third_choice_text(right_answer(task).third);
  return key;
}

// An experiment whose figure is one a task can show: an offered ratio and a
// whole number of quarters of pi.
std::optional<Task> as_task(const MotionParameters& p) {
  const Characteristics c = compute_characteristics(p, 0, false);
  const std::optional<FrequencyRatio> ratio = closing_ratio(c);
  if (!ratio || !ratio_offered(*ratio) || !(c.ax > 0) || !(c.ay > 0)) return std::nullopt;
  const double quarters = shifted_phase(c) / (std::numbers::pi / 4);
  if (std::fabs(quarters - std::round(quarters)) > kWhole) return std::nullopt;
  Task task;
  task.kind = {*ratio, normalised_quarters(static_cast<int>(std::lround(quarters)))};
  return task;
}

}  // namespace

std::vector<WorksheetItem> variant_items(int code) {
  std::vector<WorksheetItem> items;
  for (const Task& task : variant_tasks(code)) items.push_back({task_parameters(task), task});
  return items;
}

WorksheetItem file_item(const MotionParameters& p) { return {p, std::nullopt}; }

int item_turns(const WorksheetItem& item) {
  const Characteristics c = compute_characteristics(item.parameters, 0, false);
  return turns_to_close(c.wywx, kDefaultTurns).value_or(kDefaultTurns);
}

ThirdQuestion third_question(const WorksheetItem& item) {
  if (item.task) {
    return is_one_to_one(item.task->kind.ratio) ? ThirdQuestion::kDirection
                                                : ThirdQuestion::kClosedness;
  }
  const Characteristics c = compute_characteristics(item.parameters, 0, false);
  const std::optional<FrequencyRatio> ratio = closing_ratio(c);
  return ratio && is_one_to_one(*ratio) ? ThirdQuestion::kDirection : ThirdQuestion::kClosedness;
}

KeyEntry item_key(const WorksheetItem& item) {
  if (item.task) return task_key(*item.task);
  // The amplitudes do not change which phases draw the figure.
  if (std::optional<Task> task = as_task(item.parameters)) return task_key(*task);

  const MotionParameters& p = item.parameters;
  const Characteristics c = compute_characteristics(p, 0, false);
  const std::optional<FrequencyRatio> ratio = closing_ratio(c);
  const double dphi = shifted_phase(c);
  KeyEntry key;
  key.ratio = ratio ? "ωx : ωy = " + ratio_text(*ratio) : std::string("не замыкается");
  const double quarters = dphi / (std::numbers::pi / 4);
  if (std::fabs(quarters - std::round(quarters)) <= kWhole) {
    key.phases = "Δφ = " + quarters_text(static_cast<int>(std::lround(quarters)));
  } else {
    key.phases = "Δφ ≈ " + decimal_text(dphi / std::numbers::pi, 2) + "π";
  }
  if (!ratio) {
    key.third = third_choice_text(ThirdChoice::kOpen);
  } else if (is_one_to_one(*ratio)) {
    ThirdChoice way = dphi > 0 ? ThirdChoice::kCounterclockwise : ThirdChoice::kClockwise;
    if (figure_is_open(p, *ratio)) way = ThirdChoice::kSegment;
    key.third = third_choice_text(way);
  } else {
    key.third =
        third_choice_text(figure_is_open(p, *ratio) ? ThirdChoice::kOpen : ThirdChoice::kClosed);
  }
  return key;
}

}  // namespace orvinda
