#pragma once
// Writing the sound of a figure to a WAV file, whole or not at all.

#include <QString>

#include "tools/sound/model/sound_plan.h"

namespace orvinda {

// Empty when written, else the reason in Russian.
QString write_sound_file(const QString& path, const SoundPlan& plan, int seconds);

// Why a plan plays nothing (pitch out of hearing), in Russian; empty when
// it sounds.
QString silence_reason(const SoundPlan& plan);

}  // namespace orvinda
