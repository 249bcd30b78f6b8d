#include "tools/self_check/self_check_explanation.h"

#include "model/numbers.h"
#include "tools/measure/model/tangency_count.h"
#include "tools/self_check/model/phase_reading.h"
#include "tools/self_check/model/quarter_phase.h"
#include "tools/self_check/model/self_check_grading.h"
#include "ui/characteristics_text.h"

namespace orvinda {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// "0, π/2 и π"
QString phase_list(const std::vector<int>& quarters) {
  QString text;
  for (std::size_t i = 0; i < quarters.size(); ++i) {
    if (i > 0) text += i + 1 == quarters.size() ? QStringLiteral(" и ") : QStringLiteral(", ");
    text += q(quarters_text(quarters[i]));
  }
  return text;
}

QString parameters_sentence(const QStringList& values) {
  return QStringLiteral("Значения для главного окна: ") + values.join(QStringLiteral("; ")) +
         QLatin1Char('.');
}

// "Voy(м/с)= .7071068" as one unbreakable piece: the line breaker would
// break after "/" and after a leading ".", and "Voy(м/с)= ." above "7071068"
// reads as two numbers. The number gets its leading zero and stays plain
// characters, so it can be copied into a box.
QString kept_on_one_line(QString value) {
  value.replace(QStringLiteral("= ."), QStringLiteral("= 0."));
  value.replace(QStringLiteral("=-."), QStringLiteral("=-0."));
  value.replace(QLatin1Char(' '), QChar(0x00A0));
  value.replace(QLatin1Char('/'), QStringLiteral("/\u2060"));
  return value;
}

}  // namespace

QString as_sentence(const std::string& text) {
  QString sentence = q(text).trimmed();
  if (sentence.isEmpty()) return sentence;
  sentence[0] = sentence[0].toUpper();
  if (!sentence.endsWith(QLatin1Char('.'))) sentence += QLatin1Char('.');
  return sentence;
}

MotionParameters main_window_values(const MotionParameters& p) {
  MotionParameters shown = p;
  shown.y0 = round_significant(p.y0, 7);
  return shown;
}

QStringList box_texts(const MotionParameters& p) {
  const MotionParameters s = main_window_values(p);
  return {q(format_signed_number(s.wx)),  q(format_signed_number(s.x0)),
          q(format_signed_number(s.vx0)), q(format_signed_number(s.wy)),
          q(format_signed_number(s.y0)),  q(format_signed_number(s.vy0))};
}

TaskExplanation explain_task(const Task& task, const std::optional<Answer>& answer) {
  const TaskGrader grader(task);
  TaskExplanation e;
  if (answer) {
    const Grade grade = grader.grade(*answer);
    e.right = grade.right;
    e.verdict = grade.right ? QStringLiteral("Верно.") : QStringLiteral("Неверно.");
    e.given = QStringLiteral("Ваш ответ: ") + q(answer_text(*answer)) + QLatin1Char('.');
    for (const PartVerdict* part : {&grade.ratio, &grade.phase, &grade.third}) {
      if (!part->right && !part->reason.empty()) e.reasons << as_sentence(part->reason);
    }
  } else {
    e.verdict = QStringLiteral("Ответа нет.");
  }
  // A wrong part's reason may already carry the reading; it is not said twice.
  const QString touches =
      as_sentence(count_tangencies(task_parameters(task), task.kind.ratio).sentence);
  const QString phase = as_sentence(read_phase(task).sentence);
  const QString said = e.reasons.join(QLatin1Char(' ')).toLower();
  if (!said.contains(touches.toLower().chopped(1))) e.reading << touches;
  if (!said.contains(phase.toLower().chopped(1))) e.reading << phase;

  e.right_answer = QStringLiteral("Правильный ответ: ") + q(answer_text(right_answer(task)));
  if (grader.equivalent_phases().size() > 1) {
    e.right_answer +=
        QStringLiteral("; тот же рисунок дают Δφ = ") + phase_list(grader.equivalent_phases());
  }
  e.right_answer += QLatin1Char('.');

  QStringList values = parameter_texts(main_window_values(task_parameters(task)));
  for (QString& value : values) value = value.trimmed();
  e.parameter_values = values;
  QStringList kept;
  for (const QString& value : values) kept << kept_on_one_line(value);
  e.parameters = parameters_sentence(kept);
  return e;
}

QStringList TaskExplanation::lines() const {
  QStringList all{verdict};
  all << reasons << reading << right_answer << parameters;
  return all;
}

}  // namespace orvinda
