#pragma once
// Grading a self-check answer by the figure it describes, not by its
// numbers: the answer's ratio and phase (signed by the direction for 1 : 1)
// are drawn with unit amplitudes and compared, as a set of points, with the
// shown figure scaled to its amplitudes. So every answer that draws the same
// figure counts: for 2 : 1, dphi = 0 and pi; pi/4 and 3pi/4 (the same curve
// run backwards, and the direction is asked only for 1 : 1); 0, pi/2 and pi
// for 4 : 3. Where the direction is asked it must be the shown one, and the
// closed or open choice must be true of the shown figure.

#include <string>
#include <vector>

#include "model/frequency_ratio.h"
#include "tools/self_check/model/figure_comparison.h"
#include "tools/self_check/model/figure_outline.h"
#include "tools/self_check/model/self_check_answer.h"
#include "tools/self_check/model/self_check_task.h"

namespace orvinda {

// Figures closer than this everywhere are the same. The normalised figure
// fills [-1, 1] x [-1, 1]; different figures of the nine ratios lie at least
// 0.15 apart, the same figure sampled twice within 0.005.
inline constexpr double kFigureTolerance = 0.02;

struct PartVerdict {
  bool right = false;
  std::string reason;  // one Russian line, empty when right
};

struct Grade {
  bool right = false;
  PartVerdict ratio;
  // Judged with the shown ratio, also when the answer's ratio is wrong, so the
  // student learns whether the phase was read right.
  PartVerdict phase;
  // The direction (or segment) when the shown figure is 1 : 1 and the answer
  // gives one; otherwise whether the shown figure is closed, whatever ratio
  // the answer names.
  PartVerdict third;
};

// Grades any number of answers to one task; the shown figure is sampled once.
class TaskGrader {
 public:
  explicit TaskGrader(const Task& task);

  Grade grade(const Answer& answer) const;

  // The phases 0 ... 4 quarters of pi that draw the shown figure with its
  // ratio. For 1 : 1 the sign a direction gives does not change the points,
  // so the direction is judged apart.
  const std::vector<int>& equivalent_phases() const { return equivalent_phases_; }

 private:
  bool draws_shown_figure(FrequencyRatio ratio, int signed_quarters) const;
  std::string phase_reason(const Answer& answer) const;

  Task task_;
  FrequencyRatio ratio_;
  FigureOutline shown_;
  bool open_ = false;
  Traversal way_ = Traversal::kNone;
  std::vector<int> equivalent_phases_;
};

Grade grade_answer(const Task& task, const Answer& answer);

// Points per figure in the comparison: a step well below the tolerance for
// every offered ratio.
int grading_samples(FrequencyRatio ratio);

}  // namespace orvinda
