#include "tools/sound/sound_length_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "tools/sound/model/wav_file.h"
#include "ui/fonts.h"

namespace orvinda {

SoundLengthDialog::SoundLengthDialog(int seconds, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SoundLengthDialog"));
  setWindowTitle(QStringLiteral("Сохранить звук"));
  setAccessibleName(windowTitle());
  setFont(serif_font());

  auto* hint =
      new QLabel(QStringLiteral("Стерео WAV, 48 кГц, 16 бит: слева x(t), справа y(t)."), this);
  hint->setTextFormat(Qt::PlainText);
  secondsBox = new QSpinBox(this);
  secondsBox->setObjectName(QStringLiteral("secondsBox"));
  secondsBox->setAccessibleName(QStringLiteral("Длительность звука, с"));
  secondsBox->setRange(kShortestSoundSeconds, kLongestSoundSeconds);
  secondsBox->setSuffix(QStringLiteral(" с"));
  secondsBox->setValue(seconds);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Длительность:"), secondsBox);

  okButton = new QPushButton(QStringLiteral("Сохранить…"), this);
  okButton->setObjectName(QStringLiteral("okButton"));
  okButton->setDefault(true);
  cancelButton = new QPushButton(QStringLiteral("Отмена"), this);
  cancelButton->setObjectName(QStringLiteral("cancelButton"));
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addLayout(form);
  layout->addLayout(buttons);
}

int SoundLengthDialog::seconds() const { return secondsBox->value(); }

}  // namespace orvinda
