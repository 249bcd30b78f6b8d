#include <QApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/startup_probe.h"
#include "platform/qt_platform.h"
#include "ui/app_setup.h"
#include "window/form1.h"
#include "window/open_at_start.h"

namespace {

// Without a window, Qt's own notes (in English, about the session) would be
// all a user reads besides our messages; they are dropped.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) std::fputs(message.toUtf8().constData(), stderr);
}

void print(std::FILE* stream, const QString& text) {
  std::fputs(text.toUtf8().constData(), stream);
  std::fflush(stream);
}

}  // namespace

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const orvinda::CommandLine command = orvinda::parse_command_line(arguments);
  using Mode = orvinda::CommandLine::Mode;
  switch (command.mode) {
    case Mode::Help: print(stdout, orvinda::help_text()); return orvinda::kStatusDone;
    case Mode::Version: print(stdout, orvinda::version_text()); return orvinda::kStatusDone;
    case Mode::Usage:
      print(stderr, QStringLiteral("orvinda: %1.\nСправка: orvinda --help\n").arg(command.problem));
      return orvinda::kStatusUsage;
    case Mode::Export: {
      // No window is shown, so no display is needed.
      qputenv("QT_QPA_PLATFORM", "offscreen");
      qInstallMessageHandler(quiet);
      QApplication app(argc, argv);
      orvinda::prepare_application(app);
      QString problem;
      const int status = orvinda::run_export(command, &problem);
      if (status != orvinda::kStatusDone)
        print(stderr, QStringLiteral("orvinda: %1.\n").arg(problem));
      return status;
    }
    case Mode::Window: break;
  }
  QApplication app(argc, argv);
  orvinda::prepare_application(app);
  orvinda::QtPlatform platform;
  orvinda::Form1 form(platform);
  orvinda::probe_startup_if_asked(form);
  form.show();
  if (!command.experiment_file.isEmpty()) {
    orvinda::open_experiment_when_shown(form, command.experiment_file);
  }
  return QApplication::exec();
}
