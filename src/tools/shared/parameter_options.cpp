#include "tools/shared/parameter_options.h"

#include <cmath>

#include "model/numbers.h"
#include "model/start_values.h"
#include "tools/experiment/experiment_file.h"
#include "tools/experiment/model/experiment.h"

namespace orvinda {

namespace {

struct ValueOption {
  const char* name;
  double MotionParameters::*field;  // null for vy0, a float
};

const ValueOption kValueOptions[] = {
    {"wy", &MotionParameters::wy},
    {"x0", &MotionParameters::x0},
    {"vx0", &MotionParameters::vx0},
    {"y0", &MotionParameters::y0},
    {"vy0", nullptr},
};

}  // namespace

QList<QCommandLineOption> parameter_options() {
  QList<QCommandLineOption> options{
      QCommandLineOption(QStringLiteral("from"), QString(), QStringLiteral("file"))};
  for (const ValueOption& v : kValueOptions) {
    options << QCommandLineOption(QString::fromLatin1(v.name), QString(), QStringLiteral("v"));
  }
  return options;
}

QString parameter_option_help() {
  return QStringLiteral(
      "  --from ФАЙЛ.orv   взять параметры из файла опыта\n"
      "  --wy V            частота вертикальных колебаний Wy, рад/с (больше 0)\n"
      "  --x0 V            начальная горизонтальная координата Xo, м\n"
      "  --vx0 V           начальная горизонтальная скорость Vox, м/с\n"
      "  --y0 V            начальная вертикальная координата Yo, м\n"
      "  --vy0 V           начальная вертикальная скорость Voy, м/с\n"
      "                    (не заданные значения — как при запуске программы:\n"
      "                    Wy = 1.8, Xo = 3, Vox = 3, Yo = 3, Voy = 2; Wx = 1)\n");
}

bool read_parameter_options(const QCommandLineParser& parser, CommandLine& command) {
  command.parameters = kStartParameters;
  bool any_parameter = false;
  for (const ValueOption& v : kValueOptions) {
    const QString name = QString::fromLatin1(v.name);
    if (!parser.isSet(name)) continue;
    any_parameter = true;
    const QString text = parser.value(name);
    const std::optional<double> value = parse_whole_number(text.toStdString());
    if (!value) {
      command.problem =
          QStringLiteral("значение %1 параметра --%2 — не число").arg(quoted(text), name);
      return false;
    }
    if (v.field) {
      command.parameters.*(v.field) = *value;
    } else {
      command.parameters.vy0 = to_single(*value);
    }
  }
  if (parser.isSet(QStringLiteral("from"))) {
    if (any_parameter) {
      command.problem = QStringLiteral("--from и значения параметров вместе не задают");
      return false;
    }
    command.experiment_file = parser.value(QStringLiteral("from"));
  }
  if (!(command.parameters.wy > 0)) {
    command.problem = QStringLiteral("частота Wy должна быть больше 0");
    return false;
  }
  return true;
}

std::optional<MotionParameters> command_parameters(const CommandLine& command, QString* problem) {
  if (command.experiment_file.isEmpty()) return command.parameters;
  const ExperimentReading reading = read_experiment_file(command.experiment_file);
  if (!reading.experiment) {
    if (problem) {
      QString why = reading.problem;
      if (!why.isEmpty()) why[0] = why[0].toLower();
      *problem = QStringLiteral("не удалось открыть опыт из файла %1: %2")
                     .arg(quoted(command.experiment_file), why);
    }
    return std::nullopt;
  }
  return experiment_parameters(*reading.experiment);
}

std::optional<int> whole_number_option(const QString& text, int low, int high) {
  const std::optional<double> value = parse_whole_number(text.toStdString());
  if (!value || *value != std::floor(*value) || *value < low || *value > high) return std::nullopt;
  return static_cast<int>(*value);
}

}  // namespace orvinda
