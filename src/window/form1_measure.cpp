// Measuring on the plot: the item turns the layer over the plot on and off,
// and the layer follows the trace as runs and redraws change it.

#include <QAction>

#include "feed/run_feed.h"
#include "plot/plot_surface.h"
#include "tools/measure/measure_overlay.h"
#include "window/form1.h"

namespace orvinda {

void Form1::mnuExperimentMeasure_Click() {
  const bool on = mnuExperimentMeasure->isChecked();
  if (on && !measure_) {
    // Made on first use: until then the plot is exactly as it always was.
    measure_ = new MeasureOverlay(Picture1);
    connect(feed_, &RunFeed::stepTaken, measure_, &MeasureOverlay::traceGrew);
    connect(feed_, &RunFeed::runEnded, measure_, &MeasureOverlay::traceChanged);
    connect(feed_, &RunFeed::redrawn, measure_, &MeasureOverlay::traceChanged);
  }
  if (measure_) measure_->setActive(on);
}

}  // namespace orvinda
