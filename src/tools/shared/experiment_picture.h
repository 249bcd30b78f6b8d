#pragma once
// The picture of an experiment made without a window: the static scene for
// the parameters on a plot the size the window opens with, then the trace of
// a number of turns of x by the run's own stepping, the device where the run
// leaves it.

#include <memory>

#include "model/characteristics.h"
#include "tools/shared/picture_options.h"

namespace orvinda {

class Device;
class PictureSheet;
class PlotSurface;

class ExperimentPicture {
 public:
  // turns <= 0: until the figure closes (at most 20 turns of x).
  ExperimentPicture(const MotionParameters& p, double turns);
  ~ExperimentPicture();

  // By default with the device and, below, the parameters and
  // characteristics, as the window prints them.
  std::unique_ptr<PictureSheet> sheet(const PictureOptions& options = {}) const;
  const PlotSurface& surface() const { return *surface_; }
  long long steps() const { return steps_; }

  static constexpr int kPlotSide = 485;  // the window's plot as it opens

 private:
  MotionParameters parameters_;
  Characteristics characteristics_;
  std::unique_ptr<PlotSurface> surface_;
  std::unique_ptr<Device> device_;
  long long steps_ = 0;
};

// The default length of an exported run: the turns of x after which the
// figure closes, or 20 when it does not close that soon.
int default_turns(const MotionParameters& p);

}  // namespace orvinda
