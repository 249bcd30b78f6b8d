// The time view: its points against the run's own stepping, the idle span,
// the rotating vectors, the layout at any size, and the window's life next
// to the main window (one instance, closing during a run, closing with the
// program).

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QtTest>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>

#include "model/characteristics.h"
#include "model/figure_period.h"
#include "model/run_stepper.h"
#include "platform/fake_platform.h"
#include "plot/plot_layer.h"
#include "plot/plot_range.h"
#include "tools/time_view/model/time_sweep.h"
#include "tools/time_view/time_scene.h"
#include "tools/time_view/time_view.h"
#include "window/form1.h"

using namespace orvinda;

namespace {

struct Params {
  double wy, x0, vx0, y0;
  float vy0;
};

MotionParameters motion(const Params& p) { return {1, p.x0, p.vx0, p.wy, p.y0, p.vy0}; }

Characteristics characteristics_of(const Params& p) {
  return compute_characteristics(motion(p), 0, false);
}

// The run's own points: (0, x0, y0), then every step of RunStepper.
std::vector<SweepPoint> stepper_points(const Params& p, long long steps) {
  const Characteristics c = characteristics_of(p);
  RunStepper stepper(motion(p), c.wywx, c.dt);
  std::vector<SweepPoint> points{{0, p.x0, p.y0}};
  for (long long i = 0; i < steps; ++i) {
    const RunStep s = stepper.next();
    points.push_back({static_cast<double>(stepper.t()), s.x, s.y});
  }
  return points;
}

bool reddish(QColor c) { return c.red() > 180 && c.green() < 120 && c.blue() < 120; }

// Runs the main window until last_step, doing the given actions at steps.
struct RunScript {
  Form1& form;
  std::map<long long, std::function<void()>> at_step;
  long long last_step = 10;
  long long steps = 0;

  void run() {
    const long long first = form.runSteps();
    const auto connection = QObject::connect(&form, &Form1::stepTaken, &form, [&] {
      steps = form.runSteps() - first;
      if (auto it = at_step.find(steps); it != at_step.end()) it->second();
      if (steps == last_step && form.CmdOK->text() == QStringLiteral("СТОП")) form.CmdOK->click();
    });
    form.CmdOK->click();  // returns when the run has ended
    QObject::disconnect(connection);
  }
};

void set_parameters(Form1& form, const Params& p) {
  form.Text4->setText(QString::number(p.wy));
  form.Text2->setText(QString::number(p.x0));
  form.Text3->setText(QString::number(p.vx0));
  form.Text5->setText(QString::number(p.y0));
  form.Text6->setText(QString::number(p.vy0));
}

}  // namespace

