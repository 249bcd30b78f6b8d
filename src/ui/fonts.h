#pragma once
// The two typefaces of the window. The family names stay as designed; the
// application maps them to installed fonts with the same metrics.

#include <QFont>

namespace orvinda {

QFont serif_font(bool bold = false);  // Times New Roman 11.25 pt
QFont sans_font(bool bold = false);   // MS Sans Serif 8.25 pt

// Registers the substitutes for the two families on this desktop.
void install_font_substitutes();

}  // namespace orvinda
