#include "tools/sound/sound_settings_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "tools/sound/model/sound_plan.h"
#include "ui/fonts.h"

namespace orvinda {

namespace {

QString volume_text(int percent) { return QStringLiteral("%1 %").arg(percent); }

}  // namespace

SoundSettingsDialog::SoundSettingsDialog(int pitch_hz, int volume_percent, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("SoundSettingsDialog"));
  setWindowTitle(QStringLiteral("Высота и громкость звука"));
  setAccessibleName(windowTitle());
  setFont(serif_font());

  pitchBox = new QComboBox(this);
  pitchBox->setObjectName(QStringLiteral("pitchBox"));
  pitchBox->setAccessibleName(QStringLiteral("Высота звука горизонтального колебания"));
  for (const int hz : kSoundPitches) {
    pitchBox->addItem(QStringLiteral("%1 Гц").arg(hz), hz);
    if (hz == pitch_hz) pitchBox->setCurrentIndex(pitchBox->count() - 1);
  }

  volumeSlider = new QSlider(Qt::Horizontal, this);
  volumeSlider->setObjectName(QStringLiteral("volumeSlider"));
  volumeSlider->setAccessibleName(QStringLiteral("Громкость"));
  volumeSlider->setRange(0, 100);
  volumeSlider->setValue(volume_percent);
  volumeLabel = new QLabel(volume_text(volume_percent), this);
  volumeLabel->setMinimumWidth(volumeLabel->fontMetrics().horizontalAdvance(volume_text(100)));
  connect(volumeSlider, &QSlider::valueChanged, volumeLabel,
          [this](int v) { volumeLabel->setText(volume_text(v)); });

  auto* hint = new QLabel(QStringLiteral("Горизонтальное колебание (ωx) звучит на выбранной "
                                         "частоте,\nвертикальное — в ωy/ωx раз выше."),
                          this);
  hint->setTextFormat(Qt::PlainText);

  auto* volume_row = new QHBoxLayout;
  volume_row->addWidget(volumeSlider, 1);
  volume_row->addWidget(volumeLabel);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Высота ωx:"), pitchBox);
  form->addRow(QStringLiteral("Громкость:"), volume_row);

  okButton = new QPushButton(QStringLiteral("ОК"), this);
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

int SoundSettingsDialog::pitch() const { return pitchBox->currentData().toInt(); }

int SoundSettingsDialog::volume() const { return volumeSlider->value(); }

}  // namespace orvinda
