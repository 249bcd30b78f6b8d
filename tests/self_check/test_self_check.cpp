// The self-check's model: series from variant codes, grading by figure,
// tangency counts, the phase reading and the score.

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/characteristics.h"
#include "tools/measure/model/tangency_count.h"
#include "tools/self_check/model/decimal_text.h"
#include "tools/self_check/model/figure_comparison.h"
#include "tools/self_check/model/figure_outline.h"
#include "tools/self_check/model/phase_reading.h"
#include "tools/self_check/model/quarter_phase.h"
#include "tools/self_check/model/self_check_answer.h"
#include "tools/self_check/model/self_check_grading.h"
#include "tools/self_check/model/self_check_result.h"
#include "tools/self_check/model/self_check_task.h"
#include "tools/self_check/model/self_check_variant.h"

using namespace orvinda;

Q_DECLARE_METATYPE(orvinda::TaskKind)

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

QString kind_name(const TaskKind& kind) {
  return q(ratio_text(kind.ratio) + " " + quarters_text(kind.phase_quarters));
}

// "3:2 3 4x2, ...": ratio, phase in quarters of pi, amplitudes.
QString series_text(const std::vector<Task>& tasks) {
  QStringList parts;
  for (const Task& t : tasks) {
    parts << QStringLiteral("%1:%2 %3 %4x%5")
                 .arg(t.kind.ratio.wx_part)
                 .arg(t.kind.ratio.wy_part)
                 .arg(t.kind.phase_quarters)
                 .arg(t.ax)
                 .arg(t.ay);
  }
  return parts.join(QStringLiteral(", "));
}

int mod8(int value) { return ((value % 8) + 8) % 8; }

// x = cos(a t), y = cos(b t - dphi) for wx : wy = a : b is fixed, up to a
// shift in time, by I = a dphi mod 2 pi; running it backwards turns I into
// -I. I = 0 or pi (mod 2 pi) are the arcs run there and back. In quarters of
// pi, mod 8.
int shape_invariant(FrequencyRatio ratio, int quarters) { return mod8(ratio.wx_part * quarters); }

bool open_by_invariant(const TaskKind& kind) {
  return shape_invariant(kind.ratio, kind.phase_quarters) % 4 == 0;
}

// Whether the answer describes the shown figure, from the invariant alone.
bool accepted_by_invariant(const TaskKind& kind, const Answer& answer) {
  if (!(answer.ratio == kind.ratio)) return false;
  const int shown = shape_invariant(kind.ratio, kind.phase_quarters);
  if (is_one_to_one(kind.ratio)) {
    // Oriented: the direction gives the sign, a segment has none to give.
    if (open_by_invariant(kind)) {
      return answer.third == ThirdChoice::kSegment &&
             shape_invariant(kind.ratio, answer.phase_quarters) == shown;
    }
    if (answer.third == ThirdChoice::kSegment) return false;
    const int sign = answer.third == ThirdChoice::kClockwise ? -1 : 1;
    return shape_invariant(kind.ratio, sign * answer.phase_quarters) == shown;
  }
  const int given = shape_invariant(kind.ratio, answer.phase_quarters);
  const bool same_set = given == shown || given == mod8(-shown);
  const ThirdChoice closure = open_by_invariant(kind) ? ThirdChoice::kOpen : ThirdChoice::kClosed;
  return same_set && answer.third == closure;
}

// Amplitudes that differ from kind to kind, x and y apart.
Task task_of(const TaskKind& kind, int index) {
  return {kind, kMinTaskAmplitude + index % 4, kMaxTaskAmplitude - (index / 4) % 4};
}

void add_kind_rows() {
  QTest::addColumn<TaskKind>("kind");
  QTest::addColumn<int>("index");
  int index = 0;
  for (const TaskKind& kind : task_kinds()) {
    QTest::newRow(qPrintable(kind_name(kind))) << kind << index++;
  }
}

}  // namespace

