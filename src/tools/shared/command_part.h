#pragma once
// A tool's share of the command line. The application's parser asks every
// tool for its options, its lines of --help and, when the tool's own option
// is given, for the action to run without a window; so a new tool joins the
// command line without touching the others.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <functional>

#include "model/characteristics.h"

namespace orvinda {

// Exit statuses.
inline constexpr int kStatusDone = 0;
inline constexpr int kStatusNotWritten = 1;
inline constexpr int kStatusUsage = 2;

struct CommandLine {
  // Export: a tool's action, without a window (the first tool was --export).
  enum class Mode { Window, Export, Help, Version, Usage };
  Mode mode = Mode::Window;
  QString experiment_file;  // Window: a file to open at start; Export: --from
  QString picture;          // --export: where to write
  MotionParameters parameters;
  int turns = 0;    // --export: 0 until the figure closes
  int size = 0;     // --export: PNG width in pixels
  QString problem;  // Usage: what is wrong, in Russian
  // Export: what the chosen tool does; returns the exit status and leaves a
  // Russian message in problem when it fails. Needs a QApplication.
  std::function<int(QString* problem)> action;
};

class CommandPart {
 public:
  virtual ~CommandPart() = default;

  // The option that chooses the tool, with a value: --export РИСУНОК.
  virtual QCommandLineOption trigger() const = 0;
  // What the tool reads besides; an option two tools share is given by both
  // and registered once.
  virtual QList<QCommandLineOption> options() const = 0;
  // Its lines of --help: how it is started, and what its own options mean.
  virtual QString usage() const = 0;
  virtual QString optionHelp() const = 0;
  // Whether it takes files after its options (read from the parser's
  // positional arguments); otherwise a file there is refused.
  virtual bool takesFiles() const { return false; }
  // With the trigger given: reads the options into command and sets its
  // action, or says what is wrong in command.problem and returns false.
  virtual bool read(const QCommandLineParser& parser, CommandLine& command) const = 0;
};

// «text», as the messages quote a value.
inline QString quoted(const QString& text) { return QStringLiteral("«%1»").arg(text); }

}  // namespace orvinda
