#pragma once
// Samples of a sound plan, and the change from one plan to the next.

#include <cstdint>
#include <optional>

#include "tools/sound/model/sound_plan.h"

namespace orvinda {

// One plan's samples. A closing figure counts frames round its loop in
// whole numbers, so the loop joins exactly however long it plays; one that
// never closes takes each sample straight from the formula with the phase
// wrapped to one turn.
class SoundVoice {
 public:
  SoundVoice() = default;
  explicit SoundVoice(const SoundPlan& plan);

  // Left and right at frame (counted from the sound's start), as fractions
  // of full scale.
  void at(long long frame, double& left, double& right) const;
  const SoundPlan& plan() const { return plan_; }
  bool sounds() const { return !silent_; }

 private:
  SoundPlan plan_;
  bool silent_ = true;
};

// What plays. A new plan takes over from the one before at the same instant
// of the motion, in a 10 ms change: the old sound fades out for half of it
// and the new one fades in for the other half. Overlapping the two could
// make a step steeper than either sound's own; fading through zero over at
// least half a period cannot, so a channel below 100 Hz takes longer. A
// channel whose oscillation did not change goes on untouched. A plan that
// comes during a change waits for its end, so no fade is cut short.
class SoundGenerator {
 public:
  void setPlan(const SoundPlan& plan);

  // frames stereo frames, left first, as 16-bit samples.
  void fill(std::int16_t* interleaved, long long frames);

  bool fading() const { return fade_done_ < 2 * fade_half_; }

 private:
  void start(const SoundPlan& plan);

  SoundVoice from_;
  SoundVoice to_;
  long long frame_ = 0;
  int fade_half_ = 0;
  int fade_done_ = 0;
  bool keep_left_ = false;  // the channel is the same in both plans
  bool keep_right_ = false;
  std::optional<SoundPlan> waiting_;
};

std::int16_t to_sample(double fraction);

}  // namespace orvinda
