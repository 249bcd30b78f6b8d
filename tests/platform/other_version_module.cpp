// An audio module of another build: right name and entry, wrong version.
#include <QtGlobal>

#include "platform/audio/audio_module.h"

namespace {
const orvinda::AudioModule kModule{orvinda::kAudioModuleVersion + 1, nullptr, nullptr};
}

extern "C" Q_DECL_EXPORT const orvinda::AudioModule* orvinda_audio_module() { return &kModule; }
