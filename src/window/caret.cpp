#include "window/caret.h"

#include <algorithm>

namespace orvinda {

namespace {
bool is_blank(QChar c) {
  return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}
}  // namespace

int caret_after_rewrite(const QString& before, int caret, const QString& after) {
  bool has_digit = false;
  for (QChar c : before) has_digit = has_digit || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
  if (!has_digit) return static_cast<int>(after.size());

  const int old_size = static_cast<int>(before.size());
  const int new_size = static_cast<int>(after.size());
  caret = std::clamp(caret, 0, old_size);
  // What the rewrite left alone at either end.
  int prefix = 0;
  while (prefix < old_size && prefix < new_size && before[prefix] == after[prefix]) ++prefix;
  int suffix = 0;
  while (suffix < old_size - prefix && suffix < new_size - prefix &&
         before[old_size - 1 - suffix] == after[new_size - 1 - suffix]) {
    ++suffix;
  }
  if (caret <= prefix) return caret;
  if (caret >= old_size - suffix) return new_size - (old_size - caret);

  // Inside what changed: after as many non-blank characters as before it.
  int wanted = 0;
  for (int i = 0; i < caret; ++i) {
    if (!is_blank(before[i])) ++wanted;
  }
  int position = new_size;
  int seen = 0;
  for (int i = 0; i < new_size; ++i) {
    if (seen == wanted) {
      position = i;
      break;
    }
    if (!is_blank(after[i])) ++seen;
  }
  return std::clamp(position, prefix, new_size - suffix);
}

}  // namespace orvinda
