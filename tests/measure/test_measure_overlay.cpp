// Measuring on the plot through the real window: figures run with the
// shortest pause, counting lines placed with Shift and Ctrl clicks, segments
// dragged and keyed, and the picture left exactly as it was.

#include <QAccessible>
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "model/numbers.h"
#include "platform/fake_platform.h"
#include "plot/label_placement.h"
#include "plot/plot_surface.h"
#include "support/run_traces.h"
#include "support/shown_form.h"
#include "tools/measure/measure_overlay.h"
#include "tools/measure/measure_text.h"
#include "tools/measure/model/segment_measure.h"
#include "ui/characteristics_text.h"
#include "window/form1.h"

using namespace orvinda;
using namespace orvinda::testing;

namespace {

QString box_text(double value) { return QString::fromStdString(format_signed_number(value)); }

// Writes the figure into the boxes as typing would.
void set_figure(Form1& form, Figure f) {
  const MotionParameters p = figure_parameters(f);
  form.Text4->setText(box_text(p.wy));
  form.Text2->setText(box_text(p.x0));
  form.Text3->setText(box_text(p.vx0));
  form.Text5->setText(box_text(p.y0));
  form.Text6->setText(QString::fromStdString(format_signed_number(p.vy0)));
}

// Runs the window for the given laps of the figure; at_step sees every step.
void run_laps(Form1& form, Figure f, int laps, const std::function<void(long long)>& at_step = {}) {
  const long long first = form.runSteps();
  const long long steps = laps * steps_per_lap(f);
  const auto connection = QObject::connect(&form, &Form1::stepTaken, &form, [&] {
    const long long step = form.runSteps() - first;
    if (at_step) at_step(step);
    if (step == steps) form.CmdOK->click();
  });
  form.CmdOK->click();  // returns when the run has ended
  QObject::disconnect(connection);
  QCOMPARE(form.runSteps() - first, steps);
  QTest::qWait(1);  // the readouts settle after the run
}

QPoint pixel_of(const PlotSurface& surface, double x, double y) {
  return QPoint(static_cast<int>(std::floor(surface.mapping().to_px_x(x))),
                static_cast<int>(std::floor(surface.mapping().to_px_y(y))));
}

bool key_accepted(QWidget* widget, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, key, mods);
  QApplication::sendEvent(widget, &event);
  return event.isAccepted();
}

}  // namespace

