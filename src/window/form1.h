#pragma once
// The main window: its controls, its window-level variables and its
// procedures. Controls are public, by name, as the rest of the program and
// the tests address them.

#include <QElapsedTimer>
#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/characteristics.h"
#include "model/run_stepper.h"
#include "tools/experiment/experiment_file.h"
#include "tools/shared/picture_options.h"
#include "window/form2.h"
#include "window/layout_geometry.h"

class QAction;
class QEventLoop;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;

namespace orvinda {

class DescriptionWindow;
class Device;
class ExperimentFiles;
class MeasureOverlay;
class DevicePiece;
class PictureSheet;
class Platform;
class PlotSurface;
class RunFeed;
class LabWindow;
class SelfCheckWindow;
class SoundTool;
class TimeView;

class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(Platform& platform, QWidget* parent = nullptr);
  ~Form1() override;

  // --- controls -----------------------------------------------------------
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label13 = nullptr;
  QLabel* Label14 = nullptr;
  QLabel* Label15 = nullptr;
  QLabel* Label16 = nullptr;
  QLabel* Label17 = nullptr;
  QLabel* Label18 = nullptr;
  QLabel* Label21 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QLineEdit* Text4 = nullptr;
  QLineEdit* Text5 = nullptr;
  QLineEdit* Text6 = nullptr;
  QPushButton* CmdOK = nullptr;
  QScrollBar* HScroll1 = nullptr;
  PlotSurface* Picture1 = nullptr;
  DevicePiece* Shape1 = nullptr;  // ball
  DevicePiece* Shape2 = nullptr;  // block
  DevicePiece* Image1 = nullptr;  // horizontal spring
  DevicePiece* Image2 = nullptr;  // vertical spring
  DevicePiece* Image3 = nullptr;  // bar
  QTimer* Timer1 = nullptr;

  QMenu* mnuFile = nullptr;
  QAction* mnuFilespravka = nullptr;
  QAction* mnuFilespravka2 = nullptr;
  QAction* mnuFilesHistory1 = nullptr;
  QMenu* mnuExperiment = nullptr;  // "&Опыт"
  QAction* mnuExperimentSavePicture = nullptr;
  QAction* mnuExperimentPrint = nullptr;
  QAction* mnuExperimentWorksheet = nullptr;  // "Лист заданий…"
  QAction* mnuExperimentSep3 = nullptr;
  // The time view ("Развёртка колебаний").
  QAction* mnuExperimentTimeView = nullptr;
  // Self-check
  QAction* mnuExperimentSelfCheck = nullptr;
  QAction* mnuExperimentLab = nullptr;
  QAction* mnuExperimentMeasure = nullptr;  // checkable
  // The projector view (both checkable, remembered): on, and 2 instead of 1.5.
  QAction* mnuExperimentProjector = nullptr;        // "Крупно (для проектора)"
  QAction* mnuExperimentProjectorDouble = nullptr;  // "Крупно: в 2 раза"
  QAction* mnuExperimentSaveSound = nullptr;
  QAction* mnuExperimentSound = nullptr;  // checkable; its tool keeps its state
  QAction* mnuExperimentSoundSettings = nullptr;
  QAction* mnuExperimentSep4 = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuHelpInstruction = nullptr;
  QAction* mnuHelpUprav = nullptr;
  QAction* mnuHelpSep1 = nullptr;
  QAction* mnuHelpAvtors = nullptr;
  QAction* mnuHelpAbout = nullptr;

  // --- window-level variables ----------------------------------------------
  double wx = 0, x0 = 0, vx0 = 0, wy = 0, y0 = 0;
  float vy0 = 0;
  std::int16_t zam = 0;
  double ax = 0, ay = 0, fix = 0, fiy = 0, ayax = 0, dj = 0;
  bool ayax_defined = false;
  float wywx = 0;
  std::int16_t np = 0;
  float dt = 0;
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  double mx = 0, my = 0;
  double nx = 0, dx = 0, ny = 0;  // grid counts need not fit 16 bits
  float dy = 0;
  int Timer1Interval = 1;  // ms; Timer1 is "enabled" only inside Wait

  // --- procedures and handlers ---------------------------------------------
  void Form_Load();
  void Form_Resize();
  void layout();
  void parametr();
  void minmax();
  void axes();
  void raschet();
  void Wait(double delay);
  void tone(double n);

