#include "tools/lab/model/lab_state.h"

#include <algorithm>

namespace orvinda {

std::vector<CheckRecord> merged_checks(const std::vector<CheckRecord>& a,
                                       const std::vector<CheckRecord>& b) {
  std::vector<CheckRecord> all = a;
  for (const CheckRecord& c : b) {
    if (std::find(all.begin(), all.end(), c) == all.end()) all.push_back(c);
  }
  std::stable_sort(all.begin(), all.end(),
                   [](const CheckRecord& x, const CheckRecord& y) { return x.time < y.time; });
  return all;
}

}  // namespace orvinda
