#include "app/command_line.h"

#include <QCommandLineParser>
#include <QSet>

#include "tools/shared/parameter_options.h"

namespace orvinda {

namespace {

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

QString dashed(const QString& name) {
  return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

}  // namespace

CommandLine parse_command_line(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
  parser.addOptions({help, version});
  // An option two tools share is registered once.
  QSet<QString> registered;
  for (const CommandPart* part : command_parts()) {
    for (const QCommandLineOption& option : QList{part->trigger()} + part->options()) {
      if (registered.contains(option.names().constFirst())) continue;
      registered.insert(option.names().constFirst());
      parser.addOption(option);
    }
  }

  if (!parser.parse(arguments)) {
    if (!parser.unknownOptionNames().isEmpty()) {
      return usage(QStringLiteral("неизвестный параметр %1")
                       .arg(quoted(dashed(parser.unknownOptionNames().constFirst()))));
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

  const CommandPart* chosen = nullptr;
  for (const CommandPart* part : command_parts()) {
    if (!parser.isSet(part->trigger().names().constFirst())) continue;
    if (chosen) {
      return usage(QStringLiteral("%1 и %2 вместе не задают")
                       .arg(dashed(chosen->trigger().names().constFirst()),
                            dashed(part->trigger().names().constFirst())));
    }
    chosen = part;
  }
  const QStringList files = parser.positionalArguments();

  if (!chosen) {
    // A tool's option without the tool: say which tools take it.
    for (const QString& name : parser.optionNames()) {
      QStringList takers;
      for (const CommandPart* part : command_parts()) {
        for (const QCommandLineOption& option : part->options()) {
          if (option.names().contains(name)) takers << dashed(part->trigger().names().constFirst());
        }
      }
      if (!takers.isEmpty()) {
        return usage(QStringLiteral("параметр %1 действует только вместе с %2")
                         .arg(dashed(name), takers.join(QStringLiteral(" или "))));
      }
    }
    if (files.size() > 1) return usage(QStringLiteral("можно открыть только один файл опыта"));
    CommandLine c;
    c.experiment_file = files.value(0);
    return c;
  }

  // Options of other tools only.
  for (const QString& name : parser.optionNames()) {
    bool known = chosen->trigger().names().contains(name);
    for (const QCommandLineOption& option : chosen->options()) {
      known = known || option.names().contains(name);
    }
    if (!known) {
      return usage(QStringLiteral("параметр %1 не действует вместе с %2")
                       .arg(dashed(name), dashed(chosen->trigger().names().constFirst())));
    }
  }
  if (!files.isEmpty() && !chosen->takesFiles()) {
    return usage(QStringLiteral("лишний аргумент %1: файл опыта задают параметром --from")
                     .arg(quoted(files.constFirst())));
  }
  CommandLine c = with_mode(CommandLine::Mode::Export);
  if (!chosen->read(parser, c)) return usage(c.problem);
  return c;
}

QString help_text() {
  QString text = QStringLiteral(
      "Фигуры Орвинда — сложение перпендикулярных механических колебаний.\n"
      "\n"
      "Запуск:\n"
      "  orvinda [ФАЙЛ.orv]\n"
      "      открыть окно программы; если указан файл опыта, открыть его.\n");
  for (const CommandPart* part : command_parts()) text += part->usage();
  text += QStringLiteral("\nПараметры:\n");
  bool values_told = false;
  for (const CommandPart* part : command_parts()) {
    QString lines = part->optionHelp();
    // The motion's values are told once, after the first tool that takes them.
    bool takes_values = false;
    for (const QCommandLineOption& option : part->options()) {
      takes_values = takes_values || option.names().contains(QStringLiteral("from"));
    }
    if (takes_values && !values_told) {
      const qsizetype end = lines.indexOf(QLatin1Char('\n'));
      lines.insert(end + 1, parameter_option_help());
      values_told = true;
    }
    text += lines;
  }
  text += QStringLiteral(
      "  -h, --help        показать эту справку\n"
      "  -v, --version     показать версию программы\n"
      "\n"
      "Десятичный разделитель в значениях — точка.\n"
      "Код завершения: 0 — готово, 1 — файл не удалось записать,\n"
      "2 — ошибка в параметрах.\n");
  return text;
}

QString version_text() {
  return QStringLiteral("Фигуры Орвинда, версия " ORVINDA_VERSION " от " ORVINDA_BUILD_DATE "\n");
}

int run_export(const CommandLine& command, QString* problem) {
  if (!command.action) {
    if (problem) *problem = QStringLiteral("не выбрано, что сделать без окна");
    return kStatusUsage;
  }
  return command.action(problem);
}

}  // namespace orvinda
