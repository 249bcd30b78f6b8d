#pragma once
// The bench's work as it is saved: the variant, who did it, both tables and
// every check made, with its time. Checks are only ever added: a student who
// checks and then reopens an earlier save keeps the record of that check.

#include <string>
#include <vector>

#include "tools/lab/model/ellipse_phase.h"
#include "tools/lab/model/lab_work.h"

namespace orvinda {

struct CheckRecord {
  std::string time;  // "2026-12-07 20:15:03", local time
  bool frequency_graded = false;
  bool frequency_passed = false;
  bool phase_graded = false;
  bool phase_passed = false;
  bool operator==(const CheckRecord&) const = default;
};

struct LabState {
  int code = 1;
  std::string name, group;
  std::vector<FrequencyRow> frequency_rows;
  std::vector<ChordRow> chord_rows;
  Tilt tilt = Tilt::kFirstThird;
  std::vector<CheckRecord> checks;
};

// The checks of both, each once, in order of time.
std::vector<CheckRecord> merged_checks(const std::vector<CheckRecord>& a,
                                       const std::vector<CheckRecord>& b);

}  // namespace orvinda
