#pragma once
// For bench/startup.sh: with ORVINDA_STARTUP_PROBE set, the first paint of
// the window prints the wall-clock time in nanoseconds and ends the program,
// so that a script can time the start from outside.

class QWidget;

namespace orvinda {

void probe_startup_if_asked(QWidget& window);

}  // namespace orvinda
