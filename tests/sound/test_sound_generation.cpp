// The figure as stereo sound, judged from the samples alone: frequencies by
// zero crossings, phases and amplitudes by a least-squares fit, the shape
// against the motion's formula, the loop's seam and the cross-fades against
// the steepest step of the steady sound.

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "model/characteristics.h"
#include "model/numbers.h"
#include "tools/sound/model/sound_generator.h"
#include "tools/sound/model/sound_plan.h"

using namespace orvinda;

namespace {

constexpr double kTurn = 2 * std::numbers::pi;
constexpr long long kRate = 48000;
constexpr int kFullScale = 32767;

// ωx = 1; y has amplitude ay and leads x by dphi at t = 0 (x starts at ax).
MotionParameters motion(double wy, double dphi, double ax, double ay) {
  return {1, ax, 0, wy, ay * std::cos(dphi), to_single(ay * wy * std::sin(dphi))};
}

struct Channels {
  std::vector<double> left, right;
};

// frames stereo frames, after skip frames were thrown away.
Channels play(SoundGenerator& g, long long frames, long long skip = 0) {
  std::vector<std::int16_t> block(2 * (skip + frames));
  g.fill(block.data(), skip + frames);
  Channels c;
  for (long long i = skip; i < skip + frames; ++i) {
    c.left.push_back(block[2 * i]);
    c.right.push_back(block[2 * i + 1]);
  }
  return c;
}

// Cycles per frame from the first and last upward zero crossings.
double crossing_frequency(const std::vector<double>& s) {
  double first = -1, last = -1;
  int count = 0;
  for (std::size_t i = 0; i + 1 < s.size(); ++i) {
    if (s[i] < 0 && s[i + 1] >= 0) {
      const double at = i + s[i] / (s[i] - s[i + 1]);
      if (first < 0) first = at;
      last = at;
      ++count;
    }
  }
  return count > 1 ? (count - 1) / (last - first) : 0;
}

struct Fit {
  double amplitude, phase;  // s ≈ amplitude·cos(ω·(n − from) + phase)
};
Fit fit(const std::vector<double>& s, double cycles_per_frame, std::size_t from,
        std::size_t length) {
  double cc = 0, cs = 0, ss = 0, yc = 0, ys = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const double a = kTurn * cycles_per_frame * static_cast<double>(i);
    const double c = std::cos(a), sn = std::sin(a), y = s[from + i];
    cc += c * c, cs += c * sn, ss += sn * sn, yc += y * c, ys += y * sn;
  }
  const double det = cc * ss - cs * cs;
  const double a = (yc * ss - ys * cs) / det, b = (ys * cc - yc * cs) / det;
  return {std::hypot(a, b), std::atan2(-b, a)};
}

double wrapped(double angle) { return std::remainder(angle, kTurn); }

double steepest_step(const std::vector<double>& s, std::size_t from, std::size_t to) {
  double most = 0;
  for (std::size_t i = from; i + 1 < to; ++i) most = std::max(most, std::fabs(s[i + 1] - s[i]));
  return most;
}

}  // namespace

class TestSoundGeneration : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void figureInSound_data();
  void figureInSound();
  void outOfHearingIsSilent_data();
  void outOfHearingIsSilent();
  void changeCrossFades_data();
  void changeCrossFades();
  void beatsOfNearUnison_data();
  void beatsOfNearUnison();
};

void TestSoundGeneration::figureInSound_data() {
  QTest::addColumn<double>("wy");
  QTest::addColumn<double>("dphi");
  QTest::addColumn<double>("ax");
  QTest::addColumn<double>("ay");
  QTest::addColumn<int>("pitch");
  QTest::addColumn<int>("p");  // ωy/ωx = p/q, or its nearest for a figure that never closes
  QTest::addColumn<int>("q");
  QTest::addColumn<bool>("closes");
  const double pi = std::numbers::pi;
  QTest::newRow("1 : 1, Δφ = π/2") << 1.0 << pi / 2 << 3.0 << 3.0 << 220 << 1 << 1 << true;
  QTest::newRow("1 : 2, Δφ = 0") << 2.0 << 0.0 << 3.0 << 2.0 << 220 << 2 << 1 << true;
  QTest::newRow("2 : 3, Δφ = π/4") << 1.5 << pi / 4 << 2.0 << 3.5 << 220 << 3 << 2 << true;
  QTest::newRow("3 : 4, Δφ = 1") << 4.0 / 3 << 1.0 << 3.0 << 1.0 << 220 << 4 << 3 << true;
  QTest::newRow("1 : 1,05, 20 turns") << 1.05 << 0.3 << 3.0 << 3.0 << 220 << 21 << 20 << true;
  QTest::newRow("Wy = 1.3333, never closes")
      << 1.3333 << pi / 3 << 3.0 << 2.5 << 220 << 4 << 3 << false;
  QTest::newRow("1 : 2 at 110 Hz") << 2.0 << pi / 6 << 1.0 << 4.0 << 110 << 2 << 1 << true;
  QTest::newRow("2 : 3 at 440 Hz") << 1.5 << -2.0 << 3.0 << 3.0 << 440 << 3 << 2 << true;
}

