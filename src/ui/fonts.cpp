#include "ui/fonts.h"

#include <QStringList>

namespace orvinda {

QFont serif_font(bool bold) {
  QFont font(QStringLiteral("Times New Roman"));
  font.setPointSizeF(11.25);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::Serif);
  return font;
}

QFont sans_font(bool bold) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSizeF(8.25);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

void install_font_substitutes() {
  // Same metrics as the designed families.
  QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                             {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

}  // namespace orvinda
