// The sound of the figure: the items of the Опыт menu and their forwards.

#include <QAction>
#include <QMenu>

#include "tools/sound/sound_tool.h"
#include "window/form1.h"

namespace orvinda {

void Form1::createSoundItems() {
  mnuExperimentSound = mnuExperiment->addAction(QStringLiteral("Звук"));
  mnuExperimentSound->setObjectName(QStringLiteral("mnuExperimentSound"));
  mnuExperimentSoundSettings =
      mnuExperiment->addAction(QStringLiteral("Высота и громкость звука…"));
  mnuExperimentSoundSettings->setObjectName(QStringLiteral("mnuExperimentSoundSettings"));
  mnuExperimentSep4 = mnuExperiment->addSeparator();
  mnuExperimentSep4->setObjectName(QStringLiteral("mnuExperimentSep4"));
  // The item's tooltip says why it is off or silent.
  mnuExperiment->setToolTipsVisible(true);
  sound_ = new SoundTool(*feed_, platform_, *mnuExperimentSound, *this);
  // Devices are looked for when the menu first opens, not at start-up.
  connect(mnuExperiment, &QMenu::aboutToShow, sound_, &SoundTool::menuOpening);
  connect(mnuExperimentSaveSound, &QAction::triggered, this,
          [this] { mnuExperimentSaveSound_Click(); });
  connect(mnuExperimentSoundSettings, &QAction::triggered, this,
          [this] { mnuExperimentSoundSettings_Click(); });
}

void Form1::mnuExperimentSaveSound_Click() {
  commitEditing();  // what was typed counts first
  sound_->saveSound();
}

void Form1::mnuExperimentSoundSettings_Click() { sound_->editSettings(); }

}  // namespace orvinda
