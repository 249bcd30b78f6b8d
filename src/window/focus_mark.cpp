#include "window/focus_mark.h"

#include <QEvent>
#include <QPainter>

namespace orvinda {

FocusMark::FocusMark(QWidget* target) : QWidget(target), target_(target) {
  setObjectName(QStringLiteral("focusMark"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  hide();
  target->installEventFilter(this);
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event) {
  if (watched == target_) {
    switch (event->type()) {
      case QEvent::FocusIn:
        setGeometry(target_->rect());
        raise();  // over the device and the measuring layer
        show();
        break;
      case QEvent::FocusOut: hide(); break;
      case QEvent::Resize: setGeometry(target_->rect()); break;
      default: break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FocusMark::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QPen pen(palette().color(QPalette::Active, QPalette::Highlight), 2);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

}  // namespace orvinda