  void CmdOK_Click();
  void HScroll1_Change();
  void Timer1_Timer();

  void Text1_Change();
  void Text2_Change();
  void Text3_Change();
  void Text4_Change();
  void Text5_Change();
  void Text6_Change();

  void mnuFilespravka_Click();
  void mnuFilespravka2_Click();
  void mnuFilesHistory1_Click();
  void mnuHelpInstruction_Click();
  void mnuHelpUprav_Click();
  void mnuHelpAvtors_Click();
  void mnuHelpAbout_Click();
  void mnuExperimentSavePicture_Click();
  void mnuExperimentPrint_Click();
  void mnuExperimentWorksheet_Click();
  void mnuExperimentTimeView_Click();
  // Self-check: opens the one window "Проверь себя".
  void mnuExperimentSelfCheck_Click();
  SelfCheckWindow* selfCheckWindow() const;  // while it exists
  // The oscilloscope lab: opens its one window.
  void mnuExperimentLab_Click();
  LabWindow* labWindow() const;  // while it exists
  void mnuExperimentMeasure_Click();
  void mnuExperimentProjector_Click();

  // --- the projector view ----------------------------------------------------
  static constexpr double kViewFactor = 1.5;
  static constexpr double kDoubleViewFactor = 2;
  // The factor the window is drawn with: 1 while the view is off, else the
  // one asked for, as far as the screen has room for it.
  double viewFactor() const { return view_factor_; }
  // Draws the window with this factor at once (1 or more), screen or not.
  void setViewFactor(double factor);
  // The factor the items ask for, fitted to the screen.
  void applyProjectorView();
  void mnuExperimentSaveSound_Click();
  void mnuExperimentSoundSettings_Click();
  SoundTool& soundTool() const { return *sound_; }

  // --- measuring on the plot (the layer exists once the item was first on) --
  MeasureOverlay* measureOverlay() const { return measure_; }

  // Where the menus look for their documents, in order.
  void setDocumentFolders(const QStringList& folders) { document_folders_ = folders; }

  // The five pieces of the device together (Shape1, Shape2, Image1 ... Image3).
  Device& device() const { return *device_; }

  // The plot as it stands, by default with the device and the parameters
  // and characteristics below it, for files and paper.
  std::unique_ptr<PictureSheet> pictureSheet(const PictureOptions& options = {}) const;
  // The open experiment's comment, empty when none was opened.
  QString experimentComment() const;

  // Asks whether to close; true cancels the closing.
  bool Form_Unload();

  // --- typing into the parameter boxes --------------------------------------
  // A box the user has typed into since its last commit: its value is
  // applied at once, but its text stays as typed until the commit.
  bool beingEdited(const QLineEdit* box) const;
  // Writes the box being edited in its normal form (and refuses a frequency
  // of 0 or less): Enter, Tab and a click elsewhere in the window do it, and
  // so do ПУСК, the Опыт items and closing before they act.
  void commitEditing();
  // What the tools read of the window: its parameters, characteristics and
  // run, with the same signals as below.
  RunFeed& feed() const { return *feed_; }

  // The Authors window while it is open.
  Form2* authorsWindow() const { return form2_; }
  // The time view while it is open.
  TimeView* timeViewWindow() const;
  // wx, x0, vx0, wy, y0, vy0 as one value.
  MotionParameters motionParameters() const { return {wx, x0, vx0, wy, y0, vy0}; }
  // How many full redraws have run (for checks).
  int redrawCount() const { return redraws_; }
  // How many run steps have been taken since start-up (for checks).
  long long runSteps() const { return run_steps_; }
  // The latest step of the run going on (or the last one), and its time t,
  // the float running sum of dt, in radians of horizontal phase.
  const RunStep& lastRunStep() const { return last_step_; }
  float lastRunTime() const { return last_time_; }
  bool running() const { return runs_ > 0; }
  // True once the user confirmed closing; nothing runs after it.
  bool programEnded() const { return program_ended_; }

