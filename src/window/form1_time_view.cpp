// The time view: x(t), y(t) and the rotating vectors in a window of their own.

#include "feed/run_feed.h"
#include "tools/time_view/time_view.h"
#include "window/form1.h"

namespace orvinda {

TimeView* Form1::timeViewWindow() const { return time_view_; }

void Form1::mnuExperimentTimeView_Click() {
  commitEditing();  // what was typed counts first
  const bool first = !time_view_;
  if (first) time_view_ = new TimeView(*feed_);
  if (first) time_view_->placeBeside(*this);
  time_view_->show();
  time_view_->raise();
  time_view_->activateWindow();
}

}  // namespace orvinda
