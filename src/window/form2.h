#pragma once
// The Authors window: a picture and six lines of credits, fixed size.

#include <QWidget>

class QLabel;

namespace orvinda {

class Form2 : public QWidget {
  Q_OBJECT

 public:
  explicit Form2(QWidget* parent = nullptr);

  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;

  // The six lines, CR LF between them; the first five are 36 characters.
  static QString credits();
};

}  // namespace orvinda
