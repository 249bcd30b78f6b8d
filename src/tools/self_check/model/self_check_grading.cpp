#include "tools/self_check/model/self_check_grading.h"

#include <algorithm>

#include "model/figure_sampling.h"
#include "tools/measure/model/tangency_count.h"
#include "tools/self_check/model/phase_reading.h"
#include "tools/self_check/model/quarter_phase.h"

namespace orvinda {

namespace {

// The largest step between samples is about 2 pi sqrt(wx^2 + wy^2) / samples
// of the unit square: under 0.005 with 1024 per ratio part.
constexpr int kSamplesPerRatioPart = 1024;

bool claims_open(ThirdChoice choice) {
  return choice == ThirdChoice::kSegment || choice == ThirdChoice::kOpen;
}

bool names_direction(ThirdChoice choice) {
  return choice == ThirdChoice::kClockwise || choice == ThirdChoice::kCounterclockwise ||
         choice == ThirdChoice::kSegment;
}

// "π/4", "π/4 и 3π/4", "0, π/2 и π"
std::string phase_list(const std::vector<int>& quarters) {
  std::string text;
  for (std::size_t i = 0; i < quarters.size(); ++i) {
    if (i > 0) text += i + 1 == quarters.size() ? " и " : ", ";
    text += quarters_text(quarters[i]);
  }
  return text;
}

std::string direction_reason(ThirdChoice truth, ThirdChoice given) {
  if (truth == ThirdChoice::kSegment) return "Фигура — отрезок: точка ходит по нему туда и обратно";
  const std::string way = third_choice_text(truth);
  if (given == ThirdChoice::kSegment) {
    return "Фигура — эллипс, а не отрезок: точка обходит его " + way;
  }
  return "Точка обходит эллипс " + way + ", а не " + third_choice_text(given);
}

std::string closure_reason(bool open) {
  if (open) {
    return "Фигура незамкнутая: точка ходит по одной дуге туда и обратно, концы дуги лежат на "
           "сторонах прямоугольника";
  }
  return "Фигура замкнутая: точка обходит её, нигде не поворачивая назад";
}

}  // namespace

int grading_samples(FrequencyRatio ratio) {
  const FrequencyRatio parts = reduced(ratio);
  return kSamplesPerRatioPart * std::clamp(parts.wx_part + parts.wy_part, 2, 64);
}

TaskGrader::TaskGrader(const Task& task)
    : task_(task), ratio_(reduced(task.kind.ratio)),
      shown_(normalised_figure(task_parameters(task), ratio_, grading_samples(ratio_)),
             kFigureTolerance) {
  const MotionParameters shown = task_parameters(task);
  open_ = figure_is_open(shown, ratio_);
  way_ = traversal(shown_.points());
  for (int quarters = 0; quarters <= 4; ++quarters) {
    if (draws_shown_figure(ratio_, quarters)) equivalent_phases_.push_back(quarters);
  }
}

// A candidate is sampled point by point against the shown outline, so a
// different figure is given up at its first stray point; only a candidate
// that lies along the shown figure is checked the other way round.
bool TaskGrader::draws_shown_figure(FrequencyRatio ratio, int signed_quarters) const {
  if (!ratio_offered(ratio) || shown_.empty()) return false;
  const MotionParameters p = parameters_for(ratio, signed_quarters, 1, 1);
  const PlanePoint scale = figure_scale(p);
  const int samples = grading_samples(ratio);
  const double period = figure_period(ratio);
  std::vector<PlanePoint> points;
  points.reserve(static_cast<std::size_t>(samples));
  for (int i = 0; i < samples; ++i) {
    const PlanePoint raw = figure_point(p, period * i / samples);
    const PlanePoint point{raw.x / scale.x, raw.y / scale.y};
    if (!shown_.near(point)) return false;
    points.push_back(point);
  }
  return same_point_set(shown_, FigureOutline(std::move(points), kFigureTolerance));
}

std::string TaskGrader::phase_reason(const Answer& answer) const {
  const std::string head = phase_offered(answer.phase_quarters)
                               ? "Сдвиг фаз не " + quarters_text(answer.phase_quarters)
                               : std::string("Сдвиг фаз неверен");
  if (is_one_to_one(ratio_)) return head + ". " + read_phase(task_).sentence;
  const char* verb = equivalent_phases_.size() == 1 ? "даёт" : "дают";
  return head + ": этот рисунок " + verb + " Δφ = " + phase_list(equivalent_phases_);
}

Grade TaskGrader::grade(const Answer& answer) const {
  Grade grade;
  grade.ratio.right = ratio_offered(answer.ratio) && answer.ratio == ratio_;
  if (!grade.ratio.right) {
    grade.ratio.reason = "Отношение частот не " + ratio_text(answer.ratio) + " — " +
                         count_tangencies(task_parameters(task_), ratio_).sentence;
  }

  grade.phase.right = phase_offered(answer.phase_quarters) &&
                      std::find(equivalent_phases_.begin(), equivalent_phases_.end(),
                                answer.phase_quarters) != equivalent_phases_.end();
  if (!grade.phase.right) grade.phase.reason = phase_reason(answer);

  if (is_one_to_one(ratio_) && names_direction(answer.third)) {
    ThirdChoice truth = ThirdChoice::kSegment;
    if (!open_) {
      truth = way_ == Traversal::kCounterclockwise ? ThirdChoice::kCounterclockwise
                                                   : ThirdChoice::kClockwise;
    }
    grade.third.right = answer.third == truth;
    if (!grade.third.right) grade.third.reason = direction_reason(truth, answer.third);
  } else {
    grade.third.right = claims_open(answer.third) == open_;
    if (!grade.third.right) grade.third.reason = closure_reason(open_);
  }

  // The whole answer: its own figure must be the shown one, and the third
  // choice carries the direction of a 1 : 1 answer or the closedness.
  const bool same_figure = phase_offered(answer.phase_quarters) &&
                           draws_shown_figure(answer.ratio, signed_answer_quarters(answer));
  grade.right = same_figure && grade.third.right;
  return grade;
}

Grade grade_answer(const Task& task, const Answer& answer) {
  return TaskGrader(task).grade(answer);
}

}  // namespace orvinda
