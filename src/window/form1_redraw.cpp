// The full redraw: placement of the controls, the characteristics, the plot
// range and the static scene.

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>

#include "feed/run_feed.h"
#include "model/format_pattern.h"
#include "model/numbers.h"
#include "plot/axes_scene.h"
#include "plot/device.h"
#include "plot/plot_range.h"
#include "plot/plot_surface.h"
#include "ui/characteristics_text.h"
#include "window/form1.h"
#include "window/layout_geometry.h"

namespace orvinda {

namespace {

void place(QWidget* widget, const Box& box) {
  const PixelBox p = to_pixels(box);
  const QRect target(p.left, p.top, p.width, p.height);
  if (widget->geometry() != target) widget->setGeometry(target);
}

}  // namespace

void Form1::Form_Resize() {
  ++redraws_;
  layout();
  parametr();
  Picture1->Cls();
  minmax();
  axes();
  feed_->publishRedraw(motionParameters(),
                       {ax, fix, ay, fiy, ayax, ayax_defined, dj, wywx, np, dt});
  Q_EMIT redrawn();
}

// A resize that leaves the parameters as they are keeps the last run's
// trace: the scene is drawn for the new size, then the trace again over it.
void Form1::redrawForResize() {
  std::vector<DrawingList::Trace> trace = Picture1->takeTraces();
  const long long edits_before = edits_;
  Form_Resize();
  if (edits_ == edits_before && !trace.empty()) Picture1->drawTraces(trace);
}

void Form1::layout() {
  mx = kMarginX;
  my = kMarginY;
  const WindowLayout l = compute_layout(client_->width(), client_->height(), view_factor_);
  place(Label10, l.heading_inputs);
  QLabel* prompts[6] = {Label1, Label2, Label3, Label4, Label5, Label6};
  QLineEdit* boxes[6] = {Text1, Text2, Text3, Text4, Text5, Text6};
  for (std::size_t row = 0; row < 6; ++row) {
    place(prompts[row], l.prompts[row]);
    place(boxes[row], l.boxes[row]);
  }
  place(Label11, l.heading_outputs);
  QLabel* outputs[7] = {Label12, Label13, Label14, Label15, Label16, Label17, Label18};
  for (std::size_t j = 0; j < 7; ++j) place(outputs[j], l.outputs[j]);
  place(CmdOK, l.start_button);
  place(HScroll1, l.scroll_bar);
  place(Label21, l.scroll_value);
  place(Picture1, l.plot);

  Text1->setEnabled(false);
  // Each write that changes a box runs that box's handler, and with it a
  // nested redraw, before the next box is written.
  // The box the user is typing into keeps the text as typed.
  const auto write = [this](QLineEdit* box, const std::string& text) {
    if (!beingEdited(box)) setBoxText(box, QString::fromStdString(text));
  };
  write(Text1, format_signed_number(wx));
  write(Text2, format_signed_number(x0));
  write(Text3, format_signed_number(vx0));
  write(Text4, format_signed_number(wy));
  write(Text5, format_signed_number(y0));
  write(Text6, format_signed_number(vy0));
  Label21->setText(QString::number(zam));
}

void Form1::parametr() {
  const MotionParameters p = motionParameters();
  const Characteristics c = compute_characteristics(p, ayax, ayax_defined);
  ax = c.ax;
  fix = c.fix;
  ay = c.ay;
  fiy = c.fiy;
  ayax = c.ayax;
  ayax_defined = c.ayax_defined;
  dj = c.dj;
  wywx = c.wywx;
  np = c.np;
  dt = c.dt;
  const std::array<QString, 7> texts = characteristics_texts(c);
  QLabel* const labels[7] = {Label12, Label13, Label14, Label15, Label16, Label17, Label18};
  for (std::size_t i = 0; i < 7; ++i) labels[i]->setText(texts[i]);
}

void Form1::minmax() {
  const PlotRange r = plot_range(ax, ay);
  xmax = r.xmax;
  xmin = r.xmin;
  ymax = r.ymax;
  ymin = r.ymin;
  Picture1->Scale(xmin, ymax, xmax, ymin);
}

void Form1::axes() {
  const GridCounts counts = draw_axes(
      *Picture1, scene_input({xmin, xmax, ymin, ymax}, motionParameters(), decimal_separator()),
      device_.get());
  nx = counts.nx;
  dx = counts.dx;
  ny = counts.ny;
  dy = counts.dy;
}

void Form1::setBoxText(QLineEdit* box, const QString& text) {
  // Writing the same text must raise nothing and leave the caret alone.
  if (box->text() != text) box->setText(text);
}

}  // namespace orvinda
