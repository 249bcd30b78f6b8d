#include "window/slow_down_scroll_bar.h"

#include <QKeyEvent>

namespace orvinda {

SlowDownScrollBar::SlowDownScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {}

void SlowDownScrollBar::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up: triggerAction(SliderSingleStepSub); break;
    case Qt::Key_Right:
    case Qt::Key_Down: triggerAction(SliderSingleStepAdd); break;
    case Qt::Key_PageUp: triggerAction(SliderPageStepSub); break;
    case Qt::Key_PageDown: triggerAction(SliderPageStepAdd); break;
    case Qt::Key_Home: triggerAction(SliderToMinimum); break;
    case Qt::Key_End: triggerAction(SliderToMaximum); break;
    default: QScrollBar::keyPressEvent(event); return;
  }
  event->accept();
}

}  // namespace orvinda
