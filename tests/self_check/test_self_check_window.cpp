// The window "Проверь себя" driven through its controls: series from codes,
// grading as the model grades, the explanation drawn on the figure, the
// score, the way to the main window, and the PDF of the result.

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QtTest>
#include <cmath>
#include <functional>
#include <limits>

#include "model/figure_sampling.h"
#include "model/numbers.h"
#include "platform/fake_platform.h"
#include "plot/plot_surface.h"
#include "support/shown_form.h"
#include "tools/self_check/model/self_check_grading.h"
#include "tools/self_check/model/self_check_result.h"
#include "tools/self_check/model/self_check_variant.h"
#include "tools/self_check/self_check_explanation.h"
#include "tools/self_check/self_check_figure.h"
#include "tools/self_check/self_check_window.h"
#include "window/form1.h"

using namespace orvinda;

Q_DECLARE_METATYPE(orvinda::TaskKind)
Q_DECLARE_METATYPE(orvinda::Answer)

namespace {

// The first code whose series begins with the kind.
int code_starting_with(const TaskKind& kind) {
  for (int code = kMinVariantCode; code <= kMaxVariantCode; ++code) {
    if (variant_tasks(code).front().kind == kind) return code;
  }
  return 0;
}

void choose(SelfCheckWindow& w, const Answer& answer) {
  const auto& ratios = answer_ratios();
  const auto ratio = std::find(ratios.begin(), ratios.end(), answer.ratio) - ratios.begin();
  w.ratioButtons.at(int(ratio))->click();
  w.phaseButtons.at(answer.phase_quarters)->click();
  const std::vector<ThirdChoice> thirds = third_choices(answer.ratio);
  const auto third = std::find(thirds.begin(), thirds.end(), answer.third) - thirds.begin();
  w.thirdButtons.at(int(third))->click();
}

// A certainly wrong answer: another ratio.
Answer wrong_answer(const Task& task) {
  const FrequencyRatio other =
      task.kind.ratio == FrequencyRatio{1, 2} ? FrequencyRatio{3, 4} : FrequencyRatio{1, 2};
  return {other, 0, third_choices(other).front()};
}

// Answers every task, right where right(i) says so, and moves on to the result.
void answer_series(SelfCheckWindow& w, const std::function<bool(int)>& right) {
  for (int i = 0; i < int(w.tasks().size()); ++i) {
    const Task& task = w.tasks()[std::size_t(i)];
    choose(w, right(i) ? right_answer(task) : wrong_answer(task));
    w.checkButton->click();
    w.nextButton->click();
  }
}

// Distance from p to the nearest segment of the trace; where, when asked:
// the polyline and the segment's end in it.
double distance_to(const Trace& trace, TracePoint p, std::size_t* line = nullptr,
                   std::size_t* segment = nullptr) {
  double best = std::numeric_limits<double>::infinity();
  for (std::size_t k = 0; k < trace.size(); ++k) {
    const TracePolyline& points = trace[k];
    for (std::size_t i = 1; i < points.size(); ++i) {
      const double ex = points[i].x - points[i - 1].x, ey = points[i].y - points[i - 1].y;
      const double len2 = ex * ex + ey * ey;
      double t =
          len2 > 0 ? ((p.x - points[i - 1].x) * ex + (p.y - points[i - 1].y) * ey) / len2 : 0;
      t = std::clamp(t, 0.0, 1.0);
      const double d = std::hypot(points[i - 1].x + t * ex - p.x, points[i - 1].y + t * ey - p.y);
      if (d < best) {
        best = d;
        if (line) *line = k;
        if (segment) *segment = i;
      }
    }
  }
  return best;
}

Trace figure_trace(const PlotSurface& surface) {
  Trace all;
  for (const auto& trace : surface.drawing().traces()) {
    for (const TracePolyline& line : trace.store.polylines()) all.push_back(line);
  }
  return all;
}

QString shown_text(const QLabel* label) {
  return QTextDocumentFragment::fromHtml(label->text()).toPlainText();
}

// The text of every line the document lays out at this width.
QStringList laid_out_lines(QTextDocument& doc, int width) {
  doc.setTextWidth(width);
  doc.size();  // lays the document out
  QStringList lines;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    const QTextLayout* layout = block.layout();
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      QString text = block.text().mid(line.textStart(), line.textLength());
      text.remove(QChar(0x2060));
      text.replace(QChar(0x00A0), QLatin1Char(' '));
      lines << text;
    }
  }
  return lines;
}

