#include "tools/self_check/model/self_check_result.h"

#include "tools/self_check/model/self_check_grading.h"

namespace orvinda {

namespace {

// After "из N" the noun is in the genitive: singular when N ends in 1 (but
// not 11), plural otherwise.
std::string out_of(int total, const char* singular, const char* plural) {
  const bool one = total % 10 == 1 && total % 100 != 11;
  return "из " + std::to_string(total) + " " + (one ? singular : plural);
}

}  // namespace

std::string score_text(int right_parts, int total_parts, int right, int total) {
  return "Правильно: " + std::to_string(right_parts) + " " +
         out_of(total_parts, "части", "частей") + "; " + std::to_string(right) + " " +
         out_of(total, "задания", "заданий");
}

SeriesResult series_result(const std::vector<Task>& tasks,
                           const std::vector<std::optional<Answer>>& answers) {
  SeriesResult result;
  result.total = static_cast<int>(tasks.size());
  result.total_parts = kPartsPerTask * result.total;
  for (std::size_t i = 0; i < tasks.size(); ++i) {
    ResultRow row;
    row.number = static_cast<int>(i) + 1;
    row.right_answer = answer_text(right_answer(tasks[i]));
    if (i < answers.size() && answers[i]) {
      row.answered = true;
      row.given = answer_text(*answers[i]);
      const Grade grade = grade_answer(tasks[i], *answers[i]);
      row.parts = {grade.ratio.right, grade.phase.right, grade.third.right};
      // A whole task needs every part; the grader's own verdict must agree.
      row.right = grade.right && row.parts.count() == kPartsPerTask;
    } else {
      row.given = "нет ответа";
    }
    if (row.right) ++result.right;
    result.right_parts += row.parts.count();
    result.rows.push_back(std::move(row));
  }
  result.score = score_text(result.right_parts, result.total_parts, result.right, result.total);
  return result;
}

}  // namespace orvinda
