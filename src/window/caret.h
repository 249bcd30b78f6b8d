#pragma once
// Where the caret goes after the program rewrote a box in its normal form.

#include <QString>

namespace orvinda {

// The caret stays after the same number of non-blank characters it followed
// before (blanks are what the normal form adds or drops); a text without a
// digit (cleared, letters) became " 0", and the caret goes to its end.
int caret_after_rewrite(const QString& before, int caret, const QString& after);

}  // namespace orvinda
