// The tools that have a share of the command line: one line each.

#include "app/command_line.h"
#include "tools/export/export_command.h"
#include "tools/sound/sound_command.h"
#include "tools/worksheet/worksheet_command.h"

namespace orvinda {

std::span<const CommandPart* const> command_parts() {
  static const ExportCommand exporting;
  static const WorksheetCommand worksheet;
  static const SoundCommand sounding;
  static const CommandPart* const parts[] = {&exporting, &worksheet, &sounding};
  return parts;
}

}  // namespace orvinda
