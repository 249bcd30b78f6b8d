#pragma once
#include <QScrollBar>

namespace orvinda {

// The slow-down scroll bar: its keys move the thumb the way it looks, left,
// up and page up towards 1, right, down and page down towards 9 (a stock
// scroll bar inverts them, being meant for scroll areas).
class SlowDownScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  explicit SlowDownScrollBar(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace orvinda
