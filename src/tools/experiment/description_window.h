#pragma once
// "Описание опыта": the comment of the experiment file, beside the main
// window and editable there. What is typed is the comment the next save
// writes. Non-modal; closing it only hides it.

#include <QDialog>
#include <QFont>

class QPlainTextEdit;
class QPushButton;

namespace orvinda {

class ExperimentFiles;

class DescriptionWindow : public QDialog {
  Q_OBJECT

 public:
  explicit DescriptionWindow(ExperimentFiles& files, QWidget* parent = nullptr);

  QPlainTextEdit* descriptionEdit = nullptr;
  QPushButton* closeButton = nullptr;

  // Shows the comment the files hold now (after a file was opened).
  void reload();

  // The projector view's factor for the text (1: as designed).
  void setTextScale(double factor);

 private:
  ExperimentFiles& files_;
  QFont base_font_;
  bool loading_ = false;
};

}  // namespace orvinda