void TestSoundGeneration::figureInSound() {
  QFETCH(double, wy);
  QFETCH(double, dphi);
  QFETCH(double, ax);
  QFETCH(double, ay);
  QFETCH(int, pitch);
  QFETCH(int, p);
  QFETCH(int, q);
  QFETCH(bool, closes);
  const MotionParameters m = motion(wy, dphi, ax, ay);
  const Characteristics c = compute_characteristics(m, 0, false);
  const SoundPlan plan = plan_sound(m, pitch);
  QVERIFY(plan.audible());
  SoundGenerator g;
  g.setPlan(plan);
  const long long fade = 1000;  // past the fade-in
  const long long frames = 2 * kRate;
  const Channels s = play(g, frames, fade);

  // Frequencies: x at the base pitch, and the ratio of the motion.
  const double fx = crossing_frequency(s.left), fy = crossing_frequency(s.right);
  QVERIFY2(std::fabs(fx * kRate / pitch - 1) < 1e-3, qPrintable(QString::number(fx * kRate)));
  QVERIFY2(std::fabs((fy / fx) / (wy / m.wx) - 1) < 1e-3, qPrintable(QString::number(fy / fx)));

  // Phases and amplitudes at one instant, t0 in the motion's time.
  const std::size_t at = 4800, window = 9600;
  const Fit x = fit(s.left, fx, at, window), y = fit(s.right, fy, at, window);
  const double k = kTurn * pitch / m.wx;
  const double t0 = k * static_cast<double>(fade + at) / kRate;
  // q·(ωy·t0 − φy) − p·(ωx·t0 − φx): the shape's phase, drifting when p/q is
  // only near the ratio.
  const double expected = wrapped(q * c.fiy - p * c.fix - (q * m.wy - p * m.wx) * t0);
  const double measured = wrapped(-(q * y.phase - p * x.phase));
  QVERIFY2(std::fabs(wrapped(measured - expected)) < 0.5 * kTurn / 360,
           qPrintable(QStringLiteral("%1° against %2°")
                          .arg(measured * 360 / kTurn)
                          .arg(expected * 360 / kTurn)));
  QVERIFY2(std::fabs((y.amplitude / x.amplitude) / (c.ay / c.ax) - 1) < 5e-3,
           qPrintable(QString::number(y.amplitude / x.amplitude)));

  // Every pair on the motion's curve, scaled by one factor; the louder channel
  // peaks at −6 dBFS and nothing reaches full scale.
  const double scale = 0.5 * kFullScale / std::max(c.ax, c.ay);
  double worst = 0, loudest = 0;
  for (long long i = 0; i < frames; ++i) {
    const double t = k * static_cast<double>(fade + i) / kRate;
    worst = std::max(worst, std::fabs(s.left[i] - scale * c.ax * std::cos(m.wx * t - c.fix)));
    worst = std::max(worst, std::fabs(s.right[i] - scale * c.ay * std::cos(m.wy * t - c.fiy)));
    loudest = std::max({loudest, std::fabs(s.left[i]), std::fabs(s.right[i])});
  }
  QVERIFY2(worst <= 1e-3 * scale * std::max(c.ax, c.ay), qPrintable(QString::number(worst)));
  QVERIFY(loudest < kFullScale);
  QVERIFY(std::fabs(20 * std::log10(loudest / kFullScale) + 6.02) < 0.05);

  // A closing figure repeats exactly after the smallest whole number of
  // closing spans that is a whole number of frames, and its seam is no
  // steeper than the sound.
  if (!closes) {
    QCOMPARE(plan.loop_frames, 0);
    return;
  }
  const long long span_frames_times_pitch = q * kRate;  // a span is q·kRate/pitch frames
  long long spans = 1;
  while ((spans * span_frames_times_pitch) % pitch != 0) ++spans;
  const long long loop = spans * span_frames_times_pitch / pitch;
  if (pitch == 220 && q % 11 != 0) QCOMPARE(loop, 2400LL * q);
  QCOMPARE(plan.loop_frames, loop);
  SoundGenerator fresh;
  fresh.setPlan(plan);
  const Channels whole = play(fresh, 3 * loop);
  for (long long i = kSoundFadeFrames; i < 2 * loop; ++i) {
    if (whole.left[i] != whole.left[i + loop] || whole.right[i] != whole.right[i + loop]) {
      QFAIL(qPrintable(QStringLiteral("frame %1 differs one loop later").arg(i)));
    }
  }
  for (const std::vector<double>* channel : {&whole.left, &whole.right}) {
    const double step = steepest_step(*channel, kSoundFadeFrames, loop);
    QVERIFY(std::fabs((*channel)[2 * loop] - (*channel)[2 * loop - 1]) <= step);
  }
}

