#include "tools/self_check/model/self_check_result.h"

#include "tools/self_check/model/self_check_grading.h"

namespace orvinda {

std::string score_text(int right, int total) {
  return "Правильно: " + std::to_string(right) + " из " + std::to_string(total);
}

SeriesResult series_result(const std::vector<Task>& tasks,
                           const std::vector<std::optional<Answer>>& answers) {
  SeriesResult result;
  result.total = static_cast<int>(tasks.size());
  for (std::size_t i = 0; i < tasks.size(); ++i) {
    ResultRow row;
    row.number = static_cast<int>(i) + 1;
    row.right_answer = answer_text(right_answer(tasks[i]));
    if (i < answers.size() && answers[i]) {
      row.given = answer_text(*answers[i]);
      row.right = grade_answer(tasks[i], *answers[i]).right;
    } else {
      row.given = "нет ответа";
    }
    if (row.right) ++result.right;
    result.rows.push_back(std::move(row));
  }
  result.score = score_text(result.right, result.total);
  return result;
}

}  // namespace orvinda