class TestSelfCheck : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void golden_series_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1") << 1
                       << "3:2 3 4x2, 4:3 0 3x4, 3:1 1 4x2, 1:1 3 5x5, 3:4 2 3x3, "
                          "2:1 3 5x4, 1:2 3 2x4, 2:3 4 3x3, 1:1 -1 3x5, 1:1 -2 5x3";
    QTest::newRow("2") << 2
                       << "2:3 3 2x4, 2:1 4 5x5, 1:1 -2 5x4, 3:1 4 4x3, 1:3 0 4x2, "
                          "1:1 0 5x5, 1:2 0 3x2, 3:2 1 2x4, 1:1 4 4x5, 4:3 0 5x3";
    QTest::newRow("12345") << 12345
                           << "3:1 1 3x4, 1:1 -1 4x5, 2:3 3 5x5, 2:1 1 5x3, 1:1 0 2x5, "
                              "3:2 1 5x3, 1:3 0 3x5, 1:2 0 5x2, 1:1 3 2x5, 3:4 2 5x2";
    QTest::newRow("99999") << 99999
                           << "1:1 1 3x2, 3:4 2 3x4, 3:1 1 2x2, 2:1 2 3x4, 1:3 3 2x2, "
                              "1:1 -2 2x5, 1:2 0 3x2, 1:1 2 3x5, 3:2 1 3x2, 2:3 1 3x3";
  }

  // The same tasks on any machine: these literals are the contract with the
  // codes teachers have handed out.
  void golden_series() {
    QFETCH(int, code);
    QFETCH(QString, expected);
    QCOMPARE(series_text(variant_tasks(code)), expected);
  }

  // Every series keeps the documented mix, and together the codes reach every
  // kind and amplitude: a reduction that never reaches a choice fails here.
  void series_mix_over_many_codes() {
    std::set<int> amplitudes_seen;
    std::vector<bool> kind_seen(task_kinds().size(), false);
    for (int code = kMinVariantCode; code <= 3000; ++code) {
      const std::vector<Task> tasks = variant_tasks(code);
      QCOMPARE(int(tasks.size()), kTasksPerSeries);
      int one_to_one = 0;
      std::set<std::pair<int, int>> ratios;
      std::set<int> one_to_one_phases;
      for (const Task& t : tasks) {
        const auto found = std::find(task_kinds().begin(), task_kinds().end(), t.kind);
        QVERIFY2(found != task_kinds().end(), qPrintable(kind_name(t.kind)));
        kind_seen[std::size_t(found - task_kinds().begin())] = true;
        QVERIFY(t.ax >= kMinTaskAmplitude && t.ax <= kMaxTaskAmplitude);
        QVERIFY(t.ay >= kMinTaskAmplitude && t.ay <= kMaxTaskAmplitude);
        amplitudes_seen.insert(t.ax * 10 + t.ay);
        if (is_one_to_one(t.kind.ratio)) {
          ++one_to_one;
          QVERIFY2(one_to_one_phases.insert(t.kind.phase_quarters).second, "1 : 1 phase twice");
        } else {
          QVERIFY2(ratios.insert({t.kind.ratio.wx_part, t.kind.ratio.wy_part}).second,
                   "ratio twice");
        }
      }
      QCOMPARE(one_to_one, kOneToOneTasksPerSeries);
    }
    QVERIFY(std::all_of(kind_seen.begin(), kind_seen.end(), [](bool seen) { return seen; }));
    QCOMPARE(int(amplitudes_seen.size()), 16);
  }

  // With n = 2^31 + 1 about half the raw outputs lie at or above the limit
  // (= n); those must be drawn again, not folded back by the remainder.
  void reduction_rejects_the_uneven_top() {
    const std::uint32_t n = 0x80000001u;
    std::mt19937 reduced_generator(7);
    std::mt19937 raw_generator(7);
    int rejected = 0;
    for (int i = 0; i < 200; ++i) {
      const std::uint32_t value = uniform_below(reduced_generator, n);
      std::uint32_t raw = static_cast<std::uint32_t>(raw_generator());
      while (raw >= n) {
        raw = static_cast<std::uint32_t>(raw_generator());
        ++rejected;
      }
      QCOMPARE(value, raw);
    }
    QVERIFY(rejected > 50);
    std::mt19937 generator(1);
    QCOMPARE(uniform_below(generator, 1), 0u);
    QCOMPARE(uniform_below(generator, 0), 0u);
  }

  void new_variant_codes_are_in_range() {
    std::set<int> codes;
    for (std::uint32_t entropy : {0u, 1u, 2u, 99999u, 100000u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
      const int code = variant_code_from_entropy(entropy);
      QVERIFY(code >= kMinVariantCode && code <= kMaxVariantCode);
      QCOMPARE(variant_code_from_entropy(entropy), code);
      codes.insert(code);
    }
    QCOMPARE(int(codes.size()), 7);  // neighbouring entropies do not collide
  }

  void typed_variant_codes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");  // 0: refused
    QTest::newRow("smallest") << "1" << 1;
    QTest::newRow("largest") << "99999" << 99999;
    QTest::newRow("blanks around") << " \t42 \n" << 42;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("only blanks") << "   " << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("one too many") << "100000" << 0;
    QTest::newRow("minus") << "-5" << 0;
    QTest::newRow("plus") << "+5" << 0;
    QTest::newRow("letter after") << "12a" << 0;
    QTest::newRow("blank inside") << "1 2" << 0;
    QTest::newRow("decimal point") << "12.0" << 0;
    QTest::newRow("very long") << "123456789012345678901234567890" << 0;
    QTest::newRow("other digits") << "١٢" << 0;
  }

  void typed_variant_codes() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    const std::optional<int> code = parse_variant_code(text.toStdString());
    QCOMPARE(code.value_or(0), expected);
  }

  void task_parameters_draw_the_kind_data() { add_kind_rows(); }

  // What the main window computes from the boxes the task gives.
  void task_parameters_draw_the_kind() {
    QFETCH(TaskKind, kind);
    QFETCH(int, index);
    const Task task = task_of(kind, index);
    const MotionParameters p = task_parameters(task);
    QCOMPARE(p.wx, 1.0);
    QCOMPARE(p.vx0, 0.0);
    const Characteristics c = compute_characteristics(p, 0, false);
    QCOMPARE(c.ax, double(task.ax));
    QVERIFY(std::fabs(c.ay - task.ay) < 1e-6);
    QCOMPARE(c.fix, 0.0);
    QVERIFY2(std::fabs(c.dj - kind.phase_quarters / 4.0) < 1e-6, qPrintable(QString::number(c.dj)));
    QVERIFY(std::fabs(c.wywx - double(kind.ratio.wy_part) / kind.ratio.wx_part) < 1e-6);
    // Table values: a phase of pi/2 leaves no stray 6e-17 in Yo, pi none in Voy.
    if (mod8(kind.phase_quarters) % 4 == 2) QCOMPARE(p.y0, 0.0);
    if (mod8(kind.phase_quarters) % 4 == 0) QCOMPARE(p.vy0, 0.0f);
  }

  void equivalent_phases_data() {
    QTest::addColumn<TaskKind>("kind");
    QTest::addColumn<std::vector<int>>("expected");
    QTest::newRow("2:1 0 and pi draw one curve") << TaskKind{{2, 1}, 0} << std::vector<int>{0, 4};
    QTest::newRow("2:1 pi/4 and 3pi/4 one curve backwards")
        << TaskKind{{2, 1}, 3} << std::vector<int>{1, 3};
    QTest::newRow("2:1 pi/2 alone") << TaskKind{{2, 1}, 2} << std::vector<int>{2};
    QTest::newRow("4:3 0, pi/2, pi one open curve")
        << TaskKind{{4, 3}, 2} << std::vector<int>{0, 2, 4};
    QTest::newRow("4:3 pi/4, 3pi/4 the other") << TaskKind{{4, 3}, 1} << std::vector<int>{1, 3};
    QTest::newRow("2:3 pi/4 and 3pi/4") << TaskKind{{2, 3}, 1} << std::vector<int>{1, 3};
    QTest::newRow("1:2 pi/4 alone (mirror of 3pi/4)") << TaskKind{{1, 2}, 1} << std::vector<int>{1};
    QTest::newRow("1:1 -pi/4 is pi/4 with a direction")
        << TaskKind{{1, 1}, -1} << std::vector<int>{1};
    QTest::newRow("3:4 0 alone") << TaskKind{{3, 4}, 0} << std::vector<int>{0};
  }

  void equivalent_phases() {
    QFETCH(TaskKind, kind);
    QFETCH(std::vector<int>, expected);
    QCOMPARE(TaskGrader(Task{kind, 3, 4}).equivalent_phases(), expected);
  }

  void grader_accepts_exactly_the_equivalent_answers_data() { add_kind_rows(); }

  // Every answer the window offers, against the shape invariant: the accepted
  // set is exactly the answers that draw the shown figure, run the same way
  // for 1 : 1, with the true closedness.
  void grader_accepts_exactly_the_equivalent_answers() {
    QFETCH(TaskKind, kind);
    QFETCH(int, index);
    const Task task = task_of(kind, index);
    const TaskGrader grader(task);
    int accepted = 0;
    for (const Answer& answer : all_answers()) {
      const Grade grade = grader.grade(answer);
      const QString name = q(answer_text(answer));
      QVERIFY2(grade.right == accepted_by_invariant(kind, answer), qPrintable(name));
      QVERIFY2(grade.right == (grade.ratio.right && grade.phase.right && grade.third.right),
               qPrintable(name));
      QVERIFY2(grade.ratio.right == (answer.ratio == kind.ratio), qPrintable(name));
      for (const PartVerdict* part : {&grade.ratio, &grade.phase, &grade.third}) {
        QVERIFY2(part->right == part->reason.empty(), qPrintable(name));
      }
      accepted += grade.right;
    }
    QVERIFY(accepted >= 1);
    QVERIFY(grader.grade(right_answer(task)).right);
  }

  // The parameters an answer stands for (shown as the answer's own figure)
  // run the way its direction says; a phase of 0 or pi is a segment either way.
  void answer_figure_runs_its_direction() {
    for (int quarters = 0; quarters <= 4; ++quarters) {
      for (ThirdChoice way : {ThirdChoice::kClockwise, ThirdChoice::kCounterclockwise}) {
        const Answer answer{{1, 1}, quarters, way};
        const Traversal expected = quarters % 4 == 0                ? Traversal::kNone
                                   : way == ThirdChoice::kClockwise ? Traversal::kClockwise
                                                                    : Traversal::kCounterclockwise;
        const auto figure = normalised_figure(answer_parameters(answer), answer.ratio, 1000);
        QVERIFY2(traversal(figure) == expected, qPrintable(q(answer_text(answer))));
      }
    }
  }

  void parts_of_a_wrong_answer_data() {
    QTest::addColumn<TaskKind>("kind");
    QTest::addColumn<int>("wx");
    QTest::addColumn<int>("wy");
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("third");
    QTest::addColumn<QString>("wrong");   // r, p, t for the parts graded wrong
    QTest::addColumn<QString>("reason");  // the start of one of the reasons
    const auto cw = int(ThirdChoice::kClockwise), ccw = int(ThirdChoice::kCounterclockwise);
    const auto segment = int(ThirdChoice::kSegment), closed = int(ThirdChoice::kClosed);
    const auto open = int(ThirdChoice::kOpen);
    QTest::newRow("ratio turned round") << TaskKind{{1, 2}, 2} << 2 << 1 << 2 << closed << "r"
                                        << "Отношение частот не 2 : 1 — касаний сверху: 2, "
                                           "сбоку: 1, значит ωx : ωy = 1 : 2";
    QTest::newRow("mirror phase") << TaskKind{{1, 2}, 1} << 1 << 2 << 3 << closed << "p"
                                  << "Сдвиг фаз не 3π/4: этот рисунок даёт Δφ = π/4";
    QTest::newRow("arc taken for closed") << TaskKind{{4, 3}, 1} << 4 << 3 << 3 << closed << "t"
                                          << "Фигура незамкнутая";
    QTest::newRow("ellipse run the other way") << TaskKind{{1, 1}, -1} << 1 << 1 << 1 << ccw << "t"
                                               << "Точка обходит эллипс по часовой";
    QTest::newRow("ellipse taken for a segment")
        << TaskKind{{1, 1}, 2} << 1 << 1 << 2 << segment << "t"
        << "Фигура — эллипс, а не отрезок";
    QTest::newRow("segment given a direction") << TaskKind{{1, 1}, 4} << 1 << 1 << 4 << cw << "t"
                                               << "Фигура — отрезок";
    QTest::newRow("segment the other diagonal")
        << TaskKind{{1, 1}, 0} << 1 << 1 << 4 << segment << "p"
        << "Сдвиг фаз не π. Отрезок";
    QTest::newRow("everything wrong") << TaskKind{{3, 4}, 1} << 1 << 1 << 0 << open << "rpt"
                                      << "Фигура замкнутая";
    QTest::newRow("wrong ratio, phase read right")
        << TaskKind{{2, 3}, 1} << 3 << 2 << 3 << closed << "r"
        << "Отношение частот не 3 : 2";
  }

  void parts_of_a_wrong_answer() {
    QFETCH(TaskKind, kind);
    QFETCH(int, wx);
    QFETCH(int, wy);
    QFETCH(int, phase);
    QFETCH(int, third);
    QFETCH(QString, wrong);
    QFETCH(QString, reason);
    const Grade grade =
        grade_answer(Task{kind, 4, 3}, Answer{{wx, wy}, phase, static_cast<ThirdChoice>(third)});
    QVERIFY(!grade.right);
    QCOMPARE(!grade.ratio.right, wrong.contains('r'));
    QCOMPARE(!grade.phase.right, wrong.contains('p'));
    QCOMPARE(!grade.third.right, wrong.contains('t'));
    const QStringList reasons{q(grade.ratio.reason), q(grade.phase.reason), q(grade.third.reason)};
    QVERIFY2(std::any_of(reasons.begin(), reasons.end(),
                         [&](const QString& r) { return r.startsWith(reason); }),
             qPrintable(reasons.join(" | ")));
  }

  void odd_answers_and_tasks_are_wrong_not_fatal_data() {
    QTest::addColumn<int>("task_wx");
    QTest::addColumn<int>("task_wy");
    QTest::addColumn<int>("wx");
    QTest::addColumn<int>("wy");
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("third");
    QTest::newRow("ratio not offered") << 1 << 2 << 2 << 4 << 0 << int(ThirdChoice::kOpen);
    QTest::newRow("zero ratio") << 1 << 2 << 0 << 0 << 0 << int(ThirdChoice::kOpen);
    QTest::newRow("phase past pi") << 1 << 2 << 1 << 2 << 5 << int(ThirdChoice::kClosed);
    QTest::newRow("negative phase") << 1 << 1 << 1 << 1 << -1 << int(ThirdChoice::kClockwise);
    QTest::newRow("choice out of range") << 1 << 1 << 1 << 1 << 1 << 17;
    QTest::newRow("task with a zero ratio") << 0 << 0 << 1 << 1 << 0 << int(ThirdChoice::kSegment);
    QTest::newRow("task with a negative part") << -1 << 2 << 1 << 2 << 0 << int(ThirdChoice::kOpen);
  }

  void odd_answers_and_tasks_are_wrong_not_fatal() {
    QFETCH(int, task_wx);
    QFETCH(int, task_wy);
    QFETCH(int, wx);
    QFETCH(int, wy);
    QFETCH(int, phase);
    QFETCH(int, third);
    const Task task{{{task_wx, task_wy}, 0}, 3, 3};
    const Grade grade =
        grade_answer(task, Answer{{wx, wy}, phase, static_cast<ThirdChoice>(third)});
    QVERIFY(!grade.right);
    QVERIFY(!grade.ratio.reason.empty() || !grade.phase.reason.empty() ||
            !grade.third.reason.empty());
    const SeriesResult result =
        series_result({task}, {Answer{{wx, wy}, phase, ThirdChoice(third)}});
    QCOMPARE(q(result.score),
             QStringLiteral("Правильно: %1 из 3 частей; 0 из 1 задания").arg(result.right_parts));
  }

  void tangencies_give_the_ratio_data() { add_kind_rows(); }

  // Closed figures touch the top wy_part times and the right side wx_part
  // times; an arc run there and back visits each inner touch twice and each
  // end once, so it counts half of each.
  void tangencies_give_the_ratio() {
    QFETCH(TaskKind, kind);
    QFETCH(int, index);
    const Task task = task_of(kind, index);
    const Tangencies t = count_tangencies(task_parameters(task), kind.ratio);
    const int per_touch = open_by_invariant(kind) ? 1 : 2;
    QCOMPARE(t.top_count.halves, per_touch * kind.ratio.wy_part);
    QCOMPARE(t.right_count.halves, per_touch * kind.ratio.wx_part);
    QCOMPARE(t.ratio, kind.ratio);
    QVERIFY(q(t.sentence).endsWith(q("значит ωx : ωy = " + ratio_text(kind.ratio))));
    // Each marked point is on its side and on the figure as drawn.
    const std::vector<PlanePoint> figure = sample_figure(task_parameters(task), kind.ratio, 40000);
    const FigureOutline outline(figure, 1e-3 * task.ax);
    for (const TangencyPoint& p : t.top) {
      QVERIFY(std::fabs(p.at.y - task.ay) < 1e-6);  // Voy is a float
      QVERIFY(std::fabs(p.at.x) <= task.ax + 1e-9);
      QVERIFY(outline.near(p.at));
      QCOMPARE(p.arc_end, std::fabs(std::fabs(p.at.x) - task.ax) < 1e-6);
    }
    for (const TangencyPoint& p : t.right) {
      QCOMPARE(p.at.x, double(task.ax));
      QVERIFY(outline.near(p.at));
      QCOMPARE(p.arc_end, std::fabs(std::fabs(p.at.y) - task.ay) < 1e-6);
    }
  }

  void tangency_sentences_data() {
    QTest::addColumn<TaskKind>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("eight") << TaskKind{{1, 2}, 2}
                           << "касаний сверху: 2, сбоку: 1, значит ωx : ωy = 1 : 2";
    QTest::newRow("parabola of the second help")
        << TaskKind{{1, 2}, 0} << "касаний сверху: 1, сбоку: ½, значит ωx : ωy = 1 : 2";
    QTest::newRow("open 4:3") << TaskKind{{4, 3}, 1}
                              << "касаний сверху: 1½, сбоку: 2, значит ωx : ωy = 4 : 3";
    QTest::newRow("segment") << TaskKind{{1, 1}, 4}
                             << "касаний сверху: ½, сбоку: ½, значит ωx : ωy = 1 : 1";
  }

  void tangency_sentences() {
    QFETCH(TaskKind, kind);
    QFETCH(QString, expected);
    const Tangencies t = count_tangencies(task_parameters(Task{kind, 2, 5}), kind.ratio);
    QCOMPARE(q(t.sentence), expected);
  }

  void the_parabola_has_its_ends_in_the_top_corners() {
    const Tangencies t = count_tangencies(task_parameters(Task{{{1, 2}, 0}, 3, 2}), {1, 2});
    QCOMPARE(int(t.top.size()), 2);
    QCOMPARE(t.top[0].at.x, -3.0);
    QVERIFY(t.top[0].arc_end && t.top[1].arc_end);
    QCOMPARE(int(t.right.size()), 1);
    QCOMPARE(t.right[0].at.y, 2.0);
    QVERIFY(t.right[0].arc_end);
  }

  void half_counts_data() {
    QTest::addColumn<int>("halves");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << 0 << "0";
    QTest::newRow("half") << 1 << "½";
    QTest::newRow("one") << 2 << "1";
    QTest::newRow("one and a half") << 3 << "1½";
    QTest::newRow("four") << 8 << "4";
  }

  void half_counts() {
    QFETCH(int, halves);
    QFETCH(QString, expected);
    QCOMPARE(q(half_count_text({halves})), expected);
  }

  void phase_reading_data() { add_kind_rows(); }

  // The numbers drawn give the phase back the way the documents teach.
  void phase_reading() {
    QFETCH(TaskKind, kind);
    QFETCH(int, index);
    const Task task = task_of(kind, index);
    const PhaseReading r = read_phase(task);
    QVERIFY(std::fabs(r.start_height_ratio - cos_quarters(kind.phase_quarters)) < 1e-6);
    QVERIFY(r.start_velocity.y * sin_quarters(kind.phase_quarters) >= 0);
    QVERIFY(q(r.sentence).endsWith(q("Δφ = " + quarters_text(kind.phase_quarters))));
    QCOMPARE(r.by_intercepts, is_one_to_one(kind.ratio));
    if (r.by_intercepts) {
      QVERIFY(std::fabs(r.intercept / r.half_height -
                        std::fabs(sin_quarters(kind.phase_quarters))) < 1e-6);
      const std::vector<PlanePoint> figure =
          sample_figure(task_parameters(task), kind.ratio, 40000);
      const FigureOutline outline(figure, 2e-3);
      QVERIFY(outline.near(r.upper_intercept));
      QVERIFY(outline.near(r.lower_intercept));
    }
  }

  void score_adds_up() {
    const std::vector<Task> tasks = variant_tasks(1);
    std::vector<std::optional<Answer>> answers;
    for (const Task& t : tasks) answers.push_back(right_answer(t));
    // Task 6 is 2:1 at 3pi/4: pi/4 draws the same figure and counts.
    QCOMPARE(tasks[5].kind, (TaskKind{{2, 1}, 3}));
    answers[5]->phase_quarters = 1;
    answers[1]->ratio = {3, 4};                          // wrong
    answers[8]->third = ThirdChoice::kCounterclockwise;  // 1:1 at -pi/4: wrong way
    answers[9].reset();                                  // not answered
    const SeriesResult result = series_result(tasks, answers);
    QCOMPARE(result.total, 10);
    QCOMPARE(result.right, 7);
    // 27 parts of the 7 right tasks; the wrong ratio and the wrong way lose one part
    // each, the task not answered all three.
    QCOMPARE(result.right_parts, 7 * 3 + 2 + 2);
    QCOMPARE(q(result.score), QStringLiteral("Правильно: 25 из 30 частей; 7 из 10 заданий"));
    QCOMPARE(int(result.rows.size()), 10);
    const int rows_right = int(std::count_if(result.rows.begin(), result.rows.end(),
                                             [](const ResultRow& row) { return row.right; }));
    QCOMPARE(rows_right, result.right);
    QCOMPARE(q(result.rows[5].given), QStringLiteral("ωx : ωy = 2 : 1, Δφ = π/4, замкнутая"));
    QCOMPARE(q(result.rows[5].right_answer),
             QStringLiteral("ωx : ωy = 2 : 1, Δφ = 3π/4, замкнутая"));
    QCOMPARE(q(result.rows[8].right_answer),
             QStringLiteral("ωx : ωy = 1 : 1, Δφ = π/4, по часовой стрелке"));
    QCOMPARE(q(result.rows[9].given), QStringLiteral("нет ответа"));
    QCOMPARE(result.rows[9].number, 10);

    // Fewer answers than tasks, and more.
    QCOMPARE(q(series_result(tasks, {}).score),
             QStringLiteral("Правильно: 0 из 30 частей; 0 из 10 заданий"));
    answers.resize(12, right_answer(tasks[0]));
    QCOMPARE(series_result(tasks, answers).total, 10);
  }

  void part_credit_data() {
    QTest::addColumn<TaskKind>("kind");
    QTest::addColumn<int>("wx");
    QTest::addColumn<int>("wy");
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("third");
    QTest::addColumn<QString>("credited");  // r, p, t for the parts scored
    const auto cw = int(ThirdChoice::kClockwise);
    const auto segment = int(ThirdChoice::kSegment), closed = int(ThirdChoice::kClosed);
    const auto open = int(ThirdChoice::kOpen);
    // clang-format off
    QTest::newRow("all right") << TaskKind{{1, 2}, 2} << 1 << 2 << 2 << closed << "rpt";
    QTest::newRow("equivalent phase is right") << TaskKind{{2, 1}, 3} << 2 << 1 << 1 << closed << "rpt";
    QTest::newRow("right ratio and phase, wrong way") << TaskKind{{1, 1}, 1} << 1 << 1 << 1 << cw << "rp";
    QTest::newRow("wrong ratio, phase and closedness right") << TaskKind{{2, 3}, 1} << 3 << 2 << 3 << closed << "pt";
    QTest::newRow("ratio only") << TaskKind{{3, 4}, 1} << 3 << 4 << 0 << open << "r";
    QTest::newRow("arc called closed") << TaskKind{{4, 3}, 0} << 4 << 3 << 0 << closed << "rp";
    QTest::newRow("ellipse called a segment") << TaskKind{{1, 1}, 2} << 1 << 1 << 2 << segment << "rp";
    QTest::newRow("segment, other diagonal") << TaskKind{{1, 1}, 0} << 1 << 1 << 4 << segment << "rt";
    QTest::newRow("nothing right") << TaskKind{{3, 4}, 1} << 1 << 1 << 0 << open << "";
    // clang-format on
  }

  // Each part is scored on its own, and a task counts whole only with all
  // three; the score names both.
  void part_credit() {
    QFETCH(TaskKind, kind);
    QFETCH(int, wx);
    QFETCH(int, wy);
    QFETCH(int, phase);
    QFETCH(int, third);
    QFETCH(QString, credited);
    const Task task{kind, 4, 3};
    const SeriesResult result = series_result(
        {task, task}, {Answer{{wx, wy}, phase, static_cast<ThirdChoice>(third)}, std::nullopt});
    const PartCredit& parts = result.rows[0].parts;
    QCOMPARE(parts.ratio, credited.contains('r'));
    QCOMPARE(parts.phase, credited.contains('p'));
    QCOMPARE(parts.third, credited.contains('t'));
    QCOMPARE(result.rows[0].right, credited.size() == 3);
    QCOMPARE(result.rows[1].parts.count(), 0);  // not answered
    QCOMPARE(result.right_parts, int(credited.size()));
    QCOMPARE(result.total_parts, 6);
    QCOMPARE(q(result.score), QStringLiteral("Правильно: %1 из 6 частей; %2 из 2 заданий")
                                  .arg(credited.size())
                                  .arg(credited.size() == 3 ? 1 : 0));
  }

  void score_texts_data() {
    QTest::addColumn<int>("tasks");
    QTest::addColumn<QString>("tail");
    QTest::newRow("one task") << 1 << "из 3 частей; 0 из 1 задания";
    QTest::newRow("seven") << 7 << "из 21 части; 0 из 7 заданий";
    QTest::newRow("ten") << 10 << "из 30 частей; 0 из 10 заданий";
    QTest::newRow("eleven") << 11 << "из 33 частей; 0 из 11 заданий";
    QTest::newRow("twenty-one") << 21 << "из 63 частей; 0 из 21 задания";
    QTest::newRow("none") << 0 << "из 0 частей; 0 из 0 заданий";
  }

  // After "из N" the noun takes the case N asks for.
  void score_texts() {
    QFETCH(int, tasks);
    QFETCH(QString, tail);
    QCOMPARE(q(score_text(0, 3 * tasks, 0, tasks)), QStringLiteral("Правильно: 0 ") + tail);
  }

  void decimal_texts_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("expected");
    QTest::newRow("rounded") << 2.8284271 << 2 << "2,83";
    QTest::newRow("whole") << 4.0 << 2 << "4";
    QTest::newRow("negative") << -0.5 << 2 << "−0,5";
    QTest::newRow("rounds to zero") << -0.001 << 2 << "0";
    QTest::newRow("no decimals") << 2.5 << 0 << "2";
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 2 << "—";
    QTest::newRow("infinite") << -std::numeric_limits<double>::infinity() << 2 << "—";
    QTest::newRow("digits clamped") << 1.0 / 3 << 40 << "0,333333";
  }

  void decimal_texts() {
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(QString, expected);
    QCOMPARE(q(decimal_text(value, digits)), expected);
  }

  void outlines_data() {
    QTest::addColumn<double>("shift");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<bool>("same");
    QTest::newRow("identical") << 0.0 << 0.02 << true;
    QTest::newRow("within tolerance") << 0.015 << 0.02 << true;
    QTest::newRow("beyond tolerance") << 0.03 << 0.02 << false;
    QTest::newRow("zero tolerance, identical") << 0.0 << 0.0 << true;
    QTest::newRow("nan tolerance") << 0.0 << std::numeric_limits<double>::quiet_NaN() << true;
    QTest::newRow("huge shift") << 1e308 << 0.02 << false;
  }

  // A circle against the same circle shifted to the right.
  void outlines() {
    QFETCH(double, shift);
    QFETCH(double, tolerance);
    QFETCH(bool, same);
    std::vector<PlanePoint> a, b;
    for (int i = 0; i < 1000; ++i) {
      const double t = 2 * std::numbers::pi * i / 1000;
      a.push_back({std::cos(t), std::sin(t)});
      b.push_back({std::cos(t) + shift, std::sin(t)});
    }
    QCOMPARE(same_point_set(FigureOutline(a, tolerance), FigureOutline(b, tolerance)), same);
  }

  void outline_edge_cases() {
    const double inf = std::numeric_limits<double>::infinity();
    const double big = std::numeric_limits<double>::max();
    const FigureOutline empty({}, 0.1);
    const FigureOutline extreme({{-big, -big}, {big, big}, {0, 0}}, 0.1);
    QVERIFY(same_point_set(empty, FigureOutline({}, 1)));
    QVERIFY(!same_point_set(empty, extreme));
    QVERIFY(!empty.near({0, 0}));
    QVERIFY(extreme.near({big, big}));
    QVERIFY(extreme.near({0, 0.05}));
    QVERIFY(!extreme.near({0, inf}));
    QVERIFY(same_point_set(extreme, extreme));
    // Points that are not finite are left out of an outline.
    QVERIFY(same_point_set(FigureOutline({{0, 0}, {inf, 0}, {0, NAN}}, 0.1),
                           FigureOutline({{0, 0}}, 0.1)));
  }
};

QTEST_APPLESS_MAIN(TestSelfCheck)
#include "test_self_check.moc"
