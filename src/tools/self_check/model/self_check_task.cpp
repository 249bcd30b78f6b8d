#include "tools/self_check/model/self_check_task.h"

#include "model/numbers.h"
#include "tools/self_check/model/quarter_phase.h"

namespace orvinda {

const std::array<FrequencyRatio, 9>& answer_ratios() {
  static constexpr std::array<FrequencyRatio, 9> kRatios{
      {{1, 1}, {1, 2}, {2, 1}, {1, 3}, {3, 1}, {2, 3}, {3, 2}, {3, 4}, {4, 3}}};
  return kRatios;
}

const std::vector<TaskKind>& task_kinds() {
  static const std::vector<TaskKind> kKinds = [] {
    std::vector<TaskKind> kinds;
    for (int quarters : {0, 1, -1, 2, -2, 3, -3, 4}) kinds.push_back({{1, 1}, quarters});
    for (std::size_t i = 1; i < answer_ratios().size(); ++i) {
      for (int quarters = 0; quarters <= 4; ++quarters) {
        kinds.push_back({answer_ratios()[i], quarters});
      }
    }
    return kinds;
  }();
  return kKinds;
}

MotionParameters parameters_for(FrequencyRatio ratio, int phase_quarters, double ax, double ay) {
  MotionParameters p;
  p.wx = 1;
  p.x0 = ax;
  p.vx0 = 0;
  p.wy = static_cast<double>(ratio.wy_part) / ratio.wx_part;
  p.y0 = ay * cos_quarters(phase_quarters);
  p.vy0 = to_single(ay * p.wy * sin_quarters(phase_quarters));
  return p;
}

MotionParameters task_parameters(const Task& task) {
  return parameters_for(task.kind.ratio, task.kind.phase_quarters, task.ax, task.ay);
}

}  // namespace orvinda
