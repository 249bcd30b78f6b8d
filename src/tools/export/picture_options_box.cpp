#include "tools/export/picture_options_box.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace orvinda {

QString title_from_comment(const QString& comment) {
  const QStringList lines = comment.split(QLatin1Char('\n'));
  for (const QString& line : lines) {
    if (!line.trimmed().isEmpty()) return line.simplified();
  }
  return QString();
}

PictureOptionsBox::PictureOptionsBox(const PictureOptions& options, const QString& comment,
                                     QWidget* parent)
    : DialogExtra(parent), comment_(title_from_comment(comment)) {
  auto* group = new QGroupBox(QStringLiteral("Что показать на рисунке"), this);
  deviceCheck = new QCheckBox(QStringLiteral("Прибор"), group);
  valuesCheck = new QCheckBox(QStringLiteral("Параметры задачи и характеристики"), group);
  arrowCheck = new QCheckBox(QStringLiteral("Начальную точку и направление движения"), group);
  titleCheck = new QCheckBox(QStringLiteral("Заголовок:"), group);
  titleEdit = new QLineEdit(group);
  titleEdit->setAccessibleName(QStringLiteral("Текст заголовка"));
  deviceCheck->setChecked(options.device);
  valuesCheck->setChecked(options.values);
  arrowCheck->setChecked(options.arrow);
  titleCheck->setChecked(options.title);
  titleEdit->setText(options.title_text.isEmpty() ? comment_ : options.title_text);
  titleEdit->setEnabled(options.title);

  auto* grid = new QGridLayout(group);
  grid->addWidget(deviceCheck, 0, 0);
  grid->addWidget(valuesCheck, 0, 1);
  grid->addWidget(arrowCheck, 1, 0, 1, 2);
  grid->addWidget(titleCheck, 2, 0);
  grid->addWidget(titleEdit, 2, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(group);

  for (QCheckBox* check : {deviceCheck, valuesCheck, arrowCheck}) {
    connect(check, &QCheckBox::toggled, this, &DialogExtra::changed);
  }
  connect(titleCheck, &QCheckBox::toggled, this, [this](bool on) {
    titleEdit->setEnabled(on);
    // Turned on with nothing to say, it starts as the experiment's comment.
    if (on && titleEdit->text().trimmed().isEmpty()) titleEdit->setText(comment_);
    Q_EMIT changed();
  });
  connect(titleEdit, &QLineEdit::textChanged, this, &DialogExtra::changed);
}

PictureOptions PictureOptionsBox::options() const {
  PictureOptions o;
  o.device = deviceCheck->isChecked();
  o.values = valuesCheck->isChecked();
  o.arrow = arrowCheck->isChecked();
  o.title = titleCheck->isChecked();
  o.title_text = titleEdit->text();
  return o;
}

}  // namespace orvinda
