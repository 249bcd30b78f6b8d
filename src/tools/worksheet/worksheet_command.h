#pragma once
// --worksheet ЛИСТ.pdf: a worksheet made without a window, from a self-check
// variant (--variant КОД) or from experiment files given after the options.

#include "tools/shared/command_part.h"

namespace orvinda {

class WorksheetCommand : public CommandPart {
 public:
  QCommandLineOption trigger() const override;
  QList<QCommandLineOption> options() const override;
  QString usage() const override;
  QString optionHelp() const override;
  bool takesFiles() const override { return true; }
  bool read(const QCommandLineParser& parser, CommandLine& command) const override;
};

}  // namespace orvinda
