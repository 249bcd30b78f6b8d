#include "window/caret.h"

namespace orvinda {

namespace {
bool is_blank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n'); }
}  // namespace

int caret_after_rewrite(const QString& before, int caret, const QString& after) {
  bool has_digit = false;
  for (QChar c : before) has_digit = has_digit || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
  if (!has_digit) return static_cast<int>(after.size());

  int wanted = 0;
  for (int i = 0; i < caret && i < before.size(); ++i) {
    if (!is_blank(before[i])) ++wanted;
  }
  int seen = 0;
  for (int i = 0; i < after.size(); ++i) {
    if (seen == wanted) {
      // Just before the next non-blank character, after any blanks.
      if (!is_blank(after[i])) return i;
      continue;
    }
    if (!is_blank(after[i])) ++seen;
    if (seen == wanted) {
      // Stop right after the wanted character.
      return i + 1;
    }
  }
  return static_cast<int>(after.size());
}

}  // namespace orvinda
