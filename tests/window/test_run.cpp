// A run through the real window with the fake platform and the shortest
// pause: start, steps, stop, the scroll bar, a modal box, a nested start and
// closing during a run.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <functional>
#include <map>
#include <memory>

#include "model/characteristics.h"
#include "model/run_stepper.h"
#include "platform/fake_platform.h"
#include "plot/device_piece.h"
#include "plot/plot_surface.h"
#include "support/shown_form.h"
#include "window/form1.h"

using namespace orvinda;

namespace {

// Runs the window until `last_step`, doing the given actions at given steps;
// the run is stopped at last_step unless an action ended it.
struct RunScript {
  Form1& form;
  std::map<long long, std::function<void()>> at_step;
  long long last_step = 10;
  QList<long long> steps_seen;

  void run() {
    const auto connection = QObject::connect(&form, &Form1::stepTaken, &form, [this] {
      const long long step = form.runSteps();
      steps_seen << step;
      if (auto it = at_step.find(step); it != at_step.end()) it->second();
      if (step == last_step && form.CmdOK->text() == QStringLiteral("СТОП")) form.CmdOK->click();
    });
    form.CmdOK->click();  // returns when the run has ended
    QObject::disconnect(connection);
  }
};

bool red(QColor c) { return c.red() > 200 && c.green() < 90 && c.blue() < 90; }

}  // namespace

