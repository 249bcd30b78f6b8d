#pragma once
// The options group of "Сохранить рисунок…" and "Печать…": what the picture
// shows besides the figure.

#include <QString>

#include "platform/dialog_extra.h"
#include "tools/shared/picture_options.h"

class QCheckBox;
class QLineEdit;

namespace orvinda {

class PictureOptionsBox : public DialogExtra {
  Q_OBJECT

 public:
  // comment: the open experiment's, the title's text when it is turned on.
  PictureOptionsBox(const PictureOptions& options, const QString& comment,
                    QWidget* parent = nullptr);

  PictureOptions options() const;

  QCheckBox* deviceCheck = nullptr;
  QCheckBox* valuesCheck = nullptr;
  QCheckBox* arrowCheck = nullptr;
  QCheckBox* titleCheck = nullptr;
  QLineEdit* titleEdit = nullptr;

 private:
  QString comment_;
};

// A comment as a title line: its first line that is not blank.
QString title_from_comment(const QString& comment);

}  // namespace orvinda
