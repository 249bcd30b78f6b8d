#pragma once
// The main window's colours, for the dialogs that open over it too.

#include <QColor>
#include <QPalette>

class QWidget;

namespace orvinda {

QColor window_color();  // the grey of the window
QColor box_color();     // the pale yellow of the parameter boxes
QColor output_color();  // the pale cyan of the characteristics

// Sets a colour role in every colour group, so a widget keeps its colour
// when it is inactive or disabled.
void paint_background(QWidget* widget, QPalette::ColorRole role, const QColor& color);

}  // namespace orvinda
