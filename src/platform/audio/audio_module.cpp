#include "platform/audio/audio_module.h"

#include <QtGlobal>

#include "platform/audio/qt_sound_output.h"
#include "platform/audio/tone_player.h"

namespace {

orvinda::SoundOutput* make_sound_output() { return new orvinda::QtSoundOutput(); }

const orvinda::AudioModule kModule{orvinda::kAudioModuleVersion, make_sound_output,
                                   orvinda::play_tone};

}  // namespace

extern "C" Q_DECL_EXPORT const orvinda::AudioModule* orvinda_audio_module() { return &kModule; }
