#pragma once
// The window "Лабораторная работа с осциллографом": an oscilloscope in XY
// mode with a signal of hidden frequency and a generator whose scale errs by
// a hidden amount within its class. The student tunes, counts and reads the
// figure with the measuring layer, fills both tables, checks the work against
// the hidden values and saves a report. Non-modal; one instance.

#include <QDialog>
#include <QImage>
#include <cstdint>
#include <vector>

#include "tools/lab/model/beam.h"
#include "tools/lab/model/lab_state.h"
#include "tools/lab/model/lab_variant.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QTimer;

namespace orvinda {

class LabScreen;
class MeasureOverlay;
class Platform;

class LabWindow : public QDialog {
  Q_OBJECT

 public:
  // Opens with a new variant drawn from the system's entropy.
  explicit LabWindow(Platform& platform, QWidget* parent = nullptr);
  ~LabWindow() override;

  // --- controls -------------------------------------------------------------
  QLineEdit* nameEdit = nullptr;
  QLineEdit* groupEdit = nullptr;
  QLineEdit* variantEdit = nullptr;
  QPushButton* startButton = nullptr;
  QPushButton* newVariantButton = nullptr;
  LabScreen* screen = nullptr;
  MeasureOverlay* overlay = nullptr;
  QCheckBox* measureCheck = nullptr;
  QComboBox* gainXCombo = nullptr;  // В/дел, 1-2-5
  QComboBox* gainYCombo = nullptr;
  QDoubleSpinBox* positionXSpin = nullptr;  // divisions
  QDoubleSpinBox* positionYSpin = nullptr;
  QSpinBox* persistenceSpin = nullptr;  // ms
  QSpinBox* coarseSpin = nullptr;       // Hz
  QDoubleSpinBox* fineSpin = nullptr;   // Hz, in hundredths
  QLabel* dialLabel = nullptr;
  QTabWidget* tasks = nullptr;
  QLineEdit* ngEdit = nullptr;
  QLineEdit* nvEdit = nullptr;
  QPushButton* recordFrequencyButton = nullptr;
  QLabel* frequencyMessage = nullptr;
  QTableWidget* frequencyTable = nullptr;
  QLabel* frequencyResult = nullptr;
  QLineEdit* bEdit = nullptr;
  QLineEdit* aEdit = nullptr;
  QComboBox* tiltCombo = nullptr;
  QPushButton* recordPhaseButton = nullptr;
  QLabel* phaseMessage = nullptr;
  QTableWidget* phaseTable = nullptr;
  QLabel* phaseResult = nullptr;
  QPushButton* checkButton = nullptr;
  QLabel* verdictLabel = nullptr;
  QPushButton* saveReportButton = nullptr;
  QPushButton* saveWorkButton = nullptr;
  QPushButton* openWorkButton = nullptr;

  // --- state ----------------------------------------------------------------
  int variantCode() const { return variant_.code; }
  double dialHz() const;
  LabState state() const;
  bool revealed() const { return !checks_.empty(); }
  const Beam& beam() const { return beam_; }
  // Every beam point of the last frame, seconds after the frame began.
  const std::vector<BeamPoint>& lastStretch() const { return stretch_; }

  // A variant from its first step: tables and checks go.
  void startVariant(int code);
  // One frame of the screen at the platform clock's time.
  void advanceFrame();
  // Set the dial as the two knobs would.
  void setDial(double hz);

 public Q_SLOTS:
  void recordFrequency();
  void recordPhase();
  void checkWork();
  void saveReport();
  void saveWork();
  void openWork();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QWidget* createScreenPanel();
  QWidget* createFrequencyTask();
  QWidget* createPhaseTask();
  void startTyped();
  void startNew();
  void routeSignals();
  void refreshDial();
  void refreshTables();
  void refreshVerdict();
  bool mayDropWork();
  QImage takeSnapshot() const;
  double gain(const QComboBox* combo) const;

  Platform& platform_;
  LabVariant variant_;
  Beam beam_;
  std::vector<BeamPoint> stretch_;
  QTimer* frames_ = nullptr;
  std::int64_t last_ns_ = 0;

  std::vector<FrequencyRow> frequency_rows_;
  std::vector<QImage> frequency_snapshots_;
  std::vector<ChordRow> chord_rows_;
  std::vector<QImage> chord_snapshots_;
  std::vector<CheckRecord> checks_;
  QStringList mistakes_;  // of the latest check
};

}  // namespace orvinda
