#include "model/frequency_ratio.h"

#include <numeric>

namespace orvinda {

FrequencyRatio reduced(FrequencyRatio ratio) {
  if (ratio.wx_part <= 0 || ratio.wy_part <= 0) return ratio;
  const int common = std::gcd(ratio.wx_part, ratio.wy_part);
  return {ratio.wx_part / common, ratio.wy_part / common};
}

bool is_one_to_one(FrequencyRatio ratio) {
  return ratio.wx_part > 0 && ratio.wx_part == ratio.wy_part;
}

std::string ratio_text(FrequencyRatio ratio) {
  return std::to_string(ratio.wx_part) + " : " + std::to_string(ratio.wy_part);
}

}  // namespace orvinda
