// Measuring on the plot: the item turns the layer over the plot on and off,
// and the layer follows the trace as runs and redraws change it.

#include <QAction>

#include "feed/run_feed.h"
#include "plot/drawing_list.h"
#include "plot/plot_surface.h"
#include "tools/measure/measure_overlay.h"
#include "tools/measure/model/drawn_figure.h"
#include "window/form1.h"

namespace orvinda {

void Form1::mnuExperimentMeasure_Click() {
  commitEditing();  // what was typed counts first
  const bool on = mnuExperimentMeasure->isChecked();
  if (on && !measure_) {
    // Made on first use: until then the plot is exactly as it always was.
    measure_ = new MeasureOverlay(Picture1);
    // A trace on the plot is always the last run's, of the parameters as they
    // stand: editing them redraws the plot without it.
    measure_->setFigureSource([this] {
      if (Picture1->drawing().traces().empty()) return DrawnFigure();
      return DrawnFigure(motionParameters(), wywx, lastRunTime());
    });
    connect(feed_, &RunFeed::stepTaken, measure_, &MeasureOverlay::traceGrew);
    connect(feed_, &RunFeed::runEnded, measure_, &MeasureOverlay::traceChanged);
    connect(feed_, &RunFeed::redrawn, measure_, &MeasureOverlay::traceChanged);
  }
  if (measure_) measure_->setActive(on);
}

}  // namespace orvinda
