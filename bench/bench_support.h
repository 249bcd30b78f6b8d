#pragma once
// What every benchmark shares: a shown main window on the recording
// platform, a stopwatch, order statistics and the row format that
// scripts/bench.sh turns into one table.

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "platform/fake_platform.h"
#include "window/form1.h"

namespace orvinda::bench {

using Clock = std::chrono::steady_clock;

inline double ms_between(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// CPU time of the whole process, every thread, in ms.
inline double process_cpu_ms() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Times one call of f, in ms.
template <typename F>
double time_ms(F&& f) {
  const auto start = Clock::now();
  f();
  return ms_between(start, Clock::now());
}

struct Stats {
  double median = 0, p95 = 0, max = 0;
  std::size_t count = 0;
};

// Nearest-rank percentiles; the median of an even count is the mean of the
// middle pair.
inline Stats stats_of(std::vector<double> values) {
  Stats s;
  s.count = values.size();
  if (values.empty()) return s;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  const auto rank = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(n)));
  s.p95 = values[std::clamp<std::size_t>(rank, 1, n) - 1];
  s.max = values.back();
  return s;
}

inline std::string ms_text(double ms) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f ms", ms);
  return buf;
}

inline std::string fixed(double value, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return buf;
}

// One row of the table; fields must not hold tabs or line breaks.
inline void row(const std::string& benchmark, const std::string& case_name,
                const std::string& median, const std::string& spread, const std::string& target,
                const std::string& verdict) {
  std::printf("ROW\t%s\t%s\t%s\t%s\t%s\t%s\n", benchmark.c_str(), case_name.c_str(), median.c_str(),
              spread.c_str(), target.c_str(), verdict.c_str());
  std::fflush(stdout);
}

inline const char* verdict(bool met) { return met ? "ok" : "MISSED"; }

// Judged on the median; a max beyond the target (a preempted repetition on
// a busy machine) is flagged but does not fail it.
inline const char* time_verdict(const Stats& s, double target_ms) {
  if (s.median >= target_ms) return "MISSED";
  return s.max < target_ms ? "ok" : "ok (max over)";
}

// A fault of the program found while measuring: reported, and the run fails.
inline int faults = 0;
inline void fault(const std::string& what) {
  ++faults;
  std::printf("FAULT\t%s\n", what.c_str());
  std::fflush(stdout);
}

// Lets queued paints and resizes run, outside any measurement.
inline void settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// Starts a run from an event loop of its own, as a click would, and returns
// once the run has ended (something connected to the steps presses СТОП).
inline void run_until_stopped(Form1& form) {
  QEventLoop outer;
  QTimer::singleShot(0, [&] {
    form.CmdOK->click();  // returns when the run has ended
    outer.quit();
  });
  outer.exec();
}

// The real window with the fake platform, shown offscreen and settled.
struct BenchWindow {
  FakePlatform platform;
  Form1 form{platform};
  BenchWindow() {
    form.show();
    settle();
  }
};

}  // namespace orvinda::bench
