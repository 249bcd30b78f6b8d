#pragma once
// The words that go with a graded self-check task: the verdict, what was
// wrong, how the figure is read, the right answer and the values that draw
// the figure in the main window.

#include <QString>
#include <QStringList>
#include <optional>

#include "model/characteristics.h"
#include "tools/self_check/model/self_check_answer.h"
#include "tools/self_check/model/self_check_task.h"

namespace orvinda {

struct TaskExplanation {
  bool right = false;
  QString verdict;      // "Верно.", "Неверно." or "Ответа нет."
  QString given;        // "Ваш ответ: …", empty without an answer
  QStringList reasons;  // one sentence per wrong part
  // The tangency count and the phase reading, each left out when a reason
  // already says it.
  QStringList reading;
  QString right_answer;  // "Правильный ответ: …", with the other phases of the same figure
  // "Значения для главного окна: Wx(рад/с)= 1; …", each value unbreakable
  // (a word joiner after "/", no-break spaces) and a leading "." given its 0.
  QString parameters;
  QStringList parameter_values;  // "Wx(рад/с)= 1", … as the boxes get them

  // Everything above, one sentence a line.
  QStringList lines() const;
};

// Grades the answer as the model does; without an answer, the reading and
// the right answer alone.
TaskExplanation explain_task(const Task& task, const std::optional<Answer>& answer);

// A task's values as the main window gets them: Yo to 7 significant digits,
// as Voy has them, since the figure needs no more; Wy keeps all 15, so
// that 4/3 still closes.
MotionParameters main_window_values(const MotionParameters& p);

// The texts the main window's boxes Text1 … Text6 get for these values.
QStringList box_texts(const MotionParameters& p);

// A model sentence as it is shown: capital first letter, full stop.
QString as_sentence(const std::string& text);

}  // namespace orvinda
