#include "tools/shared/experiment_picture.h"

#include "model/figure_period.h"
#include "model/run_stepper.h"
#include "plot/axes_scene.h"
#include "plot/device.h"
#include "plot/picture_sheet.h"
#include "plot/plot_range.h"
#include "plot/plot_surface.h"
#include "tools/shared/start_marks.h"
#include "ui/characteristics_text.h"
#include "ui/fonts.h"
#include "ui/plot_look.h"

namespace orvinda {

int default_turns(const MotionParameters& p) {
  const Characteristics c = compute_characteristics(p, 0, false);
  return turns_to_close(c.wywx).value_or(20);
}

ExperimentPicture::ExperimentPicture(const MotionParameters& p, double turns)
    : parameters_(p), characteristics_(compute_characteristics(p, 0, false)),
      surface_(std::make_unique<PlotSurface>()) {
  style_plot_surface(surface_.get());
  surface_->resize(kPlotSide, kPlotSide);
  device_ = std::make_unique<Device>(surface_.get());

  // As the window's redraw: range, scale, scene.
  const PlotRange r = plot_range(characteristics_.ax, characteristics_.ay);
  surface_->Cls();
  surface_->Scale(r.xmin, r.ymax, r.xmax, r.ymin);
  draw_axes(*surface_, scene_input(r, p, decimal_separator()), device_.get());

  // As the run: the same stepping, segment and device move.
  if (turns <= 0) turns = default_turns(p);
  steps_ = steps_for_turns(characteristics_.dt, turns);
  RunStepper stepper(p, characteristics_.wywx, characteristics_.dt);
  const QColor red = bgr_color(kTraceColor);
  const PlotSurface::Batch batch(*surface_);
  for (long long i = 0; i < steps_; ++i) {
    const RunStep step = stepper.next();
    surface_->LineTo(step.segment_x, step.segment_y, red);
    if (step.move_device) device_->move(step.x, step.y, r.xmin, r.ymax);
  }
}

ExperimentPicture::~ExperimentPicture() = default;

std::unique_ptr<PictureSheet> ExperimentPicture::sheet(const PictureOptions& options) const {
  SheetText text;
  if (options.values) {
    text.left_heading = QStringLiteral("Параметры задачи");
    text.left = parameter_texts(parameters_);
    text.right_heading = QStringLiteral("Характеристики");
    for (const QString& line : characteristics_texts(characteristics_)) text.right << line;
  }
  if (options.title) text.title = options.title_text.simplified();
  return std::make_unique<PictureSheet>(
      *surface_, options.device ? device_.get() : nullptr, text, serif_font(),
      options.arrow ? start_marks(*surface_, parameters_) : DrawingList());
}

}  // namespace orvinda
