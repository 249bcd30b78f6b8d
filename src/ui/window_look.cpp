#include "ui/window_look.h"

#include <QWidget>

namespace orvinda {

QColor window_color() { return QColor(224, 224, 224); }
QColor box_color() { return QColor(255, 255, 192); }
QColor output_color() { return QColor(192, 255, 255); }

void paint_background(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
  QPalette palette = widget->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, role, color);
  }
  widget->setPalette(palette);
}

}  // namespace orvinda
