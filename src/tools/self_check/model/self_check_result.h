#pragma once
// The end of a series: the score and, per task, the answer given and the
// right one as Russian texts.

#include <optional>
#include <string>
#include <vector>

#include "tools/self_check/model/self_check_answer.h"
#include "tools/self_check/model/self_check_task.h"

namespace orvinda {

struct ResultRow {
  int number = 0;     // 1 ... 10
  std::string given;  // answer_text, or "нет ответа"
  std::string right_answer;
  bool right = false;
};

struct SeriesResult {
  int right = 0;
  int total = 0;
  std::string score;  // "Правильно: 7 из 10"
  std::vector<ResultRow> rows;
};

// "Правильно: 7 из 10"
std::string score_text(int right, int total);

// answers[i] is the answer to tasks[i]; a missing or empty one counts as
// wrong, answers beyond the tasks are ignored.
SeriesResult series_result(const std::vector<Task>& tasks,
                           const std::vector<std::optional<Answer>>& answers);

}  // namespace orvinda
