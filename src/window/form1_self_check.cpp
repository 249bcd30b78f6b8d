// The menu item "Проверь себя…" and what its window sends to this one.

#include <QLineEdit>

#include "tools/self_check/self_check_explanation.h"
#include "tools/self_check/self_check_window.h"
#include "window/form1.h"

namespace orvinda {

void Form1::mnuExperimentSelfCheck_Click() {
  if (!self_check_) {
    // Without an owner, like the Authors window: either window can be in front.
    self_check_ = new SelfCheckWindow(platform_);
    connect(self_check_, &SelfCheckWindow::showInMainWindow, this,
            [this](const MotionParameters& p) { showSelfCheckFigure(p); });
    connect(this, &Form1::runStarted, self_check_,
            [this] { self_check_->setMainWindowRunning(true); });
    connect(this, &Form1::runEnded, self_check_,
            [this] { self_check_->setMainWindowRunning(running()); });
  }
  self_check_->setMainWindowRunning(running());
  self_check_->show();
  self_check_->raise();
  self_check_->activateWindow();
}

SelfCheckWindow* Form1::selfCheckWindow() const { return self_check_; }

void Form1::showSelfCheckFigure(const MotionParameters& p) {
  if (running()) return;
  // Wx stays 1, as the tasks have it; the other boxes as if typed.
  const QStringList texts = box_texts(p);
  QLineEdit* boxes[] = {Text1, Text2, Text3, Text4, Text5, Text6};
  for (int i : {3, 1, 2, 4, 5}) boxes[i]->setText(texts[i]);
}

}  // namespace orvinda
