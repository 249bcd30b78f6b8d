#pragma once
// --sound ЗВУК.wav: the figure's sound written to a file without a window.

#include "tools/shared/command_part.h"

namespace orvinda {

class SoundCommand : public CommandPart {
 public:
  QCommandLineOption trigger() const override;
  QList<QCommandLineOption> options() const override;
  QString usage() const override;
  QString optionHelp() const override;
  bool read(const QCommandLineParser& parser, CommandLine& command) const override;
};

}  // namespace orvinda
