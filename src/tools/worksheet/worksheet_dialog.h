#pragma once
// "Лист заданий…": the choices of a worksheet (a variant code or experiment
// files, figures per page, the answer page), then where to save it.

#include <QDialog>
#include <optional>

#include "tools/worksheet/worksheet_pdf.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace orvinda {

class Platform;

class WorksheetDialog : public QDialog {
  Q_OBJECT

 public:
  WorksheetDialog(Platform& platform, QWidget* parent = nullptr);

  // The worksheet as chosen, the files read; none (and a box saying why)
  // when the code is wrong or a file is refused.
  std::optional<Worksheet> worksheet();

  QRadioButton* variantRadio = nullptr;
  QLineEdit* variantEdit = nullptr;
  QRadioButton* filesRadio = nullptr;
  QListWidget* filesList = nullptr;
  QPushButton* addButton = nullptr;
  QPushButton* removeButton = nullptr;
  QComboBox* perPageBox = nullptr;
  QCheckBox* keyCheck = nullptr;
  QPushButton* saveButton = nullptr;

 private:
  void addFile();
  void refuse(const QString& text);
  Platform& platform_;
};

// The whole item: the dialog, then the file dialog, then the PDF; every
// failure says why in a box.
void make_worksheet(QWidget* parent, Platform& platform);

}  // namespace orvinda
