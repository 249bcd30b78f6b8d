// The menu item "Проверь себя…": the window follows the run and asks for its
// figures through the feed.

#include "feed/run_feed.h"
#include "tools/self_check/self_check_window.h"
#include "window/form1.h"

namespace orvinda {

void Form1::mnuExperimentSelfCheck_Click() {
  commitEditing();  // what was typed counts first
  if (!self_check_) {
    // Without an owner, like the Authors window: either window can be in front.
    self_check_ = new SelfCheckWindow(platform_);
    connect(self_check_, &SelfCheckWindow::showInMainWindow, feed_, &RunFeed::requestParameters);
    connect(feed_, &RunFeed::runStarted, self_check_,
            [this] { self_check_->setMainWindowRunning(true); });
    connect(feed_, &RunFeed::runEnded, self_check_,
            [this] { self_check_->setMainWindowRunning(feed_->running()); });
  }
  self_check_->setMainWindowRunning(running());
  self_check_->show();
  self_check_->raise();
  self_check_->activateWindow();
}

SelfCheckWindow* Form1::selfCheckWindow() const { return self_check_; }

}  // namespace orvinda
