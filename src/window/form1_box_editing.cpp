// Typing into the parameter boxes: when a typed text is committed, what
// undo goes back to, and how a frequency of 0 or less shows while typing.

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "model/numbers.h"
#include "ui/window_look.h"
#include "window/form1.h"

namespace orvinda {

namespace {
const QString kFrequencyHint = QStringLiteral("Частота должна быть больше 0");
}  // namespace

QLineEdit* Form1::parameterBox(int box) const {
  QLineEdit* const boxes[] = {nullptr, Text1, Text2, Text3, Text4, Text5, Text6};
  return boxes[box];
}

double Form1::storeParameter(int box, double value) {
  if (box == 6) {
    vy0 = to_single(value);
    return vy0;
  }
  double* const doubles[] = {nullptr, &wx, &x0, &vx0, &wy, &y0};
  return *doubles[box] = value;
}

int Form1::boxNumber(const QObject* object) const {
  for (int n = 1; n <= 6; ++n) {
    if (object == parameterBox(n)) return n;
  }
  return 0;
}

bool Form1::beingEdited(const QLineEdit* box) const {
  const int n = boxNumber(box);
  return n > 0 && box_editing_[n].editing;
}

void Form1::commitEditing() {
  for (int n = 1; n <= 6; ++n) {
    if (box_editing_[n].editing) commitBox(n);
  }
}

void Form1::commitBox(int box) {
  BoxEditing& state = box_editing_[box];
  if (!state.editing) return;
  state.editing = false;
  showFrequencyInvalid(box, false);
  applyBoxText(box);
}

void Form1::undoBox(int box) {
  QLineEdit* const edit = parameterBox(box);
  const BoxEditing& state = box_editing_[box];
  const QString target = state.editing ? state.committed : state.before;
  if (target.isEmpty()) return;
  if (edit->text() == target) {
    commitBox(box);  // the value typed already is the committed one
    return;
  }
  edit->setText(target);  // through the handler, as the program writes
}

void Form1::showFrequencyInvalid(int box, bool invalid) {
  BoxEditing& state = box_editing_[box];
  if (state.invalid == invalid) return;
  state.invalid = invalid;
  QLabel* const prompts[] = {nullptr, Label1, Label2, Label3, Label4, Label5, Label6};
  QLineEdit* edit = parameterBox(box);
  const QString tip = invalid ? kFrequencyHint : prompts[box]->toolTip();
  edit->setToolTip(tip);
  edit->setAccessibleDescription(tip);
  edit->setStyleSheet(invalid ? QStringLiteral("QLineEdit { border: 2px solid rgb(204, 0, 0); "
                                               "background-color: %1; }")
                                    .arg(box_color().name())
                              : QString());
}

bool Form1::boxEvent(int box, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::MouseButtonPress:
      // One box is typed into at a time: going to another commits the
      // first, also when no focus-out told it (a click into an inactive
      // window moves its focus silently).
      for (int n = 1; n <= 6; ++n) {
        if (n != box) commitBox(n);
      }
      return false;
    case QEvent::FocusOut: {
      // Switching to another application to read the lab sheet, or opening
      // a menu, leaves the typing as it is.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        commitBox(box);
      }
      return false;
    }
    case QEvent::ShortcutOverride:
      if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
        event->accept();
        return true;
      }
      return false;
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
        undoBox(box);
        return true;
      }
      return false;
    default: return false;
  }
}

}  // namespace orvinda
