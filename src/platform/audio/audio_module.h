#pragma once
// The door between the program and its audio module. Qt Multimedia and the
// sound server's libraries would take a good share of the start, so they
// live in a module that is loaded on the first sound instead.

#include "platform/sound_output.h"

namespace orvinda {

// Raised whenever this table or SoundOutput changes: a module of another
// build is then left unused rather than called wrongly.
inline constexpr int kAudioModuleVersion = 1;
inline constexpr char kAudioModuleEntry[] = "orvinda_audio_module";
inline constexpr char kAudioModuleName[] = "orvinda_audio";

struct AudioModule {
  int version;
  // A new output on the default device; the caller owns it.
  SoundOutput* (*make_sound_output)();
  // Plays a sine tone and returns when it has ended; false, at once, when
  // there was no device to play it on.
  bool (*play_tone)(int frequency_hz, int duration_ms);
};

using AudioModuleEntry = const AudioModule* (*)();

}  // namespace orvinda
