// The six parameter boxes: every change is read, checked (frequencies only),
// written back in normal form and redrawn.

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
  QLineEdit* const edits[] = {nullptr, Text1, Text2, Text3, Text4, Text5, Text6};
  QLineEdit* edit = edits[box];
  ++edits_;
  const QString text = edit->text();
  const int caret = edit->cursorPosition();
  const double value = parse_leading_number(text.toStdString());

  double* const doubles[] = {nullptr, &wx, &x0, &vx0, &wy, &y0, nullptr};
  if (box == 6) {
    vy0 = to_single(value);
  } else {
    *doubles[box] = value;
  }

  if ((box == 1 || box == 4) && *doubles[box] <= 0) {
    // The tone and the box run event loops: no frequency of 0 or less may be
    // stored across them, and a redraw the window system asks for meanwhile
    // waits, so the box shows over the text as typed.
    *doubles[box] = box == 1 ? 1 : 2;
    ++rejections_;
    tone(25);
    platform_.message_box(this,
                          QStringLiteral("Частота должна быть больше 0! "
                                         "Не вводите заново, а исправьте!"),
                          QStringLiteral("Ошибка"), MessageButtons::Ok);
    --rejections_;
  }

  const QString normal = QString::fromStdString(box == 6 ? format_signed_number(vy0)
                                                         : format_signed_number(*doubles[box]));
  if (normal != edit->text()) {
    setBoxText(edit, normal);
    edit->setCursorPosition(caret_after_rewrite(text, caret, normal));
  }
  // This redraw comes after the replacement is written; it also answers a
  // resize that waited for the rejection.
  if (rejections_ == 0) redraw_waiting_ = false;
  Form_Resize();
}

}  // namespace orvinda