bool cyrillic(const QString& text) {
  return text.contains(QRegularExpression(QStringLiteral("[А-Яа-яЁё]")));
}

}  // namespace

class TestSelfCheckWindow : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void same_code_same_series_data() {
    QTest::addColumn<QString>("code");
    // clang-format off
    QTest::newRow("1") << "1";
    QTest::newRow("12345") << "12345";
    QTest::newRow("99999") << "99999";
    // clang-format on
  }

  // Typed into two windows, a code gives the model's series and the very
  // same figures.
  void same_code_same_series() {
    QFETCH(QString, code);
    FakePlatform platform;
    SelfCheckWindow first(platform), second(platform);
    for (SelfCheckWindow* w : {&first, &second}) {
      w->show();
      w->variantEdit->selectAll();
      QTest::keyClicks(w->variantEdit, code);
      QTest::keyClick(w->variantEdit, Qt::Key_Return);
      QCOMPARE(w->variantCode(), code.toInt());
      QCOMPARE(w->tasks(), variant_tasks(code.toInt()));
      QCOMPARE(w->taskIndex(), 0);
    }
    QVERIFY(first.figure->drawing().ops() == second.figure->drawing().ops());
    QCOMPARE(first.figure->drawing().texts(), second.figure->drawing().texts());
    QVERIFY(platform.messages.empty());
  }

  void codes_out_of_range_are_refused_data() {
    QTest::addColumn<QString>("typed");
    // clang-format off
    QTest::newRow("zero") << "0";
    QTest::newRow("zeros") << "00000";
    QTest::newRow("nothing") << "";
    // clang-format on
  }

  void codes_out_of_range_are_refused() {
    QFETCH(QString, typed);
    FakePlatform platform;
    SelfCheckWindow w(platform);
    w.show();
    const int before = w.variantCode();
    w.variantEdit->setText(typed);
    w.startButton->click();
    QCOMPARE(w.variantCode(), before);
    QCOMPARE(platform.messages.size(), std::size_t(1));
    QCOMPARE(platform.messages[0].title, QStringLiteral("Ошибка"));
  }

  // A new code comes at any time, but answers are dropped only when the user says so.
  void new_variant_asks_before_dropping_answers() {
    FakePlatform platform;
    SelfCheckWindow w(platform);
    w.show();
    w.newVariantButton->click();
    QVERIFY(w.variantCode() >= kMinVariantCode && w.variantCode() <= kMaxVariantCode);
    QCOMPARE(w.tasks(), variant_tasks(w.variantCode()));
    QVERIFY(platform.messages.empty());

    choose(w, right_answer(w.tasks()[0]));
    w.checkButton->click();
    const int code = w.variantCode();
    platform.answers = {MessageAnswer::No};
    w.newVariantButton->click();
    QCOMPARE(w.variantCode(), code);
    QVERIFY(w.answers()[0].has_value());
    platform.answers = {MessageAnswer::Yes};
    w.newVariantButton->click();
    QCOMPARE(platform.messages.size(), std::size_t(2));
    QVERIFY(!w.answers()[0].has_value());
    QCOMPARE(w.taskIndex(), 0);
  }

  void answers_are_graded_as_the_model_grades_data() {
    QTest::addColumn<TaskKind>("kind");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("right");
    const auto cw = ThirdChoice::kClockwise, ccw = ThirdChoice::kCounterclockwise;
    const auto segment = ThirdChoice::kSegment, closed = ThirdChoice::kClosed,
               open = ThirdChoice::kOpen;
    // clang-format off
    QTest::newRow("2:1 0 read as pi") << TaskKind{{2, 1}, 0} << Answer{{2, 1}, 4, open} << true;
    QTest::newRow("2:1 pi/4 read as 3pi/4") << TaskKind{{2, 1}, 1} << Answer{{2, 1}, 3, closed} << true;
    QTest::newRow("4:3 0 read as pi/2") << TaskKind{{4, 3}, 0} << Answer{{4, 3}, 2, open} << true;
    QTest::newRow("1:1 -pi/4 clockwise") << TaskKind{{1, 1}, -1} << Answer{{1, 1}, 1, cw} << true;
    QTest::newRow("1:1 -pi/4 the other way") << TaskKind{{1, 1}, -1} << Answer{{1, 1}, 1, ccw} << false;
    QTest::newRow("1:1 pi a segment") << TaskKind{{1, 1}, 4} << Answer{{1, 1}, 4, segment} << true;
    QTest::newRow("1:2 read as 2:1") << TaskKind{{1, 2}, 2} << Answer{{2, 1}, 2, closed} << false;
    QTest::newRow("3:4 arc taken for open") << TaskKind{{3, 4}, 1} << Answer{{3, 4}, 1, open} << false;
    // clang-format on
  }

  // Choosing a ratio changes the third group's choices, not where the
  // buttons below it stand.
  void buttons_stay_put_while_the_answer_is_chosen() {
    FakePlatform platform;
    SelfCheckWindow w(platform);
    w.show();
    w.startVariant(code_starting_with(TaskKind{{2, 1}, 0}));
    auto check_y = [&] {
      QCoreApplication::processEvents();
      return w.checkButton->mapTo(&w, QPoint(0, 0)).y();
    };
    const int before = check_y();
    const auto& ratios = answer_ratios();
    for (const FrequencyRatio& ratio : {ratios[0], ratios[1], ratios[0], ratios[8]}) {
      const auto at = std::find(ratios.begin(), ratios.end(), ratio) - ratios.begin();
      w.ratioButtons.at(int(at))->click();
      QCOMPARE(w.thirdButtons.size(), qsizetype(third_choices(ratio).size()));
      QCOMPARE(check_y(), before);
    }
  }

  // The values to type into the main window are never broken across lines,
  // on the screen or on paper: "Voy(м/с)= ." and "7071068" read as two numbers.
  void values_for_the_main_window_stay_whole() {
    FakePlatform platform;
    SelfCheckWindow w(platform);
    w.show();
    const int code = code_starting_with(TaskKind{{3, 1}, 3});
    QVERIFY(code > 0);
    w.startVariant(code);
    choose(w, Answer{{1, 3}, 2, ThirdChoice::kClosed});
    w.checkButton->click();
    const TaskExplanation e = explain_task(w.tasks()[0], w.answers()[0]);
    QCOMPARE(e.parameter_values.size(), 6);
    QVERIFY(e.parameter_values.join(QLatin1Char(';')).contains(QStringLiteral("= .")));

    QTextDocument screen;
    screen.setDefaultFont(w.explanationLabel->font());
    screen.setHtml(w.explanationLabel->text());
    QTextDocument paper;  // the results' PDF wraps the same sentence as plain text
    paper.setDefaultFont(w.explanationLabel->font());
    paper.setPlainText(e.parameters);
    QString sentence = e.parameters;
    sentence.remove(QChar(0x2060));
    sentence.replace(QChar(0x00A0), QLatin1Char(' '));
    const QString lead = QStringLiteral("Значения для главного окна: ");
    QVERIFY(sentence.startsWith(lead) && sentence.endsWith(QLatin1Char('.')));
    const QStringList pieces = sentence.mid(lead.size()).chopped(1).split(QStringLiteral("; "));
    QCOMPARE(pieces.size(), e.parameter_values.size());
    for (int i = 0; i < pieces.size(); ++i) {
      // The same number as the box gets, whatever its spelling.
      auto number = [](const QString& text) {
        return text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed().toDouble();
      };
      QCOMPARE(number(pieces[i]), number(e.parameter_values[i]));
    }
    // Widths from the longest piece's own (narrower, any text must break)
    // to a few times that.
    const QFontMetricsF metrics(w.explanationLabel->font());
    double longest = 0;
    for (const QString& piece : pieces)
      longest = std::max(longest, metrics.horizontalAdvance(piece));
    for (QTextDocument* doc : {&screen, &paper}) {
      for (double times : {1.0, 1.15, 1.4, 1.8, 2.5, 3.3}) {
        const int width =
            static_cast<int>(std::ceil(longest * times + 2 * doc->documentMargin() + 4));
        const QStringList lines = laid_out_lines(*doc, width);
        for (const QString& piece : pieces) {
          QVERIFY2(std::any_of(lines.begin(), lines.end(),
                               [&](const QString& line) { return line.contains(piece); }),
                   qPrintable(QStringLiteral("%1 broken at width %2: %3")
                                  .arg(piece)
                                  .arg(width)
                                  .arg(lines.join(QLatin1Char('|')))));
        }
      }
    }
  }

  void answers_are_graded_as_the_model_grades() {
    QFETCH(TaskKind, kind);
    QFETCH(Answer, answer);
    QFETCH(bool, right);
    FakePlatform platform;
    SelfCheckWindow w(platform);
    w.show();
    const int code = code_starting_with(kind);
    QVERIFY(code > 0);
    w.startVariant(code);
    const Task task = w.tasks()[0];
    QCOMPARE(grade_answer(task, answer).right, right);

    choose(w, answer);
    QVERIFY(w.chosenAnswer() == answer);
    QVERIFY(w.checkButton->isEnabled());
    w.checkButton->click();
    QVERIFY(w.answers()[0] == answer);
    QCOMPARE(shown_text(w.explanationLabel).startsWith(QStringLiteral("Верно.")), right);
    QVERIFY(shown_text(w.explanationLabel)
                .contains(QString::fromStdString(answer_text(right_answer(task)))));
    // Graded once: the choices are closed, and the figure now carries the reading.
    QVERIFY(!w.ratioBox->isEnabled() && !w.checkButton->isEnabled());
    QVERIFY(w.nextButton->isEnabled() && w.nextButton->isDefault());
    const auto& ops = w.figure->drawing().ops();
    QVERIFY(std::any_of(ops.begin(), ops.end(), [](const DrawOp& op) {
      return op.kind == DrawOp::Kind::Dot && op.color == bgr_color(kTopTouchColor).rgba();
    }));
  }

  // Tab, arrows, Space and Enter alone answer a task and move on.
  void keyboard_alone_answers_a_task() {
    FakePlatform platform;
    SelfCheckWindow w(platform);
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), w.ratioButtons[0]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // 1 : 1
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);  // 1 : 2
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.phaseButtons[0]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // 0
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);  // π/4
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.thirdButtons[0]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // замкнутая
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(w.answers()[0] == (Answer{{1, 2}, 1, ThirdChoice::kClosed}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(w.taskIndex(), 1);
    QCOMPARE(QApplication::focusWidget(), w.ratioButtons[0]);
  }

  // Each group's mnemonic takes the focus into it, and the arrows select
  // there, also before anything is chosen.
  void mnemonics_and_arrows_answer_a_task() {
    FakePlatform platform;
    SelfCheckWindow w(platform);
    w.show();
    QApplication::setActiveWindow(&w);
    const auto alt = [&](char16_t letter) {
      QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(letter),
                          QString(QChar(letter)).toLower(), Qt::AltModifier);
    };
    alt(u'Р');  // &Разность фаз
    QVERIFY(w.phaseButtons.contains(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(w.phaseButtons[1]->isChecked(), true);  // π/4
    alt(u'О');                                       // &Отношение частот
    QVERIFY(w.ratioButtons.contains(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QVERIFY(w.ratioButtons[1]->isChecked());  // 1 : 2
    alt(u'Ф');                                // &Фигура
    QVERIFY(w.thirdButtons.contains(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QVERIFY(w.chosenAnswer().has_value());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(w.answers()[0].has_value());
  }

  void figures_show_the_reading_data() {
    QTest::addColumn<TaskKind>("kind");
    QTest::addColumn<int>("ax");
    QTest::addColumn<int>("ay");
    int i = 0;
    for (const TaskKind& kind : task_kinds()) {
      const QString name = QString::fromStdString(ratio_text(kind.ratio)) + QStringLiteral(" ") +
                           QString::number(kind.phase_quarters) + QStringLiteral("π/4");
      QTest::newRow(qPrintable(name)) << kind << 2 + i % 4 << 5 - (i / 4) % 4;
      ++i;
    }
  }

  // Before grading nothing but the scene, the trace, the start and the
  // arrow; after it, touch marks that lie on the trace and count the ratio,
  // an arc's end a half.
  void figures_show_the_reading() {
    QFETCH(TaskKind, kind);
    QFETCH(int, ax);
    QFETCH(int, ay);
    const Task task{kind, ax, ay};
    PlotSurface surface;
    surface.resize(485, 485);

    draw_self_check_figure(surface, task, false);
    const QRegularExpression scene_text(QStringLiteral("^(-?\\d+[.,]\\d\\d|X, м|Y, м|Vo)$"));
    for (const QString& text : surface.drawing().texts()) {
      QVERIFY2(scene_text.match(text).hasMatch(), qPrintable(text));
    }
    for (const DrawOp& op : surface.drawing().ops()) {
      QVERIFY(op.color != bgr_color(kTopTouchColor).rgba());
      QVERIFY(op.color != bgr_color(kSideTouchColor).rgba());
    }

    draw_self_check_figure(surface, task, true);
    const Trace trace = figure_trace(surface);
    const double pixel = surface.mapping().unit_per_px_x();
    const MotionParameters p = task_parameters(task);
    // The whole figure is traced.
    for (const PlanePoint& point : sample_figure(p, kind.ratio, 500)) {
      QVERIFY(distance_to(trace, {point.x, point.y}) < 1.5 * pixel);
    }

    const auto& ops = surface.drawing().ops();
    double worst = 0;
    auto halves = [&](unsigned color, int width, int hole) {
      int count = 0;
      for (const DrawOp& op : ops) {
        if (op.kind != DrawOp::Kind::Dot || op.color != bgr_color(color).rgba() ||
            op.width != width) {
          continue;
        }
        worst = std::max(worst, distance_to(trace, {op.a, op.b}));
        const bool half = std::any_of(ops.begin(), ops.end(), [&](const DrawOp& o) {
          return o.kind == DrawOp::Kind::Dot && o.width == hole && o.a == op.a && o.b == op.b &&
                 o.color == QColor(Qt::white).rgba();
        });
        count += half ? 1 : 2;
      }
      return count;
    };
    const int top = halves(kTopTouchColor, kTopTouchWidth, kTopHoleWidth);
    const int side = halves(kSideTouchColor, kSideTouchWidth, kSideHoleWidth);
    QVERIFY2(worst < 1.5 * pixel, qPrintable(QString::number(worst / pixel) + " px off"));
    QVERIFY(top > 0 && side > 0);
    QCOMPARE(reduced({side, top}), reduced(kind.ratio));
    // Each mark has its weight written beside it.
    const QStringList& texts = surface.drawing().texts();
    QCOMPARE(int(texts.count(QStringLiteral("½")) + 2 * texts.count(QStringLiteral("1"))),
             top + side);

    // The arrow's strokes trail back from a tip on the trace, near the start.
    std::vector<const DrawOp*> lines;
    for (const DrawOp& op : ops) {
      if (op.kind == DrawOp::Kind::Line) lines.push_back(&op);
    }
    QVERIFY(lines.size() >= 2);
    const DrawOp& stroke = *lines[lines.size() - 1];
    QCOMPARE(lines[lines.size() - 2]->a, stroke.a);
    QCOMPARE(lines[lines.size() - 2]->b, stroke.b);
    std::size_t line = 0, segment = 0;
    QVERIFY(distance_to(trace, {stroke.a, stroke.b}, &line, &segment) < 0.05 * pixel);
    const TracePolyline& path = trace[line];
    const double mx = path[segment].x - path[segment - 1].x;
    const double my = path[segment].y - path[segment - 1].y;
    for (const DrawOp* s : {lines[lines.size() - 2], &stroke}) {
      QVERIFY((s->c - s->a) * mx + (s->d - s->b) * my < 0);
    }
    QVERIFY(std::hypot(stroke.a - p.x0, stroke.b - p.y0) < 60 * pixel);
  }

  void score_adds_up_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("every");  // every n-th task answered right
    // clang-format off
    QTest::newRow("all right") << 7 << 1;
    QTest::newRow("half") << 321 << 2;
    QTest::newRow("a third") << 4242 << 3;
    // clang-format on
  }

  void score_adds_up() {
    QFETCH(int, code);
    QFETCH(int, every);
    FakePlatform platform;
    SelfCheckWindow w(platform);
    w.show();
    w.startVariant(code);
    answer_series(w, [every](int i) { return i % every == 0; });
    QVERIFY(w.showingResult());
    const int right = (10 + every - 1) / every;
    QVERIFY2(
        w.scoreLabel->text().endsWith(QStringLiteral(" из 30 частей; %1 из 10 заданий").arg(right)),
        qPrintable(w.scoreLabel->text()));
    QCOMPARE(w.resultTable->rowCount(), 10);
    int marked = 0, parts = 0;
    for (int row = 0; row < 10; ++row) {
      const QString verdict = w.resultTable->item(row, 3)->text();
      const bool whole = verdict == QStringLiteral("верно");
      marked += whole ? 1 : 0;
      // A wrong task shows the parts it earned, never all three.
      const QRegularExpressionMatch some =
          QRegularExpression(QStringLiteral("^([0-2]) из 3$")).match(verdict);
      QVERIFY2(whole || some.hasMatch(), qPrintable(verdict));
      parts += whole ? 3 : some.captured(1).toInt();
    }
    QCOMPARE(marked, right);
    QCOMPARE(w.scoreLabel->text(),
             QStringLiteral("Правильно: %1 из 30 частей; %2 из 10 заданий").arg(parts).arg(right));
    // A row shows its task's figure, explained.
    w.resultTable->setCurrentCell(4, 0);
    QCOMPARE(w.shownTask(), 4);
    QVERIFY(shown_text(w.explanationLabel).startsWith(QStringLiteral("Задание 5.")));
  }

  // "Показать в главном окне" writes the boxes as typing would, and waits
  // while a run goes on there.
  void show_in_main_window_writes_the_boxes() {
    // Yo gets the 7 digits Voy has; Wy all 15, so that 4/3 still closes.
    const QStringList long_values = box_texts({1, 0, 0, 4.0 / 3, 1.4142135623731, 0.70710678f});
    QCOMPARE(long_values[3], QStringLiteral(" 1.33333333333333"));
    QCOMPARE(long_values[4], QStringLiteral(" 1.414214"));
    QCOMPARE(long_values[5], QStringLiteral(" .7071068"));

    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.mnuExperimentSelfCheck->trigger();
    SelfCheckWindow* w = form.selfCheckWindow();
    QVERIFY(w && w->isVisible());
    form.mnuExperimentSelfCheck->trigger();
    QCOMPARE(form.selfCheckWindow(), w);

    w->startVariant(code_starting_with({{2, 3}, 1}));
    QVERIFY(!w->showInMainButton->isEnabled());  // not before grading: it gives the answer away
    choose(*w, right_answer(w->tasks()[0]));
    w->checkButton->click();
    QVERIFY(w->showInMainButton->isEnabled());
    w->showInMainButton->click();
    const MotionParameters p = task_parameters(w->tasks()[0]);
    const QStringList texts = box_texts(p);
    QLineEdit* boxes[] = {form.Text1, form.Text2, form.Text3, form.Text4, form.Text5, form.Text6};
    for (int i = 0; i < 6; ++i) {
      QCOMPARE(boxes[i]->text(), texts[i]);
      QCOMPARE(boxes[i]->cursorPosition(), 0);  // a long value shows from its start
    }
    QCOMPARE(form.wy, 1.5);
    QCOMPARE(form.x0, p.x0);
    QCOMPARE(form.y0, parse_leading_number(texts[4].toStdString()));
    QCOMPARE(form.y0, orvinda::round_significant(p.y0, 7));
    QVERIFY(std::fabs(form.vy0 - p.vy0) <= 1e-6f * std::fabs(p.vy0));
    QCOMPARE(form.Label18->text().left(6), QStringLiteral("Wy/Wx="));

    bool seen = false;
    const auto connection = QObject::connect(&form, &Form1::stepTaken, &form, [&] {
      if (form.runSteps() > 2 || seen) return;
      seen = true;
      QVERIFY(!w->showInMainButton->isEnabled());
      form.CmdOK->click();
    });
    form.CmdOK->click();
    QObject::disconnect(connection);
    QVERIFY(seen);
    QVERIFY(w->showInMainButton->isEnabled());

    // The program's end takes the window with it.
    platform.answers = {MessageAnswer::Yes};
    form.close();
    QVERIFY(!w->isVisible());
  }

  // The name and class stay while the window lives (the main window keeps
  // it for the session): a new variant, closing and opening keep them.
  void student_fields_stay_for_the_session() {
    ShownForm shown;
    shown.form.mnuExperimentSelfCheck->trigger();
    SelfCheckWindow* w = shown.form.selfCheckWindow();
    QVERIFY(w);
    w->studentEdit->setText(QStringLiteral("Иванов Пётр"));
    w->classEdit->setText(QStringLiteral("9Б"));
    w->startVariant(12345);
    w->newVariantButton->click();
    w->close();
    shown.form.mnuExperimentSelfCheck->trigger();
    QCOMPARE(shown.form.selfCheckWindow(), w);
    QCOMPARE(w->studentEdit->text(), QStringLiteral("Иванов Пётр"));
    QCOMPARE(w->classEdit->text(), QStringLiteral("9Б"));
    QVERIFY(!w->studentEdit->accessibleName().isEmpty());
  }

  void result_as_pdf_data() {
    QTest::addColumn<QString>("folder");  // under a temporary folder
    QTest::addColumn<QString>("reason");  // empty: written
    // clang-format off
    QTest::newRow("written") << "" << "";
    QTest::newRow("missing folder") << "нет такой" << "такой папки нет";
    // clang-format on
  }

  void result_as_pdf() {
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(folder.isEmpty() ? QStringLiteral("итог.pdf")
                                                       : folder + QStringLiteral("/итог.pdf"));
    FakePlatform platform;
    SelfCheckWindow w(platform);
    w.show();
    w.studentEdit->setText(QStringLiteral("Петрова Анна"));
    w.classEdit->setText(QStringLiteral("10А"));
    w.startVariant(2024);
    answer_series(w, [](int i) { return i != 3 && i != 7; });
    platform.file_answers = {path};
    w.savePdfButton->click();
    QCOMPARE(platform.file_dialogs.back().filters, QStringList{"Документ PDF (*.pdf)"});

    if (!reason.isEmpty()) {
      QCOMPARE(platform.messages.size(), std::size_t(1));
      QCOMPARE(platform.messages[0].title, QStringLiteral("Ошибка"));
      QVERIFY(platform.messages[0].text.contains(QDir::toNativeSeparators(path)));
      QVERIFY(platform.messages[0].text.contains(reason));
      QVERIFY(!QFile::exists(path));
      return;
    }
    QVERIFY(platform.messages.empty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed");
    QProcess process;
    process.start(pdftotext,
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY(text.contains(QStringLiteral("вариант № 2024")));
    QVERIFY(text.contains(QStringLiteral("Петрова Анна")));
    QVERIFY(text.contains(QStringLiteral("Класс: 10А")));
    const SeriesResult result = series_result(w.tasks(), w.answers());
    QVERIFY2(
        text.contains(
            QStringLiteral("Правильно: %1 из 30 частей; 8 из 10 заданий").arg(result.right_parts)),
        qPrintable(text.left(400)));
    // Every part of every task has its verdict in the table (30), the eight
    // whole tasks theirs, and each task's heading one.
    QVERIFY2(text.count(QStringLiteral("верно")) >= 30 + 8 + 10,
             qPrintable(QString::number(text.count(QStringLiteral("верно")))));
    for (int i = 1; i <= 10; ++i) {
      QVERIFY2(text.contains(QStringLiteral("Задание %1 — ").arg(i)),
               qPrintable(QString::number(i)));
    }
    QCOMPARE(text.count(QStringLiteral("— неверно")), 2);
    QVERIFY(text.contains(QStringLiteral("касаний сверху")));
  }

  void every_control_has_a_russian_name() {
    FakePlatform platform;
    SelfCheckWindow w(platform);
    w.show();
    w.ratioButtons[0]->click();  // the third group's buttons exist now
    QCOMPARE(w.windowTitle(), QStringLiteral("Проверь себя"));
    QVERIFY(!w.isModal());
    int controls = 0;
    for (QWidget* widget : w.findChildren<QWidget*>()) {
      const bool control = widget->focusPolicy() != Qt::NoFocus ||
                           qobject_cast<PlotSurface*>(widget) || qobject_cast<QGroupBox*>(widget);
      if (!control || widget->inherits("QScrollBar") || widget->inherits("QHeaderView") ||
          widget->parentWidget()->inherits("QAbstractScrollArea")) {
        continue;
      }
      ++controls;
      QVERIFY2(cyrillic(widget->accessibleName()),
               qPrintable(widget->metaObject()->className() + QStringLiteral(" ") +
                          widget->accessibleName()));
    }
    QVERIFY(controls >= 9 + 5 + 3 + 8);
  }
};

QTEST_MAIN(TestSelfCheckWindow)
#include "test_self_check_window.moc"
