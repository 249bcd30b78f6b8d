#include "tools/worksheet/worksheet_command.h"

#include <QFileInfo>

#include "tools/experiment/experiment_file.h"
#include "tools/experiment/model/experiment.h"
#include "tools/self_check/model/self_check_variant.h"
#include "tools/shared/parameter_options.h"
#include "tools/worksheet/worksheet_pdf.h"

namespace orvinda {

namespace {

// Every file is read before anything is written: one refused file leaves no sheet.
int write_worksheet_file(const QString& path, Worksheet sheet, const QStringList& files,
                         QString* problem) {
  for (const QString& file : files) {
    const ExperimentReading reading = read_experiment_file(file);
    if (!reading.experiment) {
      if (problem) {
        QString why = reading.problem;
        if (!why.isEmpty()) why[0] = why[0].toLower();
        *problem = QStringLiteral("не удалось открыть опыт из файла %1: %2").arg(quoted(file), why);
      }
      return kStatusUsage;
    }
    sheet.items.push_back(file_item(experiment_parameters(*reading.experiment)));
  }
  const QString reason = write_worksheet(path, sheet);
  if (reason.isEmpty()) return kStatusDone;
  if (problem) {
    *problem =
        QStringLiteral("не удалось сохранить лист заданий в файл %1: %2").arg(quoted(path), reason);
  }
  return kStatusNotWritten;
}

}  // namespace

QCommandLineOption WorksheetCommand::trigger() const {
  return QCommandLineOption(QStringLiteral("worksheet"), QString(), QStringLiteral("file"));
}

QList<QCommandLineOption> WorksheetCommand::options() const {
  return {QCommandLineOption(QStringLiteral("variant"), QString(), QStringLiteral("code")),
          QCommandLineOption(QStringLiteral("per-page"), QString(), QStringLiteral("n")),
          QCommandLineOption(QStringLiteral("no-key"))};
}

QString WorksheetCommand::usage() const {
  return QStringLiteral(
      "  orvinda --worksheet ЛИСТ.pdf (--variant КОД | ФАЙЛ.orv …) [--per-page N]\n"
      "          [--no-key]\n"
      "      сделать лист заданий: фигуры варианта «Проверь себя» или опытов из\n"
      "      файлов, строки для ответов и страницу ответов.\n");
}

QString WorksheetCommand::optionHelp() const {
  return QStringLiteral(
      "  --worksheet ЛИСТ.pdf  файл листа заданий (PDF, страницы A4)\n"
      "  --variant КОД     номер варианта «Проверь себя», от 1 до 99999\n"
      "  --per-page N      фигур на странице: 1, 2, 4 или 6 (по умолчанию 6)\n"
      "  --no-key          без страницы ответов\n");
}

bool WorksheetCommand::read(const QCommandLineParser& parser, CommandLine& c) const {
  c.picture = parser.value(QStringLiteral("worksheet"));
  if (QFileInfo(c.picture).suffix().toLower() != QLatin1String("pdf")) {
    c.problem =
        QStringLiteral("лист заданий сохраняется в файл .pdf, а не %1").arg(quoted(c.picture));
    return false;
  }
  Worksheet sheet;
  const QStringList files = parser.positionalArguments();
  if (parser.isSet(QStringLiteral("variant"))) {
    if (!files.isEmpty()) {
      c.problem = QStringLiteral("--variant и файлы опытов вместе не задают");
      return false;
    }
    const QString text = parser.value(QStringLiteral("variant"));
    const std::optional<int> code = parse_variant_code(text.toStdString());
    if (!code) {
      c.problem = QStringLiteral("номер варианта --variant — целое от %1 до %2, а не %3")
                      .arg(kMinVariantCode)
                      .arg(kMaxVariantCode)
                      .arg(quoted(text));
      return false;
    }
    sheet.code = *code;
    sheet.items = variant_items(*code);
  } else if (files.isEmpty()) {
    c.problem = QStringLiteral("для листа заданий нужен --variant КОД или файлы опытов");
    return false;
  }
  if (parser.isSet(QStringLiteral("per-page"))) {
    const QString text = parser.value(QStringLiteral("per-page"));
    const std::optional<int> n = whole_number_option(text, 1, kPerPageChoices.back());
    if (!n || !per_page_offered(*n)) {
      c.problem =
          QStringLiteral("фигур на странице --per-page — 1, 2, 4 или 6, а не %1").arg(quoted(text));
      return false;
    }
    sheet.per_page = *n;
  }
  sheet.key = !parser.isSet(QStringLiteral("no-key"));
  const QString path = c.picture;
  c.action = [path, sheet, files](QString* problem) {
    return write_worksheet_file(path, sheet, files, problem);
  };
  return true;
}

}  // namespace orvinda
