#include "tools/experiment/description_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "tools/experiment/experiment_files.h"
#include "ui/app_setup.h"
#include "ui/fonts.h"

namespace orvinda {

DescriptionWindow::DescriptionWindow(ExperimentFiles& files, QWidget* parent)
    : QDialog(parent), files_(files) {
  setObjectName(QStringLiteral("DescriptionWindow"));
  setWindowTitle(QStringLiteral("Описание опыта"));
  setWindowIcon(program_icon());
  setModal(false);

  auto* caption = new QLabel(QStringLiteral("&Описание (сохраняется вместе с опытом):"), this);
  descriptionEdit = new QPlainTextEdit(this);
  descriptionEdit->setObjectName(QStringLiteral("descriptionEdit"));
  descriptionEdit->setAccessibleName(QStringLiteral("Описание опыта"));
  descriptionEdit->setAccessibleDescription(
      QStringLiteral("Текст, который сохраняется в файле опыта вместе с его значениями"));
  descriptionEdit->setTabChangesFocus(true);
  QFont font = serif_font();
  font.setPointSizeF(font.pointSizeF() * 1.1);
  descriptionEdit->setFont(font);
  base_font_ = font;
  caption->setBuddy(descriptionEdit);
  connect(descriptionEdit, &QPlainTextEdit::textChanged, this, [this] {
    if (!loading_) files_.setComment(descriptionEdit->toPlainText().toStdString());
  });

  closeButton = new QPushButton(QStringLiteral("Закрыть"), this);
  closeButton->setObjectName(QStringLiteral("closeButton"));
  closeButton->setAccessibleName(QStringLiteral("Закрыть описание"));
  closeButton->setAutoDefault(false);
  connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(closeButton);
  auto* all = new QVBoxLayout(this);
  all->addWidget(caption);
  all->addWidget(descriptionEdit, 1);
  all->addLayout(buttons);
  resize(420, 260);
  reload();
}

void DescriptionWindow::setTextScale(double factor) {
  QFont font = base_font_;
  font.setPointSizeF(base_font_.pointSizeF() * (factor > 0 ? factor : 1));
  descriptionEdit->setFont(font);
}

void DescriptionWindow::reload() {
  const QString text = QString::fromStdString(files_.comment());
  if (descriptionEdit->toPlainText() == text) return;
  loading_ = true;
  descriptionEdit->setPlainText(text);
  loading_ = false;
}

}  // namespace orvinda
