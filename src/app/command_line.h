#pragma once
// The command line: start the window (with an experiment file), render a
// picture without a window, or tell the usage or the version.
//
//   orvinda [ФАЙЛ.orv]
//   orvinda --export РИСУНОК.{png,svg,pdf} [--from ФАЙЛ.orv | --wy V --x0 V --vx0 V
//           --y0 V --vy0 V] [--turns N] [--size PX]
//   orvinda --help | --version

#include <QString>
#include <QStringList>
#include <optional>

#include "model/characteristics.h"

namespace orvinda {

struct CommandLine {
  enum class Mode { Window, Export, Help, Version, Usage };
  Mode mode = Mode::Window;
  QString experiment_file;  // Window: a file to open at start; Export: --from
  QString picture;          // Export: where to write
  MotionParameters parameters;
  int turns = 0;    // 0: until the figure closes
  int size = 0;     // PNG width in pixels
  QString problem;  // Usage: what is wrong, in Russian
};

// Exit statuses.
inline constexpr int kStatusDone = 0;
inline constexpr int kStatusNotWritten = 1;
inline constexpr int kStatusUsage = 2;

// arguments: as main receives them, the program's name first.
CommandLine parse_command_line(const QStringList& arguments);

QString help_text();
QString version_text();

// Renders the picture, with the parameters of the experiment file when
// there is one; needs a QApplication. Returns the exit status (a file that
// cannot be read or is refused is a bad value) and leaves a Russian message
// in problem when it fails.
int run_export(const CommandLine& command, QString* problem);

}  // namespace orvinda