class TestRun : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ShownForm> shown;
  FakePlatform* platform = nullptr;
  Form1* form = nullptr;

 private Q_SLOTS:
  void init() {
    shown = std::make_unique<ShownForm>();
    platform = &shown->platform;
    form = &shown->form;
    form->HScroll1->setValue(1);  // 10 ms per step
  }

  void cleanup() { shown.reset(); }

  void start_locks_the_window_and_draws_the_trace() {
    const QSize size = form->size();
    RunScript script{*form, {}, 6, {}};
    QPointF first_point;
    script.at_step[1] = [&] {
      QCOMPARE(form->CmdOK->text(), QStringLiteral("СТОП"));
      QCOMPARE(form->windowTitle(), QStringLiteral("При работе размер окна изменить нельзя!"));
      for (QLineEdit* box :
           {form->Text1, form->Text2, form->Text3, form->Text4, form->Text5, form->Text6}) {
        QVERIFY(!box->isEnabled());
      }
      QCOMPARE(form->minimumSize(), size);
      QCOMPARE(form->maximumSize(), size);
      QVERIFY(!(form->windowHandle()->flags() & Qt::WindowMaximizeButtonHint));
      // The first segment starts at the initial point.
      RunStepper replica({form->wx, form->x0, form->vx0, form->wy, form->y0, form->vy0}, form->wywx,
                         form->dt);
      const RunStep s = replica.next();
      first_point = QPointF(s.x, s.y);
      QCOMPARE(form->Picture1->CurrentX(), s.segment_x);
      QVERIFY(red(form->Picture1->colorAt((3 + s.x) / 2, (3 + s.y) / 2)));
      QCOMPARE(form->Picture1->DrawWidth(), 3);
    };
    script.at_step[6] = [&] { QVERIFY(platform->tones.empty()); };
    script.run();
    QVERIFY(!first_point.isNull());
    QCOMPARE(script.steps_seen.size(), 6);
  }

  void device_follows_every_second_step() {
    RunStepper replica({form->wx, form->x0, form->vx0, form->wy, form->y0, form->vy0}, form->wywx,
                       form->dt);
    QList<RunStep> points;
    for (int i = 0; i < 6; ++i) points << replica.next();
    RunScript script{*form, {}, 6, {}};
    const QRect start = form->Shape1->geometry();
    auto ball_on = [&](int step) {
      const QPointF centre = form->Shape1->pixelRect().center();
      const auto& m = form->Picture1->mapping();
      const RunStep& p = points[step - 1];
      QVERIFY(std::abs(centre.x() - m.to_px_x(p.x)) < 0.01);
      QVERIFY(std::abs(centre.y() - m.to_px_y(p.y)) < 0.01);
      QVERIFY(std::abs(form->Shape2->pixelRect().center().x() - m.to_px_x(p.x)) < 0.01);
      QVERIFY(std::abs(form->Image1->pixelRect().right() - form->Shape1->pixelRect().left()) <
              0.01);
      QVERIFY(std::abs(form->Image2->pixelRect().bottom() - form->Shape1->pixelRect().top()) <
              0.01);
    };
    script.at_step[2] = [&] { QCOMPARE(form->Shape1->geometry(), start); };
    script.at_step[3] = [&] { ball_on(3); };
    script.at_step[4] = [&] { ball_on(3); };
    script.at_step[5] = [&] { ball_on(5); };
    script.run();
  }

  void stop_unlocks_at_once_and_ends_after_the_pause() {
    const QSize size = form->size();
    const QSize min_before = form->minimumSize();
    const QSize max_before = form->maximumSize();
    const Qt::WindowFlags flags_before = form->windowHandle()->flags();
    RunScript script{*form, {}, 1000, {}};
    script.at_step[4] = [&] {
      form->CmdOK->click();
      QCOMPARE(form->CmdOK->text(), QStringLiteral("ПУСК"));
      QCOMPARE(form->windowTitle(), Form1::kIdleCaption);
      QCOMPARE(form->minimumSize(), min_before);
      QCOMPARE(form->maximumSize(), max_before);
      QCOMPARE(form->windowHandle()->flags(), flags_before);
      QVERIFY(platform->tones.empty());
      QVERIFY(!form->Text2->isEnabled());
    };
    script.run();
    QCOMPARE(script.steps_seen.size(), 4);  // no segment after the stop
    QCOMPARE(platform->tones.size(), std::size_t(1));
    QCOMPARE(platform->tones[0].frequency_hz, 880);
    QCOMPARE(platform->tones[0].duration_ms, 600);
    for (QLineEdit* box : {form->Text2, form->Text3, form->Text4, form->Text5, form->Text6}) {
      QVERIFY(box->isEnabled());
    }
    QVERIFY(!form->Text1->isEnabled());
    QCOMPARE(form->size(), size);
    // The trace stays until the next redraw.
    QVERIFY(red(form->Picture1->colorAt(form->Picture1->CurrentX(), form->Picture1->CurrentY())));
    form->Form_Resize();
    QVERIFY(!red(form->Picture1->colorAt(form->Picture1->CurrentX(), form->Picture1->CurrentY())));
  }

  void maximised_or_full_screen_run_keeps_its_state_data() {
    QTest::addColumn<int>("state");
    QTest::newRow("maximised") << int(Qt::WindowMaximized);
    QTest::newRow("full screen") << int(Qt::WindowFullScreen);
  }

  // ПУСК keeps a maximised window maximised, in place and at its client
  // size; a restore forced from outside during the run is undone at the
  // next step; after СТОП it is as before.
  void maximised_or_full_screen_run_keeps_its_state() {
    QFETCH(int, state);
    const QSize normal = form->size();
    form->setWindowState(Qt::WindowState(state));
    QTRY_VERIFY(form->size() != normal);  // the new geometry comes later
    const QRect geometry = form->geometry();
    const QSize client = form->centralWidget()->size();
    const QSize max_before = form->maximumSize();
    const Qt::WindowFlags flags_before = form->windowHandle()->flags();
    RunScript script{*form, {}, 8, {}};
    const auto held = [&] {
      QVERIFY(form->windowState() & Qt::WindowState(state));
      QCOMPARE(form->geometry(), geometry);
      QCOMPARE(form->centralWidget()->size(), client);
      QCOMPARE(form->windowHandle()->flags(), flags_before);
    };
    script.at_step[1] = held;
    // The window manager restores it, as a double click on the title would.
    script.at_step[2] = [&] { form->windowHandle()->setWindowStates(Qt::WindowNoState); };
    script.at_step[4] = held;
    script.run();
    held();
    QCOMPARE(form->maximumSize(), max_before);
    QCOMPARE(form->CmdOK->text(), QStringLiteral("ПУСК"));
  }

  void scroll_bar_changes_the_pause_during_the_run() {
    RunScript script{*form, {}, 5, {}};
    QList<int> pauses;
    auto note_pause = [&] { QTimer::singleShot(0, form, [&] { pauses << form->Timer1Interval; }); };
    script.at_step[1] = note_pause;
    script.at_step[2] = [&] {
      form->HScroll1->setValue(2);
      QCOMPARE(form->Label21->text(), QStringLiteral("2"));
      note_pause();
    };
    script.at_step[3] = note_pause;
    script.run();
    QCOMPARE(pauses, QList<int>({10, 20, 20}));
    QCOMPARE(form->zam, std::int16_t(2));
  }

  void modal_box_holds_the_run() {
    long long held_at = -1;
    platform->while_message_open = [&] {
      held_at = form->runSteps();
      // Let many pauses' worth of 1 ms ticks pass while the box is open.
      QEventLoop loop;
      QTimer tick;
      int ticks = 0;
      QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (++ticks >= 40) loop.quit();
      });
      tick.start(1);
      loop.exec();
      QCOMPARE(form->runSteps(), held_at);
    };
    RunScript script{*form, {}, 6, {}};
    script.at_step[2] = [&] {
      QTimer::singleShot(0, form, [&] { form->mnuHelpAbout->trigger(); });
    };
    script.run();
    QCOMPARE(held_at, 2LL);
    QCOMPARE(platform->messages.size(), std::size_t(1));
    QCOMPARE(script.steps_seen.size(), 6);  // and it went on afterwards
  }

  void start_during_the_final_pause_runs_nested() {
    QList<QString> events;
    RunScript script{*form, {}, 1000, {}};
    long long inner_first = -1;
    script.at_step[3] = [&] {
      form->CmdOK->click();  // stop: the run ends after this pause ...
      QTimer::singleShot(0, form, [&] {
        events << "start again";
        form->CmdOK->click();  // ... but a new run starts inside it
        events << QStringLiteral("inner ended, tones %1").arg(platform->tones.size());
      });
    };
    script.at_step[4] = [&] { inner_first = 4; };
    script.at_step[6] = [&] { form->CmdOK->click(); };
    script.run();
    QCOMPARE(inner_first, 4LL);
    QCOMPARE(events, QList<QString>({"start again", "inner ended, tones 1"}));
    QCOMPARE(platform->tones.size(), std::size_t(2));  // each run its own tone
    QCOMPARE(form->CmdOK->text(), QStringLiteral("ПУСК"));
    QVERIFY(form->Text2->isEnabled());
  }

  void closing_with_no_during_a_run_goes_on() {
    platform->answers = {MessageAnswer::No};
    RunScript script{*form, {}, 6, {}};
    script.at_step[2] = [&] { QTimer::singleShot(0, form, [&] { form->close(); }); };
    script.at_step[4] = [&] {
      QCOMPARE(platform->messages.size(), std::size_t(1));
      QCOMPARE(platform->messages[0].title, QStringLiteral("На Выход"));
      QCOMPARE(form->CmdOK->text(), QStringLiteral("СТОП"));
      QVERIFY(form->isVisible());
    };
    script.run();
    QCOMPARE(script.steps_seen.size(), 6);
    QCOMPARE(platform->end_program_calls, 0);
  }

  void closing_with_yes_during_a_run_ends_it_at_once() {
    platform->answers = {MessageAnswer::Yes};
    RunScript script{*form, {}, 1000, {}};
    script.at_step[2] = [&] { QTimer::singleShot(0, form, [&] { form->close(); }); };
    script.run();
    QCOMPARE(platform->end_program_calls, 1);
    QVERIFY(form->programEnded());
    QCOMPARE(script.steps_seen.size(), 2);  // no step after the answer
    QVERIFY(platform->tones.empty());
  }
};

QTEST_MAIN(TestRun)
#include "test_run.moc"
