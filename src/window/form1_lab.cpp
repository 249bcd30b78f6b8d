// The menu item "Лабораторная работа с осциллографом…": its own bench, apart
// from the run.

#include "tools/lab/lab_window.h"
#include "window/form1.h"

namespace orvinda {

void Form1::mnuExperimentLab_Click() {
  // Without an owner, like the self-check: either window can be in front.
  if (!lab_) lab_ = new LabWindow(platform_);
  lab_->show();
  lab_->raise();
  lab_->activateWindow();
}

LabWindow* Form1::labWindow() const { return lab_; }

}  // namespace orvinda
