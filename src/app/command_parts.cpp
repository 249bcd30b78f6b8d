// The tools that have a share of the command line: one line each.

#include "app/command_line.h"
#include "tools/export/export_command.h"
#include "tools/sound/sound_command.h"

namespace orvinda {

std::span<const CommandPart* const> command_parts() {
  static const ExportCommand exporting;
  static const SoundCommand sounding;
  static const CommandPart* const parts[] = {&exporting, &sounding};
  return parts;
}

}  // namespace orvinda
