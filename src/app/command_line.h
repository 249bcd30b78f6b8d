#pragma once
// The command line: start the window (with an experiment file), run a
// tool's action without a window, or tell the usage or the version. Each
// tool brings its own options (command_parts.cpp lists the tools).
//
//   orvinda [ФАЙЛ.orv]
//   orvinda --export РИСУНОК.{png,svg,pdf} [--from ФАЙЛ.orv | --wy V --x0 V --vx0 V
//           --y0 V --vy0 V] [--turns N] [--size PX]
//   orvinda --help | --version

#include <QString>
#include <QStringList>
#include <span>

#include "tools/shared/command_part.h"

namespace orvinda {

// The tools that take part, in the order of --help.
std::span<const CommandPart* const> command_parts();

// arguments: as main receives them, the program's name first.
CommandLine parse_command_line(const QStringList& arguments);

QString help_text();
QString version_text();

// Runs the chosen tool's action; needs a QApplication. Returns the exit
// status and leaves a Russian message in problem when it fails.
int run_export(const CommandLine& command, QString* problem);

}  // namespace orvinda
