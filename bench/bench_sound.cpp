// The sound's generation: samples per second it can make against the 96 000
// a second of stereo at 48 kHz needs. At most 1 % of one core while playing
// means at least a hundred times that.

#include <cstdint>
#include <vector>

#include "bench_support.h"
#include "model/numbers.h"
#include "tools/sound/model/sound_generator.h"
#include "tools/sound/model/sound_plan.h"

using namespace orvinda;
using namespace orvinda::bench;

namespace {

constexpr double kNeeded = 96000;          // samples per second while playing
constexpr double kTarget = 100 * kNeeded;  // 1 % of a core
constexpr int kBlock = 1920;               // 40 ms, as the output asks for it
constexpr int kRepeats = 25;

MotionParameters motion(double wy, double dphi) {
  return {1, 3, 0, wy, 3 * std::cos(dphi), to_single(3 * wy * std::sin(dphi))};
}

}  // namespace

int main() {
  struct Case {
    const char* name;
    MotionParameters p;
    bool changing;  // a change every block: always fading
  };
  const Case cases[] = {
      {"2 : 3, closes (loop)", motion(1.5, 0.785), false},
      {"Wy = 1.3333, never closes", motion(1.3333, 0.5), false},
      {"a change every 40 ms (fading)", motion(1.8, 0.3), true},
  };
  for (const Case& c : cases) {
    std::vector<double> rates;
    std::vector<std::int16_t> block(2 * kBlock);
    std::int64_t checksum = 0;
    for (int r = 0; r < kRepeats; ++r) {
      SoundGenerator g;
      g.setPlan(plan_sound(c.p, kDefaultSoundPitch));
      const int blocks = 25;  // one second of sound
      const double ms = time_ms([&] {
        for (int b = 0; b < blocks; ++b) {
          if (c.changing) g.setPlan(plan_sound(motion(1.8 + 0.01 * (b % 2), 0.3), 220));
          g.fill(block.data(), kBlock);
          checksum += block[b % block.size()];
        }
      });
      rates.push_back(2.0 * kBlock * blocks / (ms / 1000));
    }
    if (checksum == 0) fault("the sound was silent");
    // The median rate, and the slowest repetition.
    const Stats s = stats_of(rates);
    row("sound generation, samples/s", c.name, fixed(s.median / 1e6, 1) + " M/s",
        "min " + fixed(rates.empty() ? 0 : *std::min_element(rates.begin(), rates.end()) / 1e6, 1) +
            " M/s",
        ">= " + fixed(kTarget / 1e6, 1) + " M/s (" + fixed(kNeeded / 1e3, 0) + " k/s needed)",
        verdict(s.median >= kTarget));
  }
  return faults == 0 ? 0 : 1;
}
