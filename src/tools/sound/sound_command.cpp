#include "tools/sound/sound_command.h"

#include <QFileInfo>

#include "tools/shared/parameter_options.h"
#include "tools/sound/model/wav_file.h"
#include "tools/sound/sound_file.h"
#include "tools/sound/sound_tool.h"

namespace orvinda {

namespace {

int write_sound(const CommandLine& command, const QString& path, int seconds, int pitch,
                QString* problem) {
  const std::optional<MotionParameters> parameters = command_parameters(command, problem);
  if (!parameters) return kStatusUsage;
  const SoundPlan plan = plan_sound(*parameters, pitch);
  if (!plan.audible()) {
    // As the other messages of the command line: lower case, no full stop.
    QString why = silence_reason(plan);
    why[0] = why[0].toLower();
    if (why.endsWith(QLatin1Char('.'))) why.chop(1);
    if (problem) *problem = why;
    return kStatusUsage;
  }
  const QString reason = write_sound_file(path, plan, seconds);
  if (reason.isEmpty()) return kStatusDone;
  if (problem) {
    *problem = QStringLiteral("не удалось сохранить звук в файл %1: %2").arg(quoted(path), reason);
  }
  return kStatusNotWritten;
}

}  // namespace

QCommandLineOption SoundCommand::trigger() const {
  return QCommandLineOption(QStringLiteral("sound"), QString(), QStringLiteral("file"));
}

QList<QCommandLineOption> SoundCommand::options() const {
  return parameter_options() +
         QList<QCommandLineOption>{
             QCommandLineOption(QStringLiteral("seconds"), QString(), QStringLiteral("n")),
             QCommandLineOption(QStringLiteral("pitch"), QString(), QStringLiteral("hz"))};
}

QString SoundCommand::usage() const {
  return QStringLiteral(
      "  orvinda --sound ЗВУК.wav [--from ФАЙЛ.orv | --wy V --x0 V --vx0 V --y0 V --vy0 V]\n"
      "          [--seconds N] [--pitch 110|220|440]\n"
      "      записать звук фигуры: слева x(t), справа y(t).\n");
}

QString SoundCommand::optionHelp() const {
  return QStringLiteral(
      "  --sound ЗВУК.wav  файл звука: стерео WAV, 48 кГц, 16 бит\n"
      "  --seconds N       длительность звука в секундах, от 1 до 60 (по умолчанию 10)\n"
      "  --pitch ГЦ        на какой частоте звучит ωx: 110, 220 или 440 Гц\n"
      "                    (по умолчанию 220)\n");
}

bool SoundCommand::read(const QCommandLineParser& parser, CommandLine& c) const {
  const QString path = parser.value(QStringLiteral("sound"));
  if (QFileInfo(path).suffix().compare(QStringLiteral("wav"), Qt::CaseInsensitive) != 0) {
    c.problem = QStringLiteral("звук сохраняется в файлы .wav, а не %1").arg(quoted(path));
    return false;
  }
  if (!read_parameter_options(parser, c)) return false;
  int seconds = kDefaultSoundSeconds;
  if (parser.isSet(QStringLiteral("seconds"))) {
    const QString text = parser.value(QStringLiteral("seconds"));
    const std::optional<int> n =
        whole_number_option(text, kShortestSoundSeconds, kLongestSoundSeconds);
    if (!n) {
      c.problem = QStringLiteral("длительность --seconds — целое число секунд от %1 до %2, а не %3")
                      .arg(kShortestSoundSeconds)
                      .arg(kLongestSoundSeconds)
                      .arg(quoted(text));
      return false;
    }
    seconds = *n;
  }
  int pitch = kDefaultSoundPitch;
  if (parser.isSet(QStringLiteral("pitch"))) {
    const QString text = parser.value(QStringLiteral("pitch"));
    const std::optional<int> n = whole_number_option(text, 1, 100000);
    if (!n || !is_sound_pitch(*n)) {
      c.problem = QStringLiteral("высота --pitch — 110, 220 или 440 Гц, а не %1").arg(quoted(text));
      return false;
    }
    pitch = *n;
  }
  c.action = [c, path, seconds, pitch](QString* problem) {
    return write_sound(c, path, seconds, pitch, problem);
  };
  return true;
}

}  // namespace orvinda
