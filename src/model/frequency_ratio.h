#pragma once
// A frequency ratio wx : wy as two whole numbers, as the self-check asks it.

#include <string>

namespace orvinda {

struct FrequencyRatio {
  int wx_part = 1;
  int wy_part = 1;
  friend bool operator==(const FrequencyRatio&, const FrequencyRatio&) = default;
};

// Both parts divided by their common factor; a ratio with a part of 0 or less
// is returned as it is.
FrequencyRatio reduced(FrequencyRatio ratio);

bool is_one_to_one(FrequencyRatio ratio);

// "1 : 2"
std::string ratio_text(FrequencyRatio ratio);

}  // namespace orvinda
