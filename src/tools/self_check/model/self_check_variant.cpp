#include "tools/self_check/model/self_check_variant.h"

#include <array>
#include <utility>

namespace orvinda {

namespace {

constexpr std::uint64_t kOutputs = std::uint64_t{1} << 32;

// Positions 0 ... count - 1 of a Fisher-Yates shuffle: a draw without repeats.
template <typename T, std::size_t N>
void shuffle_front(std::mt19937& generator, std::array<T, N>& items, std::size_t count) {
  for (std::size_t i = 0; i < count && i + 1 < N; ++i) {
    const std::size_t j = i + uniform_below(generator, static_cast<std::uint32_t>(N - i));
    std::swap(items[i], items[j]);
  }
}

}  // namespace

std::uint32_t uniform_below(std::mt19937& generator, std::uint32_t n) {
  if (n == 0) n = 1;
  const std::uint64_t limit = kOutputs / n * n;
  std::uint64_t r = 0;
  do {
    r = static_cast<std::uint32_t>(generator());
  } while (r >= limit);
  return static_cast<std::uint32_t>(r % n);
}

std::vector<Task> variant_tasks(int code) {
  std::mt19937 generator(static_cast<std::uint32_t>(code));

  std::array<int, 8> phases{0, 1, -1, 2, -2, 3, -3, 4};
  shuffle_front(generator, phases, kOneToOneTasksPerSeries);

  std::array<FrequencyRatio, 8> ratios;
  for (std::size_t i = 0; i < ratios.size(); ++i) ratios[i] = answer_ratios()[i + 1];
  constexpr int kOthers = kTasksPerSeries - kOneToOneTasksPerSeries;
  shuffle_front(generator, ratios, kOthers);

  std::vector<Task> tasks;
  for (int i = 0; i < kOneToOneTasksPerSeries; ++i) {
    tasks.push_back({{{1, 1}, phases[i]}});
  }
  for (int i = 0; i < kOthers; ++i) {
    tasks.push_back({{ratios[i], static_cast<int>(uniform_below(generator, 5))}});
  }

  for (std::size_t i = tasks.size() - 1; i > 0; --i) {
    std::swap(tasks[i], tasks[uniform_below(generator, static_cast<std::uint32_t>(i + 1))]);
  }

  constexpr auto kAmplitudes = kMaxTaskAmplitude - kMinTaskAmplitude + 1;
  for (Task& task : tasks) {
    task.ax = kMinTaskAmplitude + static_cast<int>(uniform_below(generator, kAmplitudes));
    task.ay = kMinTaskAmplitude + static_cast<int>(uniform_below(generator, kAmplitudes));
  }
  return tasks;
}

int variant_code_from_entropy(std::uint32_t entropy) {
  std::mt19937 generator(entropy);
  constexpr auto kCodes = static_cast<std::uint32_t>(kMaxVariantCode - kMinVariantCode + 1);
  return kMinVariantCode + static_cast<int>(uniform_below(generator, kCodes));
}

std::optional<int> parse_variant_code(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kMaxVariantCode) return std::nullopt;  // also keeps long digit runs finite
  }
  if (value < kMinVariantCode) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace orvinda
