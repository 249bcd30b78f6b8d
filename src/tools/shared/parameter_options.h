#pragma once
// The motion's values on the command line, for every tool that draws or
// plays a figure: --from ФАЙЛ.orv or --wy V --x0 V --vx0 V --y0 V --vy0 V.

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <optional>

#include "model/characteristics.h"
#include "tools/shared/command_part.h"

namespace orvinda {

QList<QCommandLineOption> parameter_options();
QString parameter_option_help();

// Reads the values into command.parameters (the start values where a value
// is not given) and --from into command.experiment_file; false with a
// Russian problem when they are wrong.
bool read_parameter_options(const QCommandLineParser& parser, CommandLine& command);

// The parameters to use: the file's, when --from was given. A refused file
// leaves the reason in problem.
std::optional<MotionParameters> command_parameters(const CommandLine& command, QString* problem);

// A whole number within [low, high], as --turns, --size or --seconds take it.
std::optional<int> whole_number_option(const QString& text, int low, int high);

}  // namespace orvinda
