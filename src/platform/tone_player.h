#pragma once

namespace orvinda {

// Plays a sine tone and returns when it has ended; a silent wait of the same
// length when there is no audio output. User input waits meanwhile, as it
// would behind a blocking beep; painting goes on.
void play_tone(int frequency_hz, int duration_ms);

}  // namespace orvinda
