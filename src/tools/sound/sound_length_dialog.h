#pragma once
// "Сохранить звук": how many seconds to write, before the file is chosen.

#include <QDialog>

class QPushButton;
class QSpinBox;

namespace orvinda {

class SoundLengthDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SoundLengthDialog(int seconds, QWidget* parent = nullptr);

  int seconds() const;

  QSpinBox* secondsBox = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;
};

}  // namespace orvinda