  // --- Опыт: examples, amplitudes and phases, experiment files ------------
  // They set parameters only by writing the boxes, as typing does; all but
  // Сохранить опыт are disabled while a run goes on.
  QMenu* mnuExperimentExamples = nullptr;  // "Примеры", one item per classic example
  QAction* mnuExperimentAmplitudes = nullptr;
  QAction* mnuExperimentOpen = nullptr;
  QAction* mnuExperimentSave = nullptr;
  QAction* mnuExperimentDescription = nullptr;  // "Описание опыта…"
  void mnuExperimentExample_Click(int index);
  void mnuExperimentAmplitudes_Click();
  void mnuExperimentOpen_Click();
  void mnuExperimentSave_Click();
  // Shows the panel "Описание опыта" with the experiment's comment.
  void mnuExperimentDescription_Click();
  DescriptionWindow* descriptionWindow() const;  // once shown
  // Checks the whole file before anything changes; a refused file leaves
  // the window as it was and says why in a box. True when opened.
  bool openExperiment(const QString& path);

  static const QString kIdleCaption;
  static const QString kRunningCaption;

 Q_SIGNALS:
  // A run begins: its first step comes next, from t = 0.
  void runStarted();
  // After each step of a run has drawn its segment, before its pause;
  // lastRunStep() and lastRunTime() tell where the point is.
  void stepTaken();
  // The run loop has seen the stop, before its end tone.
  void runEnded();
  // After every full redraw (resize, parameter change, start of a run).
  void redrawn();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  void createMenus();
  void createDevice();
  void applyTabOrder();
  void textChange(int box);
  void applyBoxText(int box);
  void applyTypedText(int box);
  void commitBox(int box);
  void undoBox(int box);
  void showFrequencyInvalid(int box, bool invalid);
  bool boxEvent(int box, QEvent* event);
  int boxNumber(const QObject* object) const;
  QLineEdit* parameterBox(int box) const;
  // Stores a box's value in its variable (Voy rounded to single); returns it as stored.
  double storeParameter(int box, double value);
  void setBoxText(QLineEdit* box, const QString& text);
  void redrawForResize();
  void lockSize(bool locked);
  void resizeBackIfForced();
  void openDocument(const QString& file_name);

  // Опыт: examples, amplitudes and phases, experiment files.
  void createExperimentItems();
  void createProjectorItems();
  void enableProjectorItems();
  double wantedViewFactor() const;
  ClientSize roomOnScreen() const;
  double view_factor_ = 1;
  std::vector<std::pair<QPointer<QWidget>, QFont>> base_fonts_;  // as designed
  void enableExperimentItems();
  void writeParameters(const MotionParameters& p);
  std::unique_ptr<ExperimentFiles> experiment_files_;

  Platform& platform_;
  RunFeed* feed_ = nullptr;
  QWidget* client_ = nullptr;
  std::unique_ptr<Device> device_;
  QPointer<Form2> form2_;
  QPointer<SelfCheckWindow> self_check_;
  QPointer<LabWindow> lab_;
  QPointer<TimeView> time_view_;
  QPointer<DescriptionWindow> description_;
  QStringList document_folders_;
  std::vector<QEventLoop*> waits_;
  int redraws_ = 0;
  long long run_steps_ = 0;
  RunStep last_step_;
  float last_time_ = 0;
  int runs_ = 0;  // run loops on the stack
  bool program_ended_ = false;
  QElapsedTimer pause_clock_;
  qint64 pause_due_ns_ = 0;
  long long edits_ = 0;           // parameter box changes handled
  int rejections_ = 0;            // a rejected frequency's tone or box is open
  bool redraw_waiting_ = false;   // a resize came meanwhile
  bool resize_back_due_ = false;  // a resize forced during a run, answered at the next step
  bool size_locked_ = false;
  QSize locked_size_, unlocked_min_, unlocked_max_;
  Qt::WindowFlags unlocked_flags_;
  Qt::WindowStates locked_state_;  // maximised or full screen, held during a run
  MeasureOverlay* measure_ = nullptr;
  void createSoundItems();
  SoundTool* sound_ = nullptr;

  struct BoxEditing {
    bool typed = false;    // the change being handled came from the keyboard
    bool editing = false;  // typed into since the last commit
    bool invalid = false;  // a frequency of 0 or less is typed
    QString committed;     // normal form of the last committed text
    QString before;        // and of the one before it, for undo
  };
  BoxEditing box_editing_[7];
};

}  // namespace orvinda
