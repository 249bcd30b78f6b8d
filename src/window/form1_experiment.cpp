// The Опыт items that set parameters: the classic examples, the dialog of
// amplitudes and phases, and experiment files. Whatever they set goes into
// the boxes through the boxes' own handlers, as typing would.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "feed/run_feed.h"
#include "model/numbers.h"
#include "platform/platform.h"
#include "tools/experiment/amplitudes_dialog.h"
#include "tools/experiment/description_window.h"
#include "tools/experiment/experiment_files.h"
#include "tools/experiment/model/examples.h"
#include "tools/experiment/model/experiment.h"
#include "window/form1.h"

namespace orvinda {

void Form1::createExperimentItems() {
  mnuExperimentExamples = mnuExperiment->addMenu(QStringLiteral("Примеры"));
  mnuExperimentExamples->setObjectName(QStringLiteral("mnuExperimentExamples"));
  mnuExperimentExamples->menuAction()->setObjectName(QStringLiteral("mnuExperimentExamples"));
  const std::span<const Example> examples = classic_examples();
  for (std::size_t i = 0; i < examples.size(); ++i) {
    QAction* item = mnuExperimentExamples->addAction(QString::fromStdString(examples[i].label));
    item->setObjectName(QStringLiteral("mnuExperimentExample%1").arg(i + 1));
    connect(item, &QAction::triggered, this,
            [this, i] { mnuExperimentExample_Click(static_cast<int>(i)); });
  }
  mnuExperimentAmplitudes = mnuExperiment->addAction(QStringLiteral("Амплитуды и фазы…"));
  mnuExperimentAmplitudes->setObjectName(QStringLiteral("mnuExperimentAmplitudes"));
  mnuExperiment->addSeparator()->setObjectName(QStringLiteral("mnuExperimentSep1"));
  mnuExperimentOpen = mnuExperiment->addAction(QStringLiteral("Открыть опыт…"));
  mnuExperimentOpen->setObjectName(QStringLiteral("mnuExperimentOpen"));
  mnuExperimentOpen->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
  mnuExperimentSave = mnuExperiment->addAction(QStringLiteral("Сохранить опыт…"));
  mnuExperimentSave->setObjectName(QStringLiteral("mnuExperimentSave"));
  mnuExperimentSave->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
  mnuExperimentDescription = mnuExperiment->addAction(QStringLiteral("Описание опыта…"));
  mnuExperimentDescription->setObjectName(QStringLiteral("mnuExperimentDescription"));
  mnuExperiment->addSeparator()->setObjectName(QStringLiteral("mnuExperimentSep2"));

  connect(mnuExperimentAmplitudes, &QAction::triggered, this,
          [this] { mnuExperimentAmplitudes_Click(); });
  connect(mnuExperimentOpen, &QAction::triggered, this, [this] { mnuExperimentOpen_Click(); });
  connect(mnuExperimentSave, &QAction::triggered, this, [this] { mnuExperimentSave_Click(); });
  connect(mnuExperimentDescription, &QAction::triggered, this,
          [this] { mnuExperimentDescription_Click(); });
  connect(this, &Form1::runStarted, this, [this] { enableExperimentItems(); });
  connect(this, &Form1::runEnded, this, [this] { enableExperimentItems(); });
  connect(feed_, &RunFeed::parametersRequested, this, [this](const MotionParameters& p) {
    commitEditing();  // what was typed counts first
    if (!running()) writeParameters(p);
  });
  experiment_files_ = std::make_unique<ExperimentFiles>(platform_);
}

void Form1::enableExperimentItems() {
  // Saving only reads the parameters, so it stays.
  const bool idle = !running();
  mnuExperimentExamples->menuAction()->setEnabled(idle);
  mnuExperimentAmplitudes->setEnabled(idle);
  mnuExperimentOpen->setEnabled(idle);
}

void Form1::writeParameters(const MotionParameters& p) {
  // Each box gets its whole new text at once, so its handler sees only the
  // final value: Text4 never holds an intermediate 0 that the frequency
  // check would refuse. A box whose text stays raises nothing. Text1 is
  // never written: wx is always 1.
  setBoxText(Text2, QString::fromStdString(format_signed_number(p.x0)));
  setBoxText(Text3, QString::fromStdString(format_signed_number(p.vx0)));
  setBoxText(Text4, QString::fromStdString(format_signed_number(p.wy)));
  setBoxText(Text5, QString::fromStdString(format_signed_number(p.y0)));
  setBoxText(Text6, QString::fromStdString(format_signed_number(p.vy0)));
  // Nobody typed there: a long number shows from its start, not its end.
  for (QLineEdit* box : {Text2, Text3, Text4, Text5, Text6}) box->setCursorPosition(0);
}

void Form1::mnuExperimentExample_Click(int index) {
  commitEditing();  // what was typed counts first
  const std::span<const Example> examples = classic_examples();
  if (running() || index < 0 || static_cast<std::size_t>(index) >= examples.size()) return;
  writeParameters(examples[index].parameters);
}

void Form1::mnuExperimentAmplitudes_Click() {
  commitEditing();  // what was typed counts first
  if (running()) return;
  AmplitudesDialog dialog(motionParameters(), this);
  if (!platform_.run_dialog(dialog) || !dialog.parameters()) return;
  // A run cannot have started meanwhile: the dialog is modal.
  writeParameters(*dialog.parameters());
}

void Form1::mnuExperimentOpen_Click() {
  commitEditing();  // what was typed counts first
  if (running()) return;
  const QString path = experiment_files_->askOpenPath(this);
  if (!path.isEmpty()) openExperiment(path);
}

bool Form1::openExperiment(const QString& path) {
  if (running()) return false;
  const std::optional<Experiment> e = experiment_files_->open(this, path);
  if (!e) return false;
  writeParameters(experiment_parameters(*e));
  HScroll1->setValue(experiment_zam(*e));
  // A file that says something shows it; an open panel follows every file.
  if (description_) description_->reload();
  if (!e->comment.empty()) mnuExperimentDescription_Click();
  return true;
}

DescriptionWindow* Form1::descriptionWindow() const { return description_; }

void Form1::mnuExperimentDescription_Click() {
  if (!description_) {
    description_ = new DescriptionWindow(*experiment_files_, this);
    // Beside the main window rather than over its plot, where the screen has room.
    const QRect frame = frameGeometry();
    QPoint at(frame.right() + 1, frame.top());
    if (const QScreen* shown_on = screen()) {
      const QRect room = shown_on->availableGeometry();
      if (at.x() + description_->width() > room.right()) {
        at.setX(std::max(room.left(), frame.left() - description_->width()));
      }
    }
    description_->move(at);
  }
  description_->setTextScale(view_factor_);
  description_->reload();
  description_->show();
  description_->raise();
}

void Form1::mnuExperimentSave_Click() {
  commitEditing();  // what was typed counts first
  experiment_files_->save(this, motionParameters(), zam);
}

}  // namespace orvinda
