#pragma once
// The texts of the window's parameter rows and characteristics labels, for
// the labels themselves and for pictures made without a window.

#include <QString>
#include <QStringList>
#include <array>

#include "model/characteristics.h"

namespace orvinda {

// The user's decimal separator, as the labels print numbers.
QString decimal_separator();

// Label12 ... Label18 for these characteristics; Label16 reads
// "Ay/Ax -->00" while no ratio is defined.
std::array<QString, 7> characteristics_texts(const Characteristics& c,
                                             const QString& separator = decimal_separator());

// The six prompts as the window shows them ("Wx(рад/с)=" ...).
const std::array<QString, 6>& parameter_prompts();
// Each prompt followed by its box's text: "Wx(рад/с)= 1", " Xo(м)= 3" ...
QStringList parameter_texts(const MotionParameters& p);

}  // namespace orvinda
