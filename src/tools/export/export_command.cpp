#include "tools/export/export_command.h"

#include "plot/picture_sheet.h"
#include "tools/export/picture_export.h"
#include "tools/shared/experiment_picture.h"
#include "tools/shared/parameter_options.h"

namespace orvinda {

namespace {

constexpr int kMaxTurns = 1000;
constexpr int kMinSize = 16;
constexpr int kMaxSize = 10000;

int write_exported_picture(const CommandLine& command, const PictureOptions& options,
                           QString* problem) {
  const std::optional<MotionParameters> parameters = command_parameters(command, problem);
  if (!parameters) return kStatusUsage;
  const ExperimentPicture picture(*parameters, command.turns);
  const QString reason = write_picture(command.picture, *picture_format_for(command.picture),
                                       *picture.sheet(options), command.size);
  if (reason.isEmpty()) return kStatusDone;
  if (problem) {
    *problem = QStringLiteral("не удалось сохранить рисунок в файл %1: %2")
                   .arg(quoted(command.picture), reason);
  }
  return kStatusNotWritten;
}

}  // namespace

QCommandLineOption ExportCommand::trigger() const {
  return QCommandLineOption(QStringLiteral("export"), QString(), QStringLiteral("file"));
}

QList<QCommandLineOption> ExportCommand::options() const {
  return parameter_options() +
         QList<QCommandLineOption>{
             QCommandLineOption(QStringLiteral("turns"), QString(), QStringLiteral("n")),
             QCommandLineOption(QStringLiteral("size"), QString(), QStringLiteral("px")),
             QCommandLineOption(QStringLiteral("no-device")),
             QCommandLineOption(QStringLiteral("no-values")),
             QCommandLineOption(QStringLiteral("arrow")),
             QCommandLineOption(QStringLiteral("title"), QString(), QStringLiteral("text"))};
}

QString ExportCommand::usage() const {
  return QStringLiteral(
      "  orvinda --export РИСУНОК [--from ФАЙЛ.orv | --wy V --x0 V --vx0 V --y0 V --vy0 V]\n"
      "          [--turns N] [--size PX] [--no-device] [--no-values] [--arrow]\n"
      "          [--title ТЕКСТ]\n"
      "      нарисовать фигуру без окна и сохранить рисунок.\n");
}

QString ExportCommand::optionHelp() const {
  return QStringLiteral(
      "  --export РИСУНОК  файл рисунка: .png, .svg или .pdf (ширина 148 мм)\n"
      "  --turns N         сколько оборотов горизонтального колебания рисовать\n"
      "                    (по умолчанию — пока фигура не замкнётся, не больше 20)\n"
      "  --size PX         ширина рисунка PNG в пикселях (по умолчанию 1748)\n"
      "  --no-device       без прибора\n"
      "  --no-values       без параметров задачи и характеристик под графиком\n"
      "  --arrow           с начальной точкой и стрелкой направления движения\n"
      "  --title ТЕКСТ     строка заголовка над графиком\n");
}

bool ExportCommand::read(const QCommandLineParser& parser, CommandLine& c) const {
  c.picture = parser.value(QStringLiteral("export"));
  if (!picture_format_for(c.picture)) {
    c.problem = QStringLiteral("рисунок сохраняется в файлы .png, .svg или .pdf, а не %1")
                    .arg(quoted(c.picture));
    return false;
  }
  if (!read_parameter_options(parser, c)) return false;
  if (parser.isSet(QStringLiteral("turns"))) {
    const QString text = parser.value(QStringLiteral("turns"));
    const std::optional<int> n = whole_number_option(text, 1, kMaxTurns);
    if (!n) {
      c.problem = QStringLiteral("число оборотов --turns — целое от 1 до %1, а не %2")
                      .arg(kMaxTurns)
                      .arg(quoted(text));
      return false;
    }
    c.turns = *n;
  }
  c.size = kDefaultPngWidth;
  if (parser.isSet(QStringLiteral("size"))) {
    const QString text = parser.value(QStringLiteral("size"));
    const std::optional<int> n = whole_number_option(text, kMinSize, kMaxSize);
    if (!n) {
      c.problem = QStringLiteral("ширина --size — целое число пикселей от %1 до %2, а не %3")
                      .arg(kMinSize)
                      .arg(kMaxSize)
                      .arg(quoted(text));
      return false;
    }
    c.size = *n;
  }
  PictureOptions picture;
  picture.device = !parser.isSet(QStringLiteral("no-device"));
  picture.values = !parser.isSet(QStringLiteral("no-values"));
  picture.arrow = parser.isSet(QStringLiteral("arrow"));
  if (parser.isSet(QStringLiteral("title"))) {
    picture.title = true;
    picture.title_text = parser.value(QStringLiteral("title"));
  }
  c.action = [c, picture](QString* problem) { return write_exported_picture(c, picture, problem); };
  return true;
}

}  // namespace orvinda
