#pragma once
// A series of self-check tasks from a variant code, the same on every machine.
//
// The code seeds std::mt19937, whose raw 32-bit outputs the standard fixes
// exactly. They become choices only through uniform_below() below, never
// through the standard distributions, whose results differ between libraries.
// From one generator, in this order:
//   1. three distinct 1 : 1 phases: a partial Fisher-Yates shuffle of
//      {0, pi/4, -pi/4, pi/2, -pi/2, 3pi/4, -3pi/4, pi}, positions 0 ... 2,
//      where position i swaps with i + uniform_below(8 - i);
//   2. seven distinct other ratios: the same over the eight ratios of
//      answer_ratios() without 1 : 1, in their order there, positions 0 ... 6;
//   3. for each of these seven ratios in turn, dphi = uniform_below(5) * pi/4;
//   4. the ten tasks (the three 1 : 1 tasks, then the seven) are shuffled:
//      for i from 9 down to 1, task i swaps with task uniform_below(i + 1);
//   5. for each task in the final order, ax = 2 + uniform_below(4), then
//      ay = 2 + uniform_below(4).
// So every series has three ellipses or segments to read a direction from and
// seven other figures, no ratio but 1 : 1 twice, and no two tasks alike.

#include <cstdint>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

#include "tools/self_check/model/self_check_task.h"

namespace orvinda {

inline constexpr int kMinVariantCode = 1;
inline constexpr int kMaxVariantCode = 99999;
inline constexpr int kTasksPerSeries = 10;
inline constexpr int kOneToOneTasksPerSeries = 3;

// A whole number 0 ... n - 1 from raw outputs by rejection: draw r, draw again
// while r >= floor(2^32 / n) * n, answer r % n. n = 0 is taken as 1.
std::uint32_t uniform_below(std::mt19937& generator, std::uint32_t n);

// The ten tasks of a code. Codes outside 1 ... 99999 are not offered, but
// still give a series.
std::vector<Task> variant_tasks(int code);

// Any 32-bit entropy (a clock, a system source) to a code 1 ... 99999, spread
// evenly by passing it through the generator.
int variant_code_from_entropy(std::uint32_t entropy);

// A code as typed: digits only, blanks around them allowed, 1 ... 99999.
std::optional<int> parse_variant_code(std::string_view text);

}  // namespace orvinda
