#pragma once
// --export РИСУНОК: the figure drawn without a window and saved as a picture.

#include "tools/shared/command_part.h"

namespace orvinda {

class ExportCommand : public CommandPart {
 public:
  QCommandLineOption trigger() const override;
  QList<QCommandLineOption> options() const override;
  QString usage() const override;
  QString optionHelp() const override;
  bool read(const QCommandLineParser& parser, CommandLine& command) const override;
};

}  // namespace orvinda
