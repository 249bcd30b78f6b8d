#pragma once
// A visible mark on a control that has the keyboard focus, for controls whose
// style draws none (the slow-down scroll bar, the plot): without it a user of
// the keyboard cannot tell where the arrow keys go.

#include <QWidget>

namespace orvinda {

class FocusMark : public QWidget {
  Q_OBJECT

 public:
  // Becomes a child of the target, shown only while the target has the focus.
  explicit FocusMark(QWidget* target);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* target_;
};

}  // namespace orvinda