class TestMeasureOverlay : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ShownForm> shown;
  FakePlatform* platform = nullptr;
  Form1* form = nullptr;

  MeasureOverlay* measure() const { return form->measureOverlay(); }

  void measuring(bool on) {
    form->mnuExperimentMeasure->setChecked(on);
    QVERIFY(measure());
    QCOMPARE(measure()->isActive(), on);
  }

 private Q_SLOTS:
  void init() {
    shown = std::make_unique<ShownForm>();
    platform = &shown->platform;
    form = &shown->form;
    QVERIFY(QTest::qWaitForWindowExposed(form));
    form->HScroll1->setValue(1);  // 10 ms per step
  }

  void cleanup() { shown.reset(); }

  void off_until_chosen() {
    QVERIFY(form->mnuExperimentMeasure->isCheckable());
    QVERIFY(!form->mnuExperimentMeasure->isChecked());
    QVERIFY(!measure());
    // The plot takes no measuring keys while the item is off.
    form->Picture1->setFocus();
    for (int key : {Qt::Key_Right, Qt::Key_Return, Qt::Key_H, Qt::Key_Escape}) {
      QVERIFY(!key_accepted(form->Picture1, key));
    }
    measuring(true);
    QVERIFY(measure()->isVisible());
    QCOMPARE(measure()->geometry(), form->Picture1->rect());
    QVERIFY(key_accepted(form->Picture1, Qt::Key_Right));
    measuring(false);
    QVERIFY(!measure()->isVisible());
    QCOMPARE(form->Picture1->accessibleDescription(), QStringLiteral("Анимация движения"));
    for (int key : {Qt::Key_Right, Qt::Key_Return, Qt::Key_H, Qt::Key_Escape}) {
      QVERIFY(!key_accepted(form->Picture1, key));
    }
  }

  void counting_lines_give_the_ratio_data() {
    add_figure_columns();
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("across_horizontal");
    QTest::addColumn<int>("across_vertical");
    auto row = [](const char* name, Figure f, double y, double x, int h, int v) {
      QTest::newRow(name) << f.wx << f.wy << f.dphi << y << x << h << v;
    };
    row("1 : 2, Δφ = π/2", {1, 2, std::numbers::pi / 2}, 1.3, 1.7, 4, 2);
    row("2 : 3, Δφ = π/4", {2, 3, std::numbers::pi / 4}, -3.3, -2.9, 6, 4);
    row("3 : 4, Δφ = π/2", {3, 4, std::numbers::pi / 2}, 1.3, 1.1, 8, 6);
    row("1 : 1, Δφ = π/4", {1, 1, std::numbers::pi / 4}, 1.3, -1.7, 2, 2);
  }

  // Lines placed before the run count as the trace grows and end in the
  // ratio wy : wx; lines placed after it count the same.
  void counting_lines_give_the_ratio() {
    const Figure f = fetched_figure();
    QFETCH(double, y);
    QFETCH(double, x);
    QFETCH(int, across_horizontal);
    QFETCH(int, across_vertical);
    set_figure(*form, f);
    measuring(true);
    MeasureOverlay* m = measure();
    QTest::mouseClick(m, Qt::LeftButton, Qt::ShiftModifier, pixel_of(*form->Picture1, 0, y));
    QTest::mouseClick(m, Qt::LeftButton, Qt::ControlModifier, pixel_of(*form->Picture1, x, 0));
    QCOMPARE(m->countingLines().size(), std::size_t{2});
    QList<int> seen;  // the horizontal line's counts during the run
    run_laps(*form, f, 2, [&](long long) {
      const int n = m->countingLines()[0].count.count();
      if (seen.isEmpty() || seen.back() != n) seen << n;
    });
    QVERIFY2(seen.size() >= 3, "the count follows the growing trace");
    QVERIFY(std::is_sorted(seen.begin(), seen.end()));

    QTest::mouseClick(m, Qt::LeftButton, Qt::ShiftModifier, pixel_of(*form->Picture1, 0, y));
    QTest::mouseClick(m, Qt::LeftButton, Qt::ControlModifier, pixel_of(*form->Picture1, x, 0));
    QCOMPARE(m->countingLines().size(), std::size_t{2});  // the same lines again: not doubled
    const MeasureOverlay::Line& h = m->countingLines()[0];
    const MeasureOverlay::Line& v = m->countingLines()[1];
    QCOMPARE(h.line.direction, LineDirection::kHorizontal);
    QCOMPARE(v.line.direction, LineDirection::kVertical);
    QVERIFY(std::fabs(h.line.value - y) <= m->pixelMetres());
    QVERIFY(std::fabs(v.line.value - x) <= m->pixelMetres());
    QCOMPARE(h.count.count(), across_horizontal);
    QCOMPARE(v.count.count(), across_vertical);
    QCOMPARE(h.count.count() * f.wx, v.count.count() * f.wy);
    QVERIFY(!h.count.near_node && !h.count.tangency && !v.count.near_node && !v.count.tangency);
    // What the student reads.
    QVERIFY(h.label->isVisible());
    QVERIFY2(h.label->text().endsWith(QStringLiteral("пересечений Nг = %1").arg(across_horizontal)),
             qPrintable(h.label->text()));
    QVERIFY2(v.label->text().endsWith(QStringLiteral("пересечений Nв = %1").arg(across_vertical)),
             qPrintable(v.label->text()));
    QVERIFY(h.label->accessibleDescription().startsWith(QStringLiteral("Горизонтальная")));
    QVERIFY(v.label->accessibleDescription().startsWith(QStringLiteral("Вертикальная")));
  }

  void lines_warn_of_nodes_and_touches_data() {
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<double>("at");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("warning");
    // The figure 1 : 2, Δφ = π/2: a node at the origin, touching x = ±4.
    QTest::newRow("through the node") << true << 0.0 << 4 << QStringLiteral("через узел");
    QTest::newRow("touching the right") << false << 3.999 << 1 << QStringLiteral("касание");
    QTest::newRow("clear of both") << true << -2.2 << 4 << QString();
  }

  void lines_warn_of_nodes_and_touches() {
    QFETCH(bool, horizontal);
    QFETCH(double, at);
    QFETCH(int, expected);
    QFETCH(QString, warning);
    set_figure(*form, {1, 2, std::numbers::pi / 2});
    run_laps(*form, {1, 2, std::numbers::pi / 2}, 1);
    measuring(true);
    const QPoint pixel =
        horizontal ? pixel_of(*form->Picture1, 1, at) : pixel_of(*form->Picture1, at, 1);
    QTest::mouseClick(measure(), Qt::LeftButton,
                      horizontal ? Qt::ShiftModifier : Qt::ControlModifier, pixel);
    const MeasureOverlay::Line& line = measure()->countingLines().at(0);
    QCOMPARE(line.count.count(), expected);
    const QStringList rows = line.label->text().split('\n');
    QCOMPARE(rows.size(), warning.isEmpty() ? 1 : 2);
    if (!warning.isEmpty()) {
      QCOMPARE(rows[1], warning);
      QVERIFY(line.label->accessibleDescription().endsWith(warning));
    }
  }

  void open_figures_count_each_point_once_data() {
    add_figure_columns();
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("across_horizontal");
    QTest::addColumn<int>("across_vertical");
    auto row = [](const char* name, Figure f, double y, double x, int h, int v) {
      QTest::newRow(name) << f.wx << f.wy << f.dphi << y << x << h << v;
    };
    row("1 : 2, Δφ = 0, the parabola", {1, 2, 0}, 1, 0.1, 2, 1);
    row("2 : 3, Δφ = π/2", {2, 3, std::numbers::pi / 2}, 1.3, 0.7, 3, 2);
  }

  // An arc run there and back meets a line once at each point: after one lap
  // and after three the counts give the ratio.
  void open_figures_count_each_point_once() {
    const Figure f = fetched_figure();
    QFETCH(double, y);
    QFETCH(double, x);
    QFETCH(int, across_horizontal);
    QFETCH(int, across_vertical);
    set_figure(*form, f);
    measuring(true);
    MeasureOverlay* m = measure();
    QTest::mouseClick(m, Qt::LeftButton, Qt::ShiftModifier, pixel_of(*form->Picture1, 0, y));
    QTest::mouseClick(m, Qt::LeftButton, Qt::ControlModifier, pixel_of(*form->Picture1, x, 0));
    QCOMPARE(m->countingLines()[0].count.count(), 0);  // nothing drawn yet
    for (int laps : {1, 3}) {
      run_laps(*form, f, laps);
      const CrossingCount& h = m->countingLines()[0].count;
      const CrossingCount& v = m->countingLines()[1].count;
      QCOMPARE(h.count(), across_horizontal);
      QCOMPARE(v.count(), across_vertical);
      QVERIFY(!h.near_node && !h.tangency && !h.arc_end && !v.near_node && !v.tangency);
    }
  }

  void ellipse_tool_data() {
    QTest::addColumn<double>("dphi");
    QTest::addColumn<QString>("reads");
    QTest::newRow("π/6") << std::numbers::pi / 6 << QStringLiteral("Δφ = 30");
    QTest::newRow("−2π/3") << -2 * std::numbers::pi / 3 << QStringLiteral("Δφ = −120");
    QTest::newRow("π/2") << std::numbers::pi / 2 << QStringLiteral("Δφ от ");
  }

  // E on the plot, or the layer's menu, measures the drawn ellipse: b on the
  // y axis, a between the tangents, and Δφ with its error.
  void ellipse_tool() {
    QFETCH(double, dphi);
    QFETCH(QString, reads);
    const Figure f{1, 1, dphi};
    set_figure(*form, f);
    run_laps(*form, f, 1);
    measuring(true);
    form->Picture1->setFocus();
    QVERIFY(key_accepted(form->Picture1, Qt::Key_E));
    MeasureOverlay* m = measure();
    QVERIFY(m->ellipseReading() && m->ellipseReading()->applies);
    const EllipseReading& r = *m->ellipseReading();
    QVERIFY(std::fabs(r.b - 8 * std::fabs(std::sin(dphi))) < 1e-5);
    QVERIFY(std::fabs(r.a - 8) < 1e-5);
    QVERIFY(m->ellipseLabel()->isVisible());
    const QString text = m->ellipseLabel()->text();
    QVERIFY2(text.contains(reads), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("°")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("a = 8")), qPrintable(text));

    // On the figure of 1 : 2 the menu's item says why not, and draws nothing.
    key_accepted(form->Picture1, Qt::Key_Escape);
    QVERIFY(!m->ellipseReading());
    set_figure(*form, {1, 2, std::numbers::pi / 2});
    run_laps(*form, {1, 2, std::numbers::pi / 2}, 1);
    QVERIFY(m->contextMenu()->actions().contains(m->ellipseAction()));
    QCOMPARE(m->ellipseAction()->text(), QStringLiteral("Эллипс"));
    m->ellipseAction()->trigger();
    QVERIFY(m->ellipseReading() && !m->ellipseReading()->applies);
    QVERIFY2(m->ellipseLabel()->text().contains(QStringLiteral("только для ωx : ωy = 1 : 1")),
             qPrintable(m->ellipseLabel()->text()));
  }

  void ellipse_method_on_the_measured_ellipse_data() {
    QTest::addColumn<double>("dphi");
    QTest::newRow("π/4") << std::numbers::pi / 4;
    QTest::newRow("π/6") << std::numbers::pi / 6;
    QTest::newRow("π/3") << std::numbers::pi / 3;
  }

  // b is dragged between the ellipse's crossings with the y axis, each end
  // let go a few pixels off and snapped onto it; a from the top of the
  // ellipse to its bottom. b / a gives sin Δφ within a pixel's worth.
  void ellipse_method_on_the_measured_ellipse() {
    QFETCH(double, dphi);
    const Figure f{1, 1, dphi};
    set_figure(*form, f);
    run_laps(*form, f, 2);
    measuring(true);
    MeasureOverlay* m = measure();
    const PlotSurface& plot = *form->Picture1;
    const double half_b = 4 * std::sin(dphi);  // where x = 0: y = ±4 sin Δφ
    const double pixel = m->pixelMetres();
    auto drag = [m](QPoint from, QPoint to) {
      QTest::mousePress(m, Qt::LeftButton, Qt::NoModifier, from);
      QTest::mouseMove(m, (from + to) / 2);
      QTest::mouseMove(m, to);
      QTest::mouseRelease(m, Qt::LeftButton, Qt::NoModifier, to);
    };
    drag(pixel_of(plot, 2 * pixel, half_b + 2 * pixel),
         pixel_of(plot, -2 * pixel, -half_b + pixel));
    QCOMPARE(m->segments().size(), std::size_t{1});
    const MeasureOverlay::Segment chord = m->segments()[0];
    QCOMPARE(chord.from.target, SnapTarget::kTraceOnYAxis);
    QCOMPARE(chord.to.target, SnapTarget::kTraceOnYAxis);
    QCOMPARE(chord.from.point.x, 0.0);
    QCOMPARE(chord.to.point.x, 0.0);
    const double b = measure_segment(chord.from.point, chord.to.point).length;
    QVERIFY2(std::fabs(b - 2 * half_b) <= pixel, qPrintable(QString::number(b)));

    // The top and the bottom of the ellipse, where the student sees them.
    const double x_top = 4 * std::cos(dphi);
    drag(pixel_of(plot, x_top, 4), pixel_of(plot, -x_top, -4));
    QCOMPARE(m->segments().size(), std::size_t{2});
    const MeasureOverlay::Segment height = m->segments()[1];
    QCOMPARE(height.from.target, SnapTarget::kNone);
    const double a = std::fabs(measure_segment(height.from.point, height.to.point).dy);
    QVERIFY2(std::fabs(a - 8) <= pixel, qPrintable(QString::number(a)));
    // A pixel's worth in each of the two lengths.
    const double worth = (1 + std::sin(dphi)) * pixel / a;
    QVERIFY2(std::fabs(b / a - std::sin(dphi)) <= worth, qPrintable(QString::number(b / a)));

    // The readout beside the chord: its length and Δx = 0.
    const MeasureFormat format{decimals_for_pixel(pixel), decimal_separator()};
    const QStringList rows = chord.label->text().split('\n');
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[1], QStringLiteral("длина = ") + metres_number(b, format) + QStringLiteral(" м"));
    QVERIFY(rows[2].startsWith(QStringLiteral("Δx = 0")));
  }

  // Measuring never draws into the picture: a run with lines and segments
  // standing leaves the very picture a run without them leaves, and turning
  // the item off shows the plot pixel for pixel as before.
  void the_picture_is_never_touched() {
    const Figure f{1, 2, std::numbers::pi / 2};
    FakePlatform other_platform;
    Form1 plain(other_platform);
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    plain.HScroll1->setValue(1);
    set_figure(plain, f);
    run_laps(plain, f, 1);

    set_figure(*form, f);
    const QImage shown_before = form->Picture1->grab().toImage();
    measuring(true);
    MeasureOverlay* m = measure();
    QTest::mouseClick(m, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 150));
    QTest::mouseClick(m, Qt::LeftButton, Qt::ControlModifier, QPoint(300, 200));
    QTest::mousePress(m, Qt::LeftButton, Qt::NoModifier, QPoint(50, 60));
    QTest::mouseMove(m, QPoint(200, 260));
    QTest::mouseRelease(m, Qt::LeftButton, Qt::NoModifier, QPoint(200, 260));
    QTest::mouseMove(m, QPoint(120, 130));
    run_laps(*form, f, 1);
    QCOMPARE(m->countingLines().size(), std::size_t{2});
    QCOMPARE(form->Picture1->picture(), plain.Picture1->picture());

    // Off, the plot shows exactly what the other window shows, device and all.
    measuring(false);
    const QImage picture = form->Picture1->picture();
    const QImage shown = form->Picture1->grab().toImage();
    QCOMPARE(shown, plain.Picture1->grab().toImage());
    QVERIFY(shown != shown_before);  // the run did draw

    measuring(true);
    QTest::mouseClick(m, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 150));
    QTest::mouseMove(m, QPoint(140, 170));
    QVERIFY(form->Picture1->grab().toImage() != shown);  // the layer shows over it
    QCOMPARE(form->Picture1->picture(), picture);
    measuring(false);
    QCOMPARE(form->Picture1->picture(), picture);
    QCOMPARE(form->Picture1->grab().toImage(), shown);
  }

  void keyboard_measures_too() {
    const Figure f{1, 1, std::numbers::pi / 4};
    set_figure(*form, f);
    run_laps(*form, f, 1);
    form->Picture1->setFocus();
    measuring(true);
    MeasureOverlay* m = measure();
    QWidget* plot = form->Picture1;
    const QPoint start = m->cursorPixel();
    QTest::keyClick(plot, Qt::Key_Right);
    QTest::keyClick(plot, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(m->cursorPixel(), start + QPoint(1, 10));
    QVERIFY(m->cursorLabel()->isVisible());
    QCOMPARE(m->cursorLabel()->text(),
             coordinates_text(m->cursorPoint(),
                              {decimals_for_pixel(m->pixelMetres()), decimal_separator()}));

    // From two pixels beside the upper crossing with the y axis to beside the
    // lower one: both ends snap onto it.
    auto go_to = [&](QPoint target) {
      while (m->cursorPixel().x() != target.x()) {
        QTest::keyClick(plot, m->cursorPixel().x() < target.x() ? Qt::Key_Right : Qt::Key_Left);
      }
      while (m->cursorPixel().y() != target.y()) {
        QTest::keyClick(plot, m->cursorPixel().y() < target.y() ? Qt::Key_Down : Qt::Key_Up);
      }
    };
    const double half_b = 4 * std::sin(std::numbers::pi / 4);
    const double pixel = m->pixelMetres();
    go_to(pixel_of(*form->Picture1, 2 * pixel, half_b));
    QTest::keyClick(plot, Qt::Key_Return);
    QVERIFY(m->pendingSegment());
    go_to(pixel_of(*form->Picture1, -2 * pixel, -half_b));
    QTest::keyClick(plot, Qt::Key_Enter);
    QVERIFY(!m->pendingSegment());
    QCOMPARE(m->segments().size(), std::size_t{1});
    const MeasureOverlay::Segment& s = m->segments()[0];
    QCOMPARE(s.from.target, SnapTarget::kTraceOnYAxis);
    QCOMPARE(s.to.target, SnapTarget::kTraceOnYAxis);
    QVERIFY(std::fabs(measure_segment(s.from.point, s.to.point).length - 2 * half_b) <= pixel);

    go_to(pixel_of(*form->Picture1, 1.7, 1.3));
    QTest::keyClick(plot, Qt::Key_H);
    QTest::keyClick(plot, Qt::Key_V);
    QCOMPARE(m->countingLines().size(), std::size_t{2});
    QCOMPARE(m->countingLines()[0].count.count(), 2);
    QCOMPARE(m->countingLines()[1].count.count(), 2);
    // The same keys in the Russian layout.
    QTest::keyClick(plot, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(plot, Qt::Key_Left, Qt::ShiftModifier);
    QTest::sendKeyEvent(QTest::Click, plot, Qt::Key(0x0420), QStringLiteral("р"), {});  // on H
    QTest::sendKeyEvent(QTest::Click, plot, Qt::Key(0x041C), QStringLiteral("м"), {});  // on V
    QCOMPARE(m->countingLines().size(), std::size_t{4});
    // What screen readers are told: every readout, and on the focused plot
    // the cursor point as it moves.
    for (QLabel* readout : {m->cursorLabel(), m->countingLines()[0].label, s.label}) {
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(readout);
      QVERIFY(face);
      QCOMPARE(face->text(QAccessible::Name), readout->text());
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(m->countingLines()[0].label)
                 ->text(QAccessible::Description),
             m->countingLines()[0].label->accessibleDescription());
    const QString plot_says =
        QAccessible::queryAccessibleInterface(plot)->text(QAccessible::Description);
    QVERIFY2(plot_says.contains(m->cursorLabel()->text()), qPrintable(plot_says));

    QTest::keyClick(plot, Qt::Key_Escape);
    QVERIFY(m->countingLines().empty());
    QVERIFY(m->segments().empty());
    QTest::keyClick(plot, Qt::Key_Left, Qt::ShiftModifier);  // still measuring after Esc
    QCOMPARE(m->cursorPixel().x(), pixel_of(*form->Picture1, 1.7, 0).x() - 20);
  }

  // The cursor point stays on the plot, its label inside the plot and off the point.
  void cursor_label_never_covers_its_point_data() {
    QTest::addColumn<QPoint>("pointer");
    QTest::newRow("middle") << QPoint(240, 240);
    QTest::newRow("top left") << QPoint(0, 1);  // (0, 0) means the middle to QTest
    QTest::newRow("top right") << QPoint(484, 2);
    QTest::newRow("bottom left") << QPoint(3, 484);
    QTest::newRow("bottom right") << QPoint(484, 484);
    QTest::newRow("right edge") << QPoint(470, 200);
  }

  void cursor_label_never_covers_its_point() {
    QFETCH(QPoint, pointer);
    measuring(true);
    MeasureOverlay* m = measure();
    QTest::mouseMove(m, pointer);
    QCOMPARE(m->cursorPixel(), pointer);
    const QRect label = m->cursorLabel()->geometry();
    QVERIFY(m->cursorLabel()->isVisible());
    QVERIFY2(m->rect().contains(label), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                       .arg(label.x())
                                                       .arg(label.y())
                                                       .arg(label.width())
                                                       .arg(label.height())));
    QVERIFY(!label.adjusted(-2, -2, 2, 2).contains(pointer));
  }

  // A resize keeps the lines where they are in metres and counts again; a
  // new figure empties the trace and the counts with it, and a new range
  // takes the lines away.
  void counts_follow_a_resize_and_a_new_figure() {
    const Figure f{1, 2, std::numbers::pi / 2};
    set_figure(*form, f);
    run_laps(*form, f, 1);
    measuring(true);
    QTest::mouseClick(measure(), Qt::LeftButton, Qt::ShiftModifier,
                      pixel_of(*form->Picture1, 0, 1.3));
    const double value = measure()->countingLines()[0].line.value;
    QCOMPARE(measure()->countingLines()[0].count.count(), 4);
    form->resize(form->size() + QSize(200, 200));
    QTRY_COMPARE(measure()->geometry(), form->Picture1->rect());
    QTest::qWait(1);
    QCOMPARE(measure()->countingLines()[0].line.value, value);
    QCOMPARE(measure()->countingLines()[0].count.count(), 4);
    form->Text4->setText(QStringLiteral("3"));  // the same range
    QTest::qWait(1);
    QCOMPARE(measure()->countingLines().size(), std::size_t{1});
    QCOMPARE(measure()->countingLines()[0].count.count(), 0);
    form->Text2->setText(QStringLiteral("9"));  // a larger range: the line would stand elsewhere
    QTest::qWait(1);
    QVERIFY(measure()->countingLines().empty());
    QVERIFY(measure()->isActive());
  }

  void numbers_in_readouts_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    const double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    QTest::newRow("positive") << 1.234 << 2 << QStringLiteral("1,23");
    QTest::newRow("a real minus") << -0.454 << 2 << QStringLiteral("−0,45");
    QTest::newRow("rounds to zero: no sign") << -0.004 << 2 << QStringLiteral("0,00");
    QTest::newRow("minus zero") << -0.0 << 2 << QStringLiteral("0,00");
    QTest::newRow("no decimals") << -12.6 << 0 << QStringLiteral("−13");
    QTest::newRow("huge") << -1.5e12 << 2 << QStringLiteral("−1,500e+12");
    QTest::newRow("infinite") << inf << 2 << QStringLiteral("1,798e+308");
    QTest::newRow("not a number") << std::nan("") << 2 << QStringLiteral("0,00");
    // clang-format on
  }

  void numbers_in_readouts() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(metres_number(value, {decimals, QStringLiteral(",")}), text);
  }

  void decimals_show_a_pixel_data() {
    QTest::addColumn<double>("pixel");
    QTest::addColumn<int>("decimals");
    // clang-format off
    QTest::newRow("the usual plot") << 12.0 / 485 << 2;
    QTest::newRow("a small figure") << 0.0031 << 3;
    QTest::newRow("a metre") << 1.0 << 0;
    QTest::newRow("a large figure") << 40.0 << 0;
    QTest::newRow("no scale yet") << 0.0 << 2;
    QTest::newRow("not a number") << std::nan("") << 2;
    // clang-format on
  }

  void decimals_show_a_pixel() {
    QFETCH(double, pixel);
    QFETCH(int, decimals);
    QCOMPARE(decimals_for_pixel(pixel), decimals);
  }

  void labels_keep_clear_data() {
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("room");  // for a second label beside the first
    // clang-format off
    QTest::newRow("middle") << QPointF(100.5, 100.5) << QSize(60, 20) << true;
    QTest::newRow("right edge") << QPointF(195.5, 100.5) << QSize(60, 20) << true;
    QTest::newRow("bottom edge") << QPointF(100.5, 199.5) << QSize(60, 20) << true;
    QTest::newRow("corner") << QPointF(199.5, 199.5) << QSize(60, 20) << false;
    QTest::newRow("wider than half") << QPointF(100.5, 100.5) << QSize(150, 20) << false;
    // clang-format on
  }

  // Inside the bounds, clear of the point, and clear of a label already there
  // when there is room.
  void labels_keep_clear() {
    QFETCH(QPointF, point);
    QFETCH(QSize, size);
    QFETCH(bool, room);
    const QRect bounds(0, 0, 200, 200);
    LabelObstacles o;
    o.points = {point};
    const QRect first = place_label(around_point(point, size, 4), bounds, o, 4);
    QVERIFY(bounds.contains(first));
    QVERIFY(!QRectF(first).adjusted(-4, -4, 4, 4).contains(point));
    o.rects = {QRectF(first)};
    const QRect second = place_label(around_point(point, size, 4), bounds, o, 4);
    QVERIFY(bounds.contains(second));
    QVERIFY(!QRectF(second).contains(point));
    if (room) QVERIFY(!second.intersects(first));
  }
};

QTEST_MAIN(TestMeasureOverlay)
#include "test_measure_overlay.moc"