class TestTimeView : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // --- the model ------------------------------------------------------------

  void idle_span_is_the_closing_time_data() {
    QTest::addColumn<double>("wy");
    QTest::addColumn<int>("turns");
    // clang-format off
    QTest::newRow("start values 1 : 1,8") << 1.8 << 5;
    QTest::newRow("1 : 1") << 1.0 << 1;
    QTest::newRow("1 : 2") << 2.0 << 1;
    QTest::newRow("2 : 3") << 1.5 << 2;
    QTest::newRow("3 : 4") << 4.0 / 3 << 3;
    QTest::newRow("beats 1 : 1,05") << 1.05 << 20;
    QTest::newRow("slower y 1 : 0,25") << 0.25 << 4;
    QTest::newRow("never closes") << std::numbers::sqrt2 << kOpenSweepTurns;
    // clang-format on
  }

  void idle_span_is_the_closing_time() {
    QFETCH(double, wy);
    QFETCH(int, turns);
    const Params p{wy, 3, 3, 3, 2};
    const Characteristics c = characteristics_of(p);
    QCOMPARE(sweep_turns(c.wywx), turns);
    const TimeSweep sweep = idle_sweep(motion(p), c.wywx, c.dt);
    const double closing = turns * 2 * std::numbers::pi;
    // Every step the run takes in those turns, and its own points.
    const long long steps = steps_for_turns(c.dt, turns);
    QCOMPARE(static_cast<long long>(sweep.points().size()), steps + 1);
    QVERIFY(sweep.points() == stepper_points(p, steps));
    QCOMPARE(sweep.begin(), 0.0);
    QVERIFY(std::fabs(sweep.points().back().t - closing) <= c.dt);
    QVERIFY(sweep.end() >= closing && sweep.end() >= sweep.points().back().t);
    QVERIFY(sweep.end() - closing <= c.dt);
    if (turns != kOpenSweepTurns || wy == 0.25) {
      // The figure is closed: the last point is back at the start, within
      // what half a step can move it.
      const double tolerance = (c.ax + c.ay * std::max(1.0, wy)) * c.dt;
      QVERIFY2(
          std::hypot(sweep.points().back().x - p.x0, sweep.points().back().y - p.y0) <= tolerance,
          qPrintable(QString::number(sweep.points().back().x)));
    }
  }

  void sweep_moves_on_keeping_a_quarter() {
    TimeSweep sweep;
    sweep.restart(8);
    for (int i = 0; i <= 80; ++i) QVERIFY(!sweep.add({i * 0.1, 0, 0}));
    QCOMPARE(sweep.points().size(), std::size_t(81));
    QVERIFY(sweep.add({8.1, 1, 2}));
    QCOMPARE(sweep.begin(), 8.1 - 2);
    QCOMPARE(sweep.end(), 8.1 + 6);
    // The point just before the new beginning stays, so the curve enters
    // at the edge; nothing older does.
    QVERIFY(sweep.points().front().t < sweep.begin());
    QVERIFY(sweep.points()[1].t >= sweep.begin());
    QCOMPARE(sweep.points().back(), (SweepPoint{8.1, 1, 2}));
    // A long run holds no more than one span of points.
    for (int i = 82; i < 5000; ++i) sweep.add({i * 0.1, 0, 0});
    QVERIFY(sweep.points().size() <= 82);
    QVERIFY(sweep.end() >= 4999 * 0.1);
  }

  void catching_up_ends_on_the_runs_step_data() {
    QTest::addColumn<int>("steps");
    // clang-format off
    QTest::newRow("before the first step") << 0;
    QTest::newRow("first step") << 1;
    QTest::newRow("inside the span") << 137;
    QTest::newRow("past the span, moved on") << 1234;
    // clang-format on
  }

  void catching_up_ends_on_the_runs_step() {
    QFETCH(int, steps);
    const Params p{1.8, 3, 3, 3, 2};
    const Characteristics c = characteristics_of(p);
    const std::vector<SweepPoint> expected = stepper_points(p, steps);
    TimeSweep sweep;
    sweep.restart(sweep_extent(c.wywx, c.dt, 1).span);
    const float until = static_cast<float>(expected.back().t);
    QCOMPARE(sweep_run(sweep, motion(p), c.wywx, c.dt, until, 1'000'000), steps);
    QCOMPARE(sweep.points().back(), expected.back());
    // The window holds the run's last points, as the run would have left it.
    const std::size_t n = sweep.points().size();
    for (std::size_t i = 0; i < n; ++i) {
      QCOMPARE(sweep.points()[i], expected[expected.size() - n + i]);
    }
  }

  void vectors_project_onto_the_point_data() {
    QTest::addColumn<double>("wy");
    QTest::addColumn<double>("x0");
    QTest::addColumn<double>("vx0");
    QTest::addColumn<double>("y0");
    QTest::addColumn<double>("vy0");
    // clang-format off
    QTest::newRow("start values") << 1.8 << 3.0 << 3.0 << 3.0 << 2.0;
    QTest::newRow("phases in the 2nd and 3rd quarter") << 2.0 << -2.0 << 1.0 << -1.0 << -3.0;
    QTest::newRow("phase pi") << 1.0 << -4.0 << 0.0 << 0.0 << -4.0;
    QTest::newRow("y at rest") << 3.0 << 1.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("large amplitudes") << 0.5 << 1e6 << -3e6 << 2e5 << 1e5;
    // clang-format on
  }

  void vectors_project_onto_the_point() {
    QFETCH(double, wy);
    QFETCH(double, x0);
    QFETCH(double, vx0);
    QFETCH(double, y0);
    QFETCH(double, vy0);
    const Params p{wy, x0, vx0, y0, static_cast<float>(vy0)};
    const Characteristics c = characteristics_of(p);
    RunStepper stepper(motion(p), c.wywx, c.dt);
    RotatingVectors before = rotating_vectors(c, 0, x0, y0);
    // At t = 0 the vectors stand at -phi from their axes.
    QCOMPARE(before.x_angle, -c.fix);
    QCOMPARE(before.y_angle, -c.fiy);
    for (int step = 1; step <= 400; ++step) {
      const RunStep s = stepper.next();
      const RotatingVectors v = rotating_vectors(c, stepper.t(), s.x, s.y);
      const double scale = std::max({c.ax, c.ay, 1.0}) * 1e-9;
      // The projections are the run's coordinates, and the vectors as long
      // as the amplitudes: x = Ax cos(wx t - fix) from the horizontal axis,
      // y = Ay cos(wy t - fiy) from the vertical one.
      QCOMPARE(v.x_tip_x, s.x);
      QCOMPARE(v.y_tip_y, s.y);
      QVERIFY(std::fabs(c.ax * std::cos(v.x_angle) - s.x) <= scale);
      QVERIFY(std::fabs(c.ay * std::cos(v.y_angle) - s.y) <= scale);
      QVERIFY(std::fabs(std::hypot(v.x_tip_x, v.x_tip_y) - c.ax) <= scale * 10);
      QVERIFY(std::fabs(std::hypot(v.y_tip_x, v.y_tip_y) - c.ay) <= scale * 10);
      // Both turn counter-clockwise, y's wy / wx times as fast.
      QVERIFY(v.x_angle > before.x_angle);
      QVERIFY(std::fabs((v.y_angle - before.y_angle) - c.wywx * (v.x_angle - before.x_angle)) <
              1e-4);
      before = v;
    }
  }

  // --- the layout -------------------------------------------------------------

  void layout_follows_the_size_data() {
    QTest::addColumn<QSize>("size");
    // clang-format off
    QTest::newRow("smallest") << QSize(420, 320);
    QTest::newRow("800 x 600") << QSize(800, 600);
    QTest::newRow("square") << QSize(700, 700);
    QTest::newRow("wide") << QSize(1600, 500);
    QTest::newRow("tall") << QSize(500, 1000);
    // clang-format on
  }

  void layout_follows_the_size() {
    QFETCH(QSize, size);
    const TimeLayout l = time_layout(QSizeF(size), 10, 40, TimeText{13, 32, 36});
    const QRectF surface(QPointF(0, 0), QSizeF(size));
    const QRectF panels[] = {l.x_circle.px, l.y_circle.px, l.x_graph.px, l.y_graph.px};
    for (const QRectF& a : panels) {
      QVERIFY(surface.contains(a));
      QVERIFY(a.width() >= 50 && a.height() >= 50);
      QVERIFY(!a.intersects(l.free));
      for (const QRectF& b : panels) QVERIFY(&a == &b || !a.intersects(b));
    }
    // The circles are round; each graph shares its value scale with its
    // circle, so a projection meets the graph at the same metres.
    QCOMPARE(l.x_circle.px.width(), l.x_circle.px.height());
    QCOMPARE(l.x_graph.px.left(), l.x_circle.px.left());
    QCOMPARE(l.x_graph.px.width(), l.x_circle.px.width());
    QVERIFY(l.x_graph.px.top() > l.x_circle.px.bottom());
    QCOMPARE(l.y_graph.px.top(), l.y_circle.px.top());
    QCOMPARE(l.y_graph.px.height(), l.y_circle.px.height());
    QVERIFY(l.y_graph.px.left() > l.y_circle.px.right());
    // Both graphs span the same time, and a panel's units land on its edges.
    const ScaleMapping y = l.y_graph.mapping(l.surface);
    const ScaleMapping x = l.x_graph.mapping(l.surface);
    QVERIFY(std::fabs(y.to_px_x(10) - l.y_graph.px.left()) < 1e-9);
    QVERIFY(std::fabs(y.to_px_x(40) - l.y_graph.px.right()) < 1e-9);
    QVERIFY(std::fabs(x.to_px_y(10) - l.x_graph.px.top()) < 1e-9);
    QVERIFY(std::fabs(x.to_px_y(40) - l.x_graph.px.bottom()) < 1e-9);
    QVERIFY(std::fabs(y.to_px_y(1) - l.y_graph.px.top()) < 1e-9);
  }

  // --- the window -------------------------------------------------------------

  void one_window_shown_again() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    QCOMPARE(form.mnuExperimentTimeView->text(), QStringLiteral("Развёртка колебаний"));
    form.mnuExperimentTimeView->trigger();
    QPointer<TimeView> first = form.timeViewWindow();
    QVERIFY(first && first->isVisible());
    QCOMPARE(first->windowTitle(), QStringLiteral("Развёртка колебаний"));
    QVERIFY(!first->isModal());
    QVERIFY(!first->testAttribute(Qt::WA_QuitOnClose));
    first->hide();
    form.mnuExperimentTimeView->trigger();
    QCOMPARE(form.timeViewWindow(), first.data());
    QVERIFY(first->isVisible());
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget* w) { return qobject_cast<TimeView*>(w) != nullptr; }),
             1);
    // Every picture and text has a Russian name for screen readers.
    for (QWidget* w : {static_cast<QWidget*>(first->Picture), static_cast<QWidget*>(first->LabelT),
                       static_cast<QWidget*>(first->LabelX), static_cast<QWidget*>(first->LabelY),
                       static_cast<QWidget*>(first->LabelLegend)}) {
      // As a screen reader hears it: a label without a name of its own is
      // heard by its text.
      const QString heard = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
      QVERIFY2(heard.contains(QRegularExpression(QStringLiteral("[а-яА-Я]"))),
               qPrintable(w->objectName()));
    }
    first->close();
    QTRY_VERIFY(first.isNull());
    form.mnuExperimentTimeView->trigger();
    QVERIFY(form.timeViewWindow() && form.timeViewWindow()->isVisible());
  }

  void idle_view_follows_the_parameters() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.mnuExperimentTimeView->trigger();
    TimeView* view = form.timeViewWindow();
    const Params start{1.8, 3, 3, 3, 2};
    QVERIFY(view->sweep().points() == stepper_points(start, steps_for_turns(form.dt, 5)));
    QCOMPARE(view->moment(), (SweepPoint{0, 3, 3}));
    const QString point = QLocale::system().decimalPoint();
    QCOMPARE(view->LabelT->text(), "t = 0" + point + "00 с");
    QCOMPARE(view->LabelX->text(), "x = 3" + point + "00 м");

    const int redraws = view->fullRedraws();
    form.Text5->setText(QStringLiteral("-1.25"));  // as if typed: redrawn at once
    QVERIFY(view->fullRedraws() > redraws);
    const Params edited{1.8, 3, 3, -1.25, 2};
    QVERIFY(view->sweep().points() == stepper_points(edited, steps_for_turns(form.dt, 5)));
    QCOMPARE(view->LabelY->text(), "y = \u22121" + point + "25 м");
    form.Text4->setText(QStringLiteral("2"));
    QCOMPARE(view->sweep().points().size(), std::size_t(steps_for_turns(form.dt, 1) + 1));
  }

  void odd_parameters_draw_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("largest amplitude") << "Text2" << "1E308";
    QTest::newRow("tiny amplitudes") << "Text5" << "1E-300";
    QTest::newRow("very fast y") << "Text4" << "1E30";
    QTest::newRow("very slow y") << "Text4" << "1E-30";
    QTest::newRow("fast y, never closing") << "Text4" << "777.7";
    // clang-format on
  }

  void odd_parameters_draw() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.mnuExperimentTimeView->trigger();
    TimeView* view = form.timeViewWindow();
    const int redraws = view->fullRedraws();
    form.findChild<QLineEdit*>(box)->setText(text);
    QVERIFY(view->fullRedraws() > redraws);
    QVERIFY(std::isfinite(view->sweep().end()) && view->sweep().end() > 0);
    QVERIFY(view->sweep().points().size() <= std::size_t(kMaxSweepSteps + 1));
    QCOMPARE(view->moment().t, 0.0);
    for (QLabel* label : {view->LabelT, view->LabelX, view->LabelY}) {
      QVERIFY(!label->text().contains(QStringLiteral("inf")));
      QVERIFY(!label->text().contains(QStringLiteral("nan")));
    }
    // Drawn on a picture of the window's size, the grid's green showing.
    const QImage shown = view->Picture->grab().toImage();
    QCOMPARE(shown.size(), view->Picture->size() * shown.devicePixelRatio());
    const QRectF graph = view->sceneLayout().y_graph.px;
    bool green = false;
    for (double x = graph.left() + 4; x < graph.right() && !green; ++x) {
      const QColor c = shown.pixelColor(QPointF(x, graph.top() + graph.height() / 12).toPoint());
      green = c.green() > 200 && c.red() < 200;
    }
    QVERIFY(green);
  }

  void run_points_are_the_steppers() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.HScroll1->setValue(1);
    const Params p{1, 2, 0, 0, 2};  // 1 : 1, a span of 50 steps
    set_parameters(form, p);
    form.mnuExperimentTimeView->trigger();
    QPointer<TimeView> view = form.timeViewWindow();
    const std::vector<SweepPoint> expected = stepper_points(p, 140);

    RunScript script{form, {}, 140};
    auto check = [&](long long step) {
      return [&, step] {
        QCOMPARE(view->momentStep(), step);
        QCOMPARE(view->moment(), expected[step]);
        QCOMPARE(view->moment().t, static_cast<double>(form.lastRunTime()));
        QCOMPARE(view->moment().x, form.lastRunStep().x);
        QCOMPARE(view->moment().y, form.lastRunStep().y);
        for (const SweepPoint& q : view->sweep().points()) {
          const auto k = static_cast<std::size_t>(std::lround(q.t / form.dt));
          QCOMPARE(q, expected[k]);
        }
        QVERIFY(view->sweep().begin() <= view->moment().t &&
                view->moment().t <= view->sweep().end());
      };
    };
    for (long long step : {1, 2, 3, 17, 49, 50, 51, 52, 99, 120, 140})
      script.at_step[step] = check(step);
    // The axis starts at 0 and moves on once the run passes its end.
    script.at_step[50] = [&, check50 = check(50)] {
      check50();
      QCOMPARE(view->sweep().begin(), 0.0);
    };
    script.at_step[52] = [&, check52 = check(52)] {
      check52();
      QVERIFY(view->sweep().begin() > 0);
    };
    script.run();
    QCOMPARE(script.steps, 140LL);

    // The stop shows the last step: marker and readouts.
    QCOMPARE(view->drawnStep(), 140LL);
    QCOMPARE(view->drawnMoment(), expected[140]);
    QVERIFY(view->frames() > 140 / 5);
    const double r = plot_radius(form.ax, form.ay);
    const TimeLayout& l = view->sceneLayout();
    const QImage shown = view->Picture->grab().toImage();
    const ScaleMapping y_graph = l.y_graph.mapping(l.surface);
    const ScaleMapping x_graph = l.x_graph.mapping(l.surface);
    const SweepPoint& m = expected[140];
    const qreal dpr = shown.devicePixelRatio();
    QVERIFY(reddish(
        shown.pixelColor(QPointF(y_graph.to_px_x(m.t), y_graph.to_px_y(m.y / r)).toPoint() * dpr)));
    QVERIFY(reddish(
        shown.pixelColor(QPointF(x_graph.to_px_x(m.x / r), x_graph.to_px_y(m.t)).toPoint() * dpr)));

    // A new run starts the axis afresh.
    RunScript again{form, {}, 3};
    again.at_step[1] = [&] {
      QCOMPARE(view->sweep().begin(), 0.0);
      QCOMPARE(view->sweep().points().front(), (SweepPoint{0, p.x0, p.y0}));
      QCOMPARE(view->moment(), expected[1]);
    };
    again.run();
    QCOMPARE(view->momentStep(), 3LL);
  }

  void marker_drawn_at_every_step_when_slower() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.HScroll1->setValue(4);  // 40 ms a step, more than a frame
    form.mnuExperimentTimeView->trigger();
    TimeView* view = form.timeViewWindow();
    RunScript script{form, {}, 12};
    QList<long long> drawn;
    for (long long step = 1; step <= 12; ++step) {
      script.at_step[step] = [&] { drawn << view->drawnStep(); };
    }
    script.run();
    // Slower than a frame, the picture keeps up: a step that comes less
    // than a frame after the last picture (the first, or a late one on a
    // busy machine) is drawn within the frame, before the next.
    QCOMPARE(drawn.size(), 12);
    for (int i = 0; i < drawn.size(); ++i) {
      QVERIFY2(drawn[i] >= i - 1, qPrintable(QString::number(i)));
      QVERIFY(drawn[i] <= i + 1);
    }
    QCOMPARE(view->drawnStep(), 12LL);
  }

  void opened_during_a_run_catches_up() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.HScroll1->setValue(1);
    const std::vector<SweepPoint> expected = stepper_points({1.8, 3, 3, 3, 2}, 30);
    RunScript script{form, {}, 30};
    TimeView* view = nullptr;
    script.at_step[20] = [&] {
      form.mnuExperimentTimeView->trigger();
      view = form.timeViewWindow();
      QCOMPARE(view->momentStep(), 20LL);
      QCOMPARE(view->moment(), expected[20]);
      QVERIFY(view->sweep().points() ==
              std::vector<SweepPoint>(expected.begin(), expected.begin() + 21));
    };
    script.run();
    QCOMPARE(view->momentStep(), 30LL);
    QCOMPARE(view->moment(), expected[30]);
  }

  void closing_it_leaves_the_run_going() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.HScroll1->setValue(1);
    form.mnuExperimentTimeView->trigger();
    QPointer<TimeView> view = form.timeViewWindow();
    RunScript script{form, {}, 25};
    script.at_step[5] = [&] { view->close(); };
    script.at_step[15] = [&] {
      QVERIFY(view.isNull() || !view->isVisible());
      QVERIFY(form.running());
    };
    script.run();
    QCOMPARE(script.steps, 25LL);
    QTRY_VERIFY(view.isNull());
    QCOMPARE(platform.tones.size(), std::size_t(1));
  }

  void kept_after_the_run_until_the_parameters_change() {
    FakePlatform platform;
    Form1 form(platform);
    form.show();
    form.HScroll1->setValue(1);
    form.mnuExperimentTimeView->trigger();
    TimeView* view = form.timeViewWindow();
    RunScript script{form, {}, 8};
    script.run();
    const SweepPoint last = view->moment();
    QCOMPARE(view->momentStep(), 8LL);
    form.Form_Resize();  // a full redraw of the main window, parameters unchanged
    QCOMPARE(view->moment(), last);
    form.Text2->setText(QStringLiteral("1"));
    QCOMPARE(view->momentStep(), 0LL);
    QCOMPARE(view->moment(), (SweepPoint{0, 1, 3}));
  }

  void closing_the_program_closes_it() {
    FakePlatform platform;
    platform.answers = {MessageAnswer::Yes};
    auto* form = new Form1(platform);
    form->show();
    form->mnuExperimentTimeView->trigger();
    QPointer<TimeView> view = form->timeViewWindow();
    form->close();
    QCOMPARE(platform.end_program_calls, 1);
    QTRY_VERIFY(view.isNull() || !view->isVisible());
    delete form;  // and the main window's end takes it along
    QVERIFY(view.isNull());
  }
};

QTEST_MAIN(TestTimeView)
#include "test_time_view.moc"
