#pragma once
// "Высота и громкость звука": the pitch that ωx sounds at and the volume.
// It changes nothing itself; the tool reads the choice after ОК.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace orvinda {

class SoundSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  SoundSettingsDialog(int pitch_hz, int volume_percent, QWidget* parent = nullptr);

  int pitch() const;
  int volume() const;

  QComboBox* pitchBox = nullptr;
  QSlider* volumeSlider = nullptr;
  QLabel* volumeLabel = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;
};

}  // namespace orvinda
