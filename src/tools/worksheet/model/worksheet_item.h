#pragma once
// The figures of a worksheet and their answers. A figure is a self-check
// task of a variant or the motion of an experiment file; its answer is
// worked out by the self-check's grading, so the key accepts what the
// self-check accepts.

#include <optional>
#include <string>
#include <vector>

#include "model/characteristics.h"
#include "tools/self_check/model/self_check_task.h"

namespace orvinda {

struct WorksheetItem {
  MotionParameters parameters;
  std::optional<Task> task;  // the self-check task it is, if any
};

// What the third answer line asks: the way the point runs (for 1 : 1), or
// whether the figure is closed.
enum class ThirdQuestion { kDirection, kClosedness };

struct KeyEntry {
  std::string ratio;   // "ωx : ωy = 1 : 2", or "не замыкается"
  std::string phases;  // "Δφ = 0 или π"; "Δφ ≈ 0,37π" off the quarters of π
  std::string third;   // "по часовой стрелке", "замкнутая" ...
};

std::vector<WorksheetItem> variant_items(int code);
WorksheetItem file_item(const MotionParameters& p);

// The turns of x the figure is drawn over: until it closes, else 20.
int item_turns(const WorksheetItem& item);

ThirdQuestion third_question(const WorksheetItem& item);
KeyEntry item_key(const WorksheetItem& item);

}  // namespace orvinda
