#pragma once
// Finds and loads the audio module on the first sound, and stands in for it
// when it cannot be found: the program then stays silent and says why.

#include <QString>
#include <QStringList>
#include <memory>

namespace orvinda {

struct AudioModule;
class SoundOutput;

// Beside the executable first, then the installed module folder.
QStringList default_audio_module_folders();

// The module from the first folder that holds one of this build; null when
// none does. Loaded modules stay loaded.
const AudioModule* load_audio_module(const QStringList& folders);

// The module's output, or one that never plays and says why.
std::unique_ptr<SoundOutput> make_sound_output(const AudioModule* module);

// The module's tone, or a silent wait of the same length: callers rely on
// the pause either way.
void play_tone(const AudioModule* module, int frequency_hz, int duration_ms);

}  // namespace orvinda
