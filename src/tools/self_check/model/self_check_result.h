#pragma once
// The end of a series: the score in parts and in whole tasks and, per task,
// the answer given, the right one as Russian texts and each part's verdict.

#include <optional>
#include <string>
#include <vector>

#include "tools/self_check/model/self_check_answer.h"
#include "tools/self_check/model/self_check_task.h"

namespace orvinda {

// Each task has three parts, scored apart: the ratio, the phase and the
// third choice (direction or closedness), as the grader judges them.
inline constexpr int kPartsPerTask = 3;

struct PartCredit {
  bool ratio = false;
  bool phase = false;
  bool third = false;
  int count() const { return int(ratio) + int(phase) + int(third); }
};

struct ResultRow {
  int number = 0;  // 1 ... 10
  bool answered = false;
  std::string given;  // answer_text, or "нет ответа"
  std::string right_answer;
  bool right = false;  // the whole task: all three parts
  PartCredit parts;    // none for a task not answered
};

struct SeriesResult {
  int right = 0;  // whole tasks
  int total = 0;
  int right_parts = 0;
  int total_parts = 0;
  std::string score;  // "Правильно: 22 из 30 частей; 6 из 10 заданий"
  std::vector<ResultRow> rows;
};

// "Правильно: 22 из 30 частей; 6 из 10 заданий", the nouns agreeing with
// the totals ("из 1 части", "из 21 задания").
std::string score_text(int right_parts, int total_parts, int right, int total);

// answers[i] is the answer to tasks[i]; a missing or empty one counts as
// wrong in every part, answers beyond the tasks are ignored.
SeriesResult series_result(const std::vector<Task>& tasks,
                           const std::vector<std::optional<Answer>>& answers);

}  // namespace orvinda
