#pragma once

namespace orvinda {

// Plays a sine tone and returns when it has ended; false, at once, when
// there is no audio output to play it on. User input waits meanwhile, as it
// would behind a blocking beep; painting goes on.
bool play_tone(int frequency_hz, int duration_ms);

}  // namespace orvinda