void TestSoundGeneration::outOfHearingIsSilent_data() {
  QTest::addColumn<double>("wy");
  QTest::addColumn<int>("pitch");
  QTest::addColumn<int>("audibility");
  QTest::newRow("11 Hz") << 0.05 << 220 << int(SoundAudibility::TooLow);
  QTest::newRow("22 Hz") << 0.1 << 220 << int(SoundAudibility::Audible);
  QTest::newRow("11 Hz at 110") << 0.1 << 110 << int(SoundAudibility::TooLow);
  QTest::newRow("19.8 kHz") << 45.0 << 440 << int(SoundAudibility::Audible);
  QTest::newRow("22 kHz") << 50.0 << 440 << int(SoundAudibility::TooHigh);
  QTest::newRow("far above") << 1e30 << 220 << int(SoundAudibility::TooHigh);
}

void TestSoundGeneration::outOfHearingIsSilent() {
  QFETCH(double, wy);
  QFETCH(int, pitch);
  QFETCH(int, audibility);
  const SoundPlan plan = plan_sound(motion(wy, 0.5, 3, 3), pitch);
  QCOMPARE(int(plan.audibility), audibility);
  SoundGenerator g;
  g.setPlan(plan);
  const Channels s = play(g, kRate / 10);
  double loudest = 0;
  for (const double v : s.left) loudest = std::max(loudest, std::fabs(v));
  QCOMPARE(loudest > 0, plan.audible());
}

void TestSoundGeneration::changeCrossFades_data() {
  QTest::addColumn<double>("wy1");
  QTest::addColumn<double>("dphi1");
  QTest::addColumn<double>("ay1");
  QTest::addColumn<int>("pitch1");
  QTest::addColumn<double>("wy2");
  QTest::addColumn<double>("dphi2");
  QTest::addColumn<double>("ay2");
  QTest::addColumn<int>("pitch2");
  const double pi = std::numbers::pi;
  QTest::newRow("phase turned half round") << 2.0 << 0.0 << 3.0 << 220 << 2.0 << pi << 3.0 << 220;
  QTest::newRow("ratio 1 : 2 to 2 : 3") << 2.0 << 0.0 << 3.0 << 220 << 1.5 << 0.5 << 3.0 << 220;
  QTest::newRow("amplitude halved") << 1.0 << pi / 2 << 3.0 << 220 << 1.0 << pi / 2 << 1.5 << 220;
  QTest::newRow("to out of hearing") << 1.8 << 0.2 << 3.0 << 220 << 0.05 << 0.2 << 3.0 << 220;
  QTest::newRow("octave up in pitch") << 1.5 << 1.0 << 2.0 << 220 << 1.5 << 1.0 << 2.0 << 440;
  QTest::newRow("y down to 40 Hz") << 2.0 << 0.3 << 3.0 << 220 << 0.18 << 2.0 << 3.0 << 220;
  QTest::newRow("40 Hz y turned") << 0.18 << 0.3 << 3.0 << 220 << 0.18 << 2.8 << 3.0 << 220;
  QTest::newRow("never closes to closes")
      << 1.3333 << 1.0 << 2.0 << 220 << 1.05 << 1.0 << 3.0 << 220;
}

