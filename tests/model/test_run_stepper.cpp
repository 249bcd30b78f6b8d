// The arithmetic of a run: time, position, and when the device moves.

#include <QtTest>
#include <cmath>

#include "model/characteristics.h"
#include "model/device_layout.h"
#include "model/run_stepper.h"
#include "model/start_values.h"

using namespace orvinda;

namespace {
RunStepper stepper_for(const MotionParameters& p) {
  const Characteristics c = compute_characteristics(p, 0, false);
  return RunStepper(p, c.wywx, c.dt);
}
}  // namespace

class TestRunStepper : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void time_is_a_float_running_sum() {
    const MotionParameters p = kStartParameters;
    RunStepper stepper = stepper_for(p);
    const float dt = compute_characteristics(p, 0, false).dt;
    float t = 0;
    for (int i = 0; i < 1000; ++i) {
      const RunStep s = stepper.next();
      t = t + dt;
      QCOMPARE(stepper.t(), t);
      const float phase = 1.8f * t;
      QCOMPARE(s.x, 3 * std::cos(double(t)) + 3 * std::sin(double(t)));
      QCOMPARE(s.y, 3 * std::cos(double(phase)) + (2.0 / 1.8) * std::sin(double(phase)));
      QCOMPARE(s.segment_x, double(float(s.x)));
    }
  }

  void first_step_leaves_the_initial_point_a_little() {
    RunStepper stepper = stepper_for(kStartParameters);
    const RunStep s = stepper.next();
    QVERIFY(std::hypot(s.x - 3, s.y - 3) < 0.5);
    QVERIFY(std::hypot(s.x - 3, s.y - 3) > 0.05);
  }

  void device_moves_at_odd_steps_from_the_third() {
    RunStepper stepper = stepper_for(kStartParameters);
    QList<int> moved;
    for (int step = 1; step <= 9; ++step) {
      if (stepper.next().move_device) moved << step;
    }
    QCOMPARE(moved, QList<int>({3, 5, 7, 9}));
  }

  void double_frequency_closes_after_100_steps() {
    RunStepper stepper = stepper_for({1, 3, 3, 2, 1, 1.0f});
    RunStep s;
    for (int i = 0; i < 100; ++i) s = stepper.next();
    QVERIFY(std::abs(s.x - 3) < 1e-4);
    QVERIFY(std::abs(s.y - 1) < 1e-4);
  }

  void equal_frequencies_and_phases_trace_a_line() {
    RunStepper stepper = stepper_for({1, 3, 3, 1, 1, 1.0f});
    double lowest = 0, highest = 0;
    for (int i = 0; i < 200; ++i) {
      const RunStep s = stepper.next();
      QVERIFY(std::abs(s.y - s.x / 3) < 1e-6);
      lowest = std::min(lowest, s.x);
      highest = std::max(highest, s.x);
    }
    QVERIFY(highest > 4 && lowest < -4);  // back and forth along it
  }

  void huge_values_stay_finite() {
    const double big = std::numeric_limits<double>::max();
    RunStepper stepper = stepper_for({1, big, big, 1e-300, -big, 3e38f});
    for (int i = 0; i < 50; ++i) {
      const RunStep s = stepper.next();
      QVERIFY(std::isfinite(s.x) && std::isfinite(s.y));
      QVERIFY(std::isfinite(s.segment_x) && std::isfinite(s.segment_y));
    }
  }

  void device_follows_the_point() {
    DeviceSizes sizes;
    sizes.ball_w = sizes.ball_h = sizes.block_w = sizes.block_h = 0.5;
    sizes.bar_w = 0.1;
    sizes.vspring_w = 0.5;
    const DeviceMove m = moved_device(2, 1, -6, 6, sizes);
    QCOMPARE(m.ball_left, 1.75);
    QCOMPARE(m.ball_top, 1.25);
    QCOMPARE(m.bar_left, 1.95);
    QCOMPARE(m.block_left, 1.75);
    QCOMPARE(m.hspring_width, 7.75);
    QCOMPARE(m.vspring_height, 6 - 1 - 0.5 - 0.25);
    // Above the block: no negative spring; left of the edge: absolute width.
    QCOMPARE(moved_device(0, 5.9, -6, 6, sizes).vspring_height, 0.0);
    QCOMPARE(moved_device(-6.1, 0, -6, 6, sizes).hspring_width, 0.35);
  }
};

QTEST_GUILESS_MAIN(TestRunStepper)
#include "test_run_stepper.moc"
