#pragma once
// The Authors window: a picture and six lines of credits, fixed size. A
// dialog without an owner, shown non-modal: Esc closes it, screen readers
// call it a dialog.

#include <QDialog>

class QLabel;

namespace orvinda {

class Form2 : public QDialog {
  Q_OBJECT

 public:
  explicit Form2(QWidget* parent = nullptr);

  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;

  // The six lines, CR LF between them; the first five are 36 characters.
  static QString credits();
};

}  // namespace orvinda
