// The oscilloscope bench: one screen frame at 800 × 640 with 2 s of
// afterglow and the generator at 2 kHz, and what 60 such frames a second
// take of one core.

#include <QApplication>
#include <QSpinBox>

#include "bench_support.h"
#include "platform/fake_platform.h"
#include "tools/lab/lab_screen.h"
#include "tools/lab/lab_window.h"

using namespace orvinda;
using namespace orvinda::bench;

namespace {

constexpr int kFrames = 600;
constexpr double kFrameTargetMs = 2;
constexpr double kCoreTargetPercent = 15;

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  FakePlatform platform;
  LabWindow window(platform);
  window.startVariant(12345);
  window.screen->setFixedSize(800, 640);
  window.persistenceSpin->setValue(2000);
  window.setDial(2000);
  window.show();
  settle();
  if (window.screen->size() != QSize(800, 640)) fault("the screen did not become 800×640");
  for (int i = 0; i < 120; ++i) {  // the afterglow fills up first
    platform.advance_clock(1.0 / 60);
    window.advanceFrame();
  }
  std::vector<double> frames;
  const double cpu_start = process_cpu_ms();
  for (int i = 0; i < kFrames; ++i) {
    platform.advance_clock(1.0 / 60);
    frames.push_back(time_ms([&] {
      window.advanceFrame();
      window.screen->repaint();
    }));
  }
  const double cpu_per_frame = (process_cpu_ms() - cpu_start) / kFrames;
  const Stats s = stats_of(frames);
  row("lab", "frame 800×640, 2 s afterglow, 2 kHz", ms_text(s.median),
      ms_text(s.p95) + " / " + ms_text(s.max), "≤ 2 ms", time_verdict(s, kFrameTargetMs));
  const double percent = cpu_per_frame * 60 / 10;  // ms a second over 1000 ms, in %
  row("lab", "one core at 60 frames/s", fixed(percent, 1) + " %", "-", "≤ 15 %",
      verdict(percent <= kCoreTargetPercent));
  return faults ? 1 : 0;
}
