#pragma once
// Where the caret goes after the program rewrote a box in its normal form.

#include <QString>

namespace orvinda {

// The caret keeps its place relative to what the rewrite left alone at
// either end of the text; inside the changed part it follows as many
// non-blank characters as before. A text without a digit (cleared, letters)
// became " 0", and the caret goes to its end, where typing replaces the 0.
int caret_after_rewrite(const QString& before, int caret, const QString& after);

}  // namespace orvinda
