#include "tools/sound/model/sound_generator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvinda {

namespace {

constexpr double kTurn = 2 * std::numbers::pi;

}  // namespace

std::int16_t to_sample(double fraction) {
  return static_cast<std::int16_t>(std::lround(std::clamp(fraction, -1.0, 1.0) * 32767));
}

SoundVoice::SoundVoice(const SoundPlan& plan)
    : plan_(plan), silent_(!plan.audible() || (plan.x_peak == 0 && plan.y_peak == 0)) {}

void SoundVoice::at(long long frame, double& left, double& right) const {
  if (silent_) {
    left = right = 0;
    return;
  }
  double x_turn = 0;  // phases in turns, within [0, 1)
  double y_turn = 0;
  const long long f0 = plan_.pitch_hz;
  if (plan_.loop_frames > 0) {
    // Whole numbers: f₀·n/rate and f₀·p·n/(q·rate) turns, n round the loop.
    const long long n = frame % plan_.loop_frames;
    const long long y_den = static_cast<long long>(plan_.q) * kSoundRate;
    x_turn = static_cast<double>((f0 * n) % kSoundRate) / kSoundRate;
    y_turn = static_cast<double>((f0 * plan_.p * n) % y_den) / static_cast<double>(y_den);
  } else {
    x_turn = static_cast<double>((f0 * (frame % kSoundRate)) % kSoundRate) / kSoundRate;
    const double y_turns = plan_.y_hz * static_cast<double>(frame) / kSoundRate;
    y_turn = y_turns - std::floor(y_turns);
  }
  left = plan_.x_peak * std::cos(kTurn * x_turn - plan_.fix);
  right = plan_.y_peak * std::cos(kTurn * y_turn - plan_.fiy);
}

void SoundGenerator::setPlan(const SoundPlan& plan) {
  if (fading()) {
    waiting_ = plan;
    return;
  }
  start(plan);
}

void SoundGenerator::start(const SoundPlan& plan) {
  from_ = to_;
  to_ = SoundVoice(plan);
  const SoundPlan& a = from_.plan();
  const bool a_sounds = from_.sounds();
  const bool b_sounds = to_.sounds();
  keep_left_ = a_sounds && b_sounds && a.pitch_hz == plan.pitch_hz && a.x_peak == plan.x_peak &&
               a.fix == plan.fix;
  keep_right_ = a_sounds && b_sounds && a.y_hz == plan.y_hz && a.y_peak == plan.y_peak &&
                a.fiy == plan.fiy && (a.loop_frames > 0) == (plan.loop_frames > 0);
  // Half a period of the slowest channel that fades.
  double slowest = kSoundRate;
  for (const SoundVoice* voice : {&from_, &to_}) {
    if (!voice->sounds()) continue;
    if (!keep_left_) slowest = std::min<double>(slowest, voice->plan().pitch_hz);
    if (!keep_right_) slowest = std::min(slowest, voice->plan().y_hz);
  }
  fade_half_ =
      std::max(kSoundFadeFrames / 2, static_cast<int>(std::ceil(kSoundRate / (2 * slowest))));
  fade_done_ = 0;
}

void SoundGenerator::fill(std::int16_t* out, long long frames) {
  for (long long i = 0; i < frames; ++i) {
    if (!fading() && waiting_) {
      start(*waiting_);
      waiting_.reset();
    }
    double left = 0;
    double right = 0;
    to_.at(frame_, left, right);
    if (fading()) {
      // cos² down to zero, then sin² up: no step and no kink.
      double old_left = 0;
      double old_right = 0;
      from_.at(frame_, old_left, old_right);
      double from_gain = 0;
      double to_gain = 0;
      if (fade_done_ < fade_half_) {
        const double c = std::cos(std::numbers::pi / 2 * (fade_done_ + 1) / fade_half_);
        from_gain = c * c;
      } else {
        const double s =
            std::sin(std::numbers::pi / 2 * (fade_done_ - fade_half_ + 1) / fade_half_);
        to_gain = s * s;
      }
      if (!keep_left_) left = to_gain * left + from_gain * old_left;
      if (!keep_right_) right = to_gain * right + from_gain * old_right;
      ++fade_done_;
    }
    ++frame_;
    out[2 * i] = to_sample(left);
    out[2 * i + 1] = to_sample(right);
  }
}

}  // namespace orvinda