void TestSoundGeneration::changeCrossFades() {
  QFETCH(double, wy1);
  QFETCH(double, dphi1);
  QFETCH(double, ay1);
  QFETCH(int, pitch1);
  QFETCH(double, wy2);
  QFETCH(double, dphi2);
  QFETCH(double, ay2);
  QFETCH(int, pitch2);
  const SoundPlan first = plan_sound(motion(wy1, dphi1, 3, ay1), pitch1);
  const SoundPlan second = plan_sound(motion(wy2, dphi2, 3, ay2), pitch2);
  // The steepest step of each channel in either sound played steadily.
  double steepest[2] = {0, 0};
  for (const SoundPlan* plan : {&first, &second}) {
    SoundGenerator g;
    g.setPlan(*plan);
    const Channels s = play(g, kRate / 5, kSoundFadeFrames);
    steepest[0] = std::max(steepest[0], steepest_step(s.left, 0, s.left.size()));
    steepest[1] = std::max(steepest[1], steepest_step(s.right, 0, s.right.size()));
  }
  // Changed at many points of the first sound's cycle.
  for (long long before = 1000; before < 1000 + 480; before += 37) {
    SoundGenerator g;
    g.setPlan(first);
    const Channels lead = play(g, before);
    g.setPlan(second);
    const Channels after = play(g, kRate / 10);  // a change is heard within 100 ms
    const std::vector<double>* channels[2][2] = {{&lead.left, &after.left},
                                                 {&lead.right, &after.right}};
    for (int ch = 0; ch < 2; ++ch) {
      std::vector<double> joined = *channels[ch][0];
      joined.insert(joined.end(), channels[ch][1]->begin(), channels[ch][1]->end());
      const double jump = steepest_step(joined, before - 2, joined.size());
      QVERIFY2(
          jump <= steepest[ch] + 1,  // a sample's rounding
          qPrintable(QStringLiteral("channel %1: %2 > %3").arg(ch).arg(jump).arg(steepest[ch])));
    }
    QVERIFY(!g.fading());
  }
}

void TestSoundGeneration::beatsOfNearUnison_data() {
  QTest::addColumn<double>("wy");
  QTest::addColumn<int>("pitch");
  QTest::newRow("1 : 1,05 at 220 Hz") << 1.05 << 220;
  QTest::newRow("1 : 1,05 at 110 Hz") << 1.05 << 110;
  QTest::newRow("1 : 0,98 at 440 Hz") << 0.98 << 440;
  QTest::newRow("1 : 1,0333, never closes") << 1.0333 << 220;
}

void TestSoundGeneration::beatsOfNearUnison() {
  QFETCH(double, wy);
  QFETCH(int, pitch);
  const MotionParameters m = motion(wy, 0.7, 3, 2);
  const Characteristics c = compute_characteristics(m, 0, false);
  const SoundPlan plan = plan_sound(m, pitch);
  SoundGenerator g;
  g.setPlan(plan);
  const long long frames = 3 * kRate;
  const Channels s = play(g, frames, kSoundFadeFrames);
  // Each channel alone is a pure tone; their normalised sum beats.
  std::vector<double> sum(frames);
  for (long long i = 0; i < frames; ++i) sum[i] = s.left[i] / c.ax + s.right[i] / c.ay;
  const long long carrier = kRate / pitch + 1;
  const long long block = 24;
  std::vector<double> envelope;
  for (long long from = 0; from + carrier <= frames; from += block) {
    double most = 0;
    for (long long i = from; i < from + carrier; ++i) most = std::max(most, std::fabs(sum[i]));
    envelope.push_back(most);
  }
  // The quiet moments: the deepest block of each stretch below a tenth of the
  // loudest.
  const double top = *std::ranges::max_element(envelope);
  std::vector<double> quiet;
  for (std::size_t i = 0; i < envelope.size();) {
    if (envelope[i] >= 0.1 * top) {
      ++i;
      continue;
    }
    std::size_t deepest = i;
    for (; i < envelope.size() && envelope[i] < 0.1 * top; ++i) {
      if (envelope[i] < envelope[deepest]) deepest = i;
    }
    quiet.push_back(static_cast<double>(deepest * block));
  }
  QVERIFY2(quiet.size() >= 4, qPrintable(QString::number(quiet.size())));
  const double measured = (quiet.back() - quiet.front()) / (quiet.size() - 1) / kRate;
  const double k = kTurn * pitch / m.wx;
  const double expected = kTurn / std::fabs(m.wy - m.wx) / k;
  QVERIFY2(std::fabs(measured / expected - 1) < 0.01,
           qPrintable(QStringLiteral("%1 s against %2 s").arg(measured).arg(expected)));
}

QTEST_GUILESS_MAIN(TestSoundGeneration)
#include "test_sound_generation.moc"
