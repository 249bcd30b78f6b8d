#pragma once
// The dialog "Амплитуды и фазы": a motion entered by its amplitudes, initial
// phases (in units of pi) and vertical frequency instead of its initial
// conditions. It changes nothing itself: ОК checks the fields and, when
// they are all fine, closes with the initial conditions for the window to
// write into its boxes; a refused field says why beside it and the dialog
// stays open.

#include <QDialog>
#include <optional>

#include "model/characteristics.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvinda {

class AmplitudesDialog : public QDialog {
  Q_OBJECT

 public:
  // Pre-filled from the characteristics of current.
  explicit AmplitudesDialog(const MotionParameters& current, QWidget* parent = nullptr);

  QLineEdit* fieldAx = nullptr;
  QLineEdit* fieldFix = nullptr;
  QLineEdit* fieldAy = nullptr;
  QLineEdit* fieldFiy = nullptr;
  QLineEdit* fieldWy = nullptr;
  // Beside each field: why it was refused, empty while it is fine.
  QLabel* problemAx = nullptr;
  QLabel* problemFix = nullptr;
  QLabel* problemAy = nullptr;
  QLabel* problemFiy = nullptr;
  QLabel* problemWy = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;

  // The initial conditions, once ОК has accepted the fields.
  const std::optional<MotionParameters>& parameters() const { return parameters_; }

 private:
  void okClicked();

  MotionParameters current_;
  std::optional<MotionParameters> parameters_;
};

}  // namespace orvinda
