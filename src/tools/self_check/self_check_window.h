#pragma once
// The window "Проверь себя": the ten figures of a variant to read, each
// graded and then explained on the figure itself, and at the end the score
// with every answer given and the right one, which can be saved as a PDF.
// Non-modal: the main window stays usable, and "Показать в главном окне"
// sends it the values of the figure shown.

#include <QDialog>
#include <QList>
#include <optional>
#include <vector>

#include "model/characteristics.h"
#include "tools/self_check/model/self_check_answer.h"
#include "tools/self_check/model/self_check_task.h"

class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableWidget;

namespace orvinda {

class Platform;
class PlotSurface;

class SelfCheckWindow : public QDialog {
  Q_OBJECT

 public:
  // Opens with a new variant drawn from the system's entropy.
  explicit SelfCheckWindow(Platform& platform, QWidget* parent = nullptr);
  ~SelfCheckWindow() override;

  // --- controls -------------------------------------------------------------
  QLineEdit* variantEdit = nullptr;  // the code; Enter starts it
  QPushButton* startButton = nullptr;
  QPushButton* newVariantButton = nullptr;
  // Who answers: kept while the program runs, through every new variant,
  // and printed on the result.
  QLineEdit* studentEdit = nullptr;
  QLineEdit* classEdit = nullptr;
  QLabel* taskLabel = nullptr;  // "Задание 3 из 10", "Итог"
  PlotSurface* figure = nullptr;
  QStackedWidget* pages = nullptr;  // the answer page, then the result page
  QGroupBox* ratioBox = nullptr;
  QGroupBox* phaseBox = nullptr;
  QGroupBox* thirdBox = nullptr;
  QList<QRadioButton*> ratioButtons;  // in the order of answer_ratios()
  QList<QRadioButton*> phaseButtons;  // 0, π/4, π/2, 3π/4, π
  QList<QRadioButton*> thirdButtons;  // third_choices() of the ratio chosen
  QPushButton* checkButton = nullptr;
  QPushButton* nextButton = nullptr;
  QLabel* scoreLabel = nullptr;
  QTableWidget* resultTable = nullptr;
  QPushButton* savePdfButton = nullptr;
  QLabel* explanationLabel = nullptr;
  QPushButton* showInMainButton = nullptr;

  // --- state ----------------------------------------------------------------
  int variantCode() const { return code_; }
  const std::vector<Task>& tasks() const { return tasks_; }
  // The task being answered, 0 ... 9; the number of tasks once the result shows.
  int taskIndex() const { return index_; }
  bool showingResult() const;
  // answers()[i] is the graded answer to tasks()[i].
  const std::vector<std::optional<Answer>>& answers() const { return answers_; }
  // The task whose figure is shown.
  int shownTask() const { return shown_; }
  // What the choices say; none while a group has no choice.
  std::optional<Answer> chosenAnswer() const;

  // The series of a code from its first task; what was answered is dropped.
  void startVariant(int code);

 public Q_SLOTS:
  // "Показать в главном окне" waits while a run goes on there.
  void setMainWindowRunning(bool running);

 Q_SIGNALS:
  // The shown task's values, for the main window's boxes.
  void showInMainWindow(const orvinda::MotionParameters& parameters);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  QWidget* createAnswerPage();
  QWidget* createResultPage();
  void startTyped();
  void startNew();
  bool mayDropAnswers(int code);
  void showTask(int index);
  void clearChoices();
  void ratioChosen();
  void rebuildThirdChoices();
  void updateCheckButton();
  void check();
  void next();
  void showResult();
  void reviewTask(int index);
  void redrawFigure();
  void showExplanation();
  void updateShowInMain();
  void sendToMainWindow();
  void savePdf();

  Platform& platform_;
  QButtonGroup* ratio_group_ = nullptr;
  QButtonGroup* phase_group_ = nullptr;
  QButtonGroup* third_group_ = nullptr;
  QGridLayout* third_layout_ = nullptr;
  QLabel* third_note_ = nullptr;
  std::vector<ThirdChoice> third_values_;  // of thirdButtons, in order
  int third_kind_ = -1;                    // built for: 0 no ratio yet, 1 another ratio, 2 1 : 1

  int code_ = 0;
  std::vector<Task> tasks_;
  std::vector<std::optional<Answer>> answers_;
  int index_ = 0;
  int shown_ = 0;
  bool main_running_ = false;
  bool saved_ = false;  // the result is in a file
};

}  // namespace orvinda
