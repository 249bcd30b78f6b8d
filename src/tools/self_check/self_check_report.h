#pragma once
// The end of a self-check series on paper: a PDF with the student's name and
// class, the score and the list of answers with each part's verdict on the
// first page, then every task's explained figure, drawn again from its
// drawing list, with its texts.

#include <QString>
#include <optional>
#include <vector>

#include "tools/self_check/model/self_check_answer.h"
#include "tools/self_check/model/self_check_task.h"

namespace orvinda {

struct SelfCheckRecord {
  int code = 0;
  std::vector<Task> tasks;
  std::vector<std::optional<Answer>> answers;  // answers[i] to tasks[i]
  QString student;                             // empty: a line to write on
  QString class_name;
};

// Writes through a temporary file that replaces an old one only when
// complete. The reason in Russian when it failed, else empty.
QString write_self_check_report(const QString& path, const SelfCheckRecord& record);

}  // namespace orvinda
