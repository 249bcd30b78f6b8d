#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cmath>

#include "model/numbers.h"
#include "model/start_values.h"
#include "plot/picture_sheet.h"
#include "tools/experiment/experiment_file.h"
#include "tools/experiment/model/experiment.h"
#include "tools/export/picture_export.h"
#include "tools/shared/experiment_picture.h"

namespace orvinda {

namespace {

constexpr int kMaxTurns = 1000;
constexpr int kMinSize = 16;
constexpr int kMaxSize = 10000;

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

CommandLine with_mode(CommandLine::Mode mode) {
  CommandLine c;
  c.mode = mode;
  return c;
}

CommandLine usage(const QString& problem) {
  CommandLine c = with_mode(CommandLine::Mode::Usage);
  c.problem = problem;
  return c;
}

QString quoted(const QString& text) { return QStringLiteral("«%1»").arg(text); }

std::optional<int> whole_number(const QString& text) {
  const std::optional<double> value = parse_whole_number(text.toStdString());
  if (!value || *value != std::floor(*value) || std::fabs(*value) > 1e9) return std::nullopt;
  return static_cast<int>(*value);
}

}  // namespace

CommandLine parse_command_line(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
  const QCommandLineOption exported(QStringLiteral("export"), QString(), QStringLiteral("file"));
  const QCommandLineOption from(QStringLiteral("from"), QString(), QStringLiteral("file"));
  const QCommandLineOption turns(QStringLiteral("turns"), QString(), QStringLiteral("n"));
  const QCommandLineOption size(QStringLiteral("size"), QString(), QStringLiteral("px"));
  parser.addOptions({help, version, exported, from, turns, size});
  for (const ValueOption& v : kValueOptions) {
    parser.addOption(
        QCommandLineOption(QString::fromLatin1(v.name), QString(), QStringLiteral("v")));
  }

  if (!parser.parse(arguments)) {
    if (!parser.unknownOptionNames().isEmpty()) {
      const QString name = parser.unknownOptionNames().constFirst();
      return usage(
          QStringLiteral("неизвестный параметр %1")
              .arg(quoted((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name)));
    }
    // The only other failure: an option that needs a value came last.
    for (const QString& argument : arguments.mid(1)) {
      if (argument.startsWith(QLatin1Char('-'))) {
        const QString name = argument.section(QLatin1Char('='), 0, 0);
        if (arguments.constLast() == argument) {
          return usage(QStringLiteral("после %1 нужно значение").arg(quoted(name)));
        }
      }
    }
    return usage(QStringLiteral("параметры не поняты"));
  }

  if (parser.isSet(help)) return with_mode(CommandLine::Mode::Help);
  if (parser.isSet(version)) return with_mode(CommandLine::Mode::Version);

  const QStringList files = parser.positionalArguments();
  const bool exporting = parser.isSet(exported);
  bool any_value = parser.isSet(turns) || parser.isSet(size) || parser.isSet(from);
  for (const ValueOption& v : kValueOptions)
    any_value = any_value || parser.isSet(QString::fromLatin1(v.name));

  if (!exporting) {
    if (any_value)
      return usage(QStringLiteral("параметры рисунка действуют только вместе с --export"));
    if (files.size() > 1) return usage(QStringLiteral("можно открыть только один файл опыта"));
    CommandLine c;
    c.experiment_file = files.value(0);
    return c;
  }

  CommandLine c;
  c.mode = CommandLine::Mode::Export;
  if (!files.isEmpty()) {
    return usage(QStringLiteral("лишний аргумент %1: файл опыта задают параметром --from")
                     .arg(quoted(files.constFirst())));
  }
  c.picture = parser.value(exported);
  if (!picture_format_for(c.picture)) {
    return usage(QStringLiteral("рисунок сохраняется в файлы .png, .svg или .pdf, а не %1")
                     .arg(quoted(c.picture)));
  }
  c.parameters = kStartParameters;
  bool any_parameter = false;
  for (const ValueOption& v : kValueOptions) {
    const QString name = QString::fromLatin1(v.name);
    if (!parser.isSet(name)) continue;
    any_parameter = true;
    const QString text = parser.value(name);
    const std::optional<double> value = parse_whole_number(text.toStdString());
    if (!value) {
      return usage(QStringLiteral("значение %1 параметра --%2 — не число").arg(quoted(text), name));
    }
    if (v.field) {
      c.parameters.*(v.field) = *value;
    } else {
      c.parameters.vy0 = to_single(*value);
    }
  }
  if (parser.isSet(from)) {
    if (any_parameter)
      return usage(QStringLiteral("--from и значения параметров вместе не задают"));
    c.experiment_file = parser.value(from);
  }
  if (!(c.parameters.wy > 0)) return usage(QStringLiteral("частота Wy должна быть больше 0"));
  if (parser.isSet(turns)) {
    const std::optional<int> n = whole_number(parser.value(turns));
    if (!n || *n < 1 || *n > kMaxTurns) {
      return usage(QStringLiteral("число оборотов --turns — целое от 1 до %1, а не %2")
                       .arg(kMaxTurns)
                       .arg(quoted(parser.value(turns))));
    }
    c.turns = *n;
  }
  c.size = kDefaultPngWidth;
  if (parser.isSet(size)) {
    const std::optional<int> n = whole_number(parser.value(size));
    if (!n || *n < kMinSize || *n > kMaxSize) {
      return usage(QStringLiteral("ширина --size — целое число пикселей от %1 до %2, а не %3")
                       .arg(kMinSize)
                       .arg(kMaxSize)
                       .arg(quoted(parser.value(size))));
    }
    c.size = *n;
  }
  return c;
}

QString help_text() {
  return QStringLiteral(
      "Фигуры Орвинда — сложение перпендикулярных механических колебаний.\n"
      "\n"
      "Запуск:\n"
      "  orvinda [ФАЙЛ.orv]\n"
      "      открыть окно программы; если указан файл опыта, открыть его.\n"
      "  orvinda --export РИСУНОК [--from ФАЙЛ.orv | --wy V --x0 V --vx0 V --y0 V --vy0 V]\n"
      "          [--turns N] [--size PX]\n"
      "      нарисовать фигуру без окна и сохранить рисунок.\n"
      "\n"
      "Параметры:\n"
      "  --export РИСУНОК  файл рисунка: .png, .svg или .pdf (ширина 148 мм)\n"
      "  --from ФАЙЛ.orv   взять параметры из файла опыта\n"
      "  --wy V            частота вертикальных колебаний Wy, рад/с (больше 0)\n"
      "  --x0 V            начальная горизонтальная координата Xo, м\n"
      "  --vx0 V           начальная горизонтальная скорость Vox, м/с\n"
      "  --y0 V            начальная вертикальная координата Yo, м\n"
      "  --vy0 V           начальная вертикальная скорость Voy, м/с\n"
      "                    (не заданные значения — как при запуске программы:\n"
      "                    Wy = 1.8, Xo = 3, Vox = 3, Yo = 3, Voy = 2; Wx = 1)\n"
      "  --turns N         сколько оборотов горизонтального колебания рисовать\n"
      "                    (по умолчанию — пока фигура не замкнётся, не больше 20)\n"
      "  --size PX         ширина рисунка PNG в пикселях (по умолчанию 1748)\n"
      "  -h, --help        показать эту справку\n"
      "  -v, --version     показать версию программы\n"
      "\n"
      "Десятичный разделитель в значениях — точка.\n"
      "Код завершения: 0 — готово, 1 — файл не удалось записать,\n"
      "2 — ошибка в параметрах.\n");
}

QString version_text() {
  return QStringLiteral("Фигуры Орвинда, версия " ORVINDA_VERSION " от " ORVINDA_BUILD_DATE "\n");
}

int run_export(const CommandLine& command, QString* problem) {
  MotionParameters parameters = command.parameters;
  if (!command.experiment_file.isEmpty()) {
    const ExperimentReading reading = read_experiment_file(command.experiment_file);
    if (!reading.experiment) {
      if (problem) {
        QString why = reading.problem;
        if (!why.isEmpty()) why[0] = why[0].toLower();
        *problem = QStringLiteral("не удалось открыть опыт из файла %1: %2")
                       .arg(quoted(command.experiment_file), why);
      }
      return kStatusUsage;
    }
    parameters = experiment_parameters(*reading.experiment);
  }
  const ExperimentPicture picture(parameters, command.turns);
  const QString reason = write_picture(command.picture, *picture_format_for(command.picture),
                                       *picture.sheet(), command.size);
  if (reason.isEmpty()) return kStatusDone;
  if (problem) {
    *problem = QStringLiteral("не удалось сохранить рисунок в файл %1: %2")
                   .arg(quoted(command.picture), reason);
  }
  return kStatusNotWritten;
}

}  // namespace orvinda
