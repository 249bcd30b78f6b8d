// The six parameter boxes. A text the program writes is read, checked
// (frequencies only), written back in normal form and redrawn at once. A text
// the user types is read and redrawn at once too, but stays as typed until
// the user commits it: rewriting it under the caret would drop the point or
// the sign just typed before the next digit comes.

#include <QLineEdit>

#include "model/numbers.h"
#include "platform/platform.h"
#include "window/caret.h"
#include "window/form1.h"

namespace orvinda {

void Form1::Text1_Change() { textChange(1); }
void Form1::Text2_Change() { textChange(2); }
void Form1::Text3_Change() { textChange(3); }
void Form1::Text4_Change() { textChange(4); }
void Form1::Text5_Change() { textChange(5); }
void Form1::Text6_Change() { textChange(6); }

void Form1::textChange(int box) {
  BoxEditing& state = box_editing_[box];
  QLineEdit* const edit = parameterBox(box);
  // Text dropped into a box without the caret is not being typed there: it
  // applies as the program's would, or nothing would ever commit it.
  const bool has_caret = edit->window()->focusWidget() == edit;
  if (std::exchange(state.typed, false) && has_caret) {
    state.editing = true;
    applyTypedText(box);
    return;
  }
  // The program's text replaces whatever was being typed.
  state.editing = false;
  showFrequencyInvalid(box, false);
  applyBoxText(box);
}

void Form1::applyTypedText(int box) {
  const double value = parse_box_number(parameterBox(box)->text().toStdString());
  const bool frequency = box == 1 || box == 4;
  // "", "0", "0." and "-" are steps on the way to a valid frequency: the last
  // valid one stays in force, and only a commit refuses them.
  showFrequencyInvalid(box, frequency && !(value > 0));
  if (box_editing_[box].invalid) return;
  storeParameter(box, value);
  ++edits_;
  Form_Resize();
}

void Form1::applyBoxText(int box) {
  QLineEdit* edit = parameterBox(box);
  ++edits_;
  const QString text = edit->text();
  const int caret = edit->cursorPosition();
  const double value = parse_box_number(text.toStdString());

  double stored = storeParameter(box, value);

  if ((box == 1 || box == 4) && stored <= 0) {
    // The tone and the box run event loops: no frequency of 0 or less may be
    // stored across them, and a redraw the window system asks for meanwhile
    // waits, so the box shows over the text as typed.
    stored = storeParameter(box, box == 1 ? 1 : 2);
    ++rejections_;
    tone(25);
    platform_.message_box(this,
                          QStringLiteral("Частота должна быть больше 0! "
                                         "Не вводите заново, а исправьте!"),
                          QStringLiteral("Ошибка"), MessageButtons::Ok);
    --rejections_;
  }

  const QString normal =
      QString::fromStdString(box == 6 ? format_signed_number(vy0) : format_signed_number(stored));
  if (normal != edit->text()) {
    setBoxText(edit, normal);
    edit->setCursorPosition(caret_after_rewrite(text, caret, normal));
  }
  // Nobody is typing there: a long number shows from its start. (The focus
  // child, not hasFocus(): the caret stays while another window is active.)
  if (edit->window()->focusWidget() != edit) edit->setCursorPosition(0);
  BoxEditing& state = box_editing_[box];
  if (edit->text() != state.committed) {
    state.before = state.committed;
    state.committed = edit->text();
  }
  // This redraw comes after the replacement is written; it also answers a
  // resize that waited for the rejection.
  if (rejections_ == 0) redraw_waiting_ = false;
  Form_Resize();
}

}  // namespace orvinda
