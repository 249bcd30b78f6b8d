// The full redraw: placement of the controls, the characteristics, the plot
// range and the static scene.

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>

#include "model/format_pattern.h"
#include "model/numbers.h"
#include "plot/axes_scene.h"
#include "plot/device.h"
#include "plot/plot_range.h"
#include "plot/plot_surface.h"
#include "window/form1.h"
#include "window/greek_text.h"
#include "window/layout_geometry.h"

namespace orvinda {

namespace {

void place(QWidget* widget, const Box& box) {
  const PixelBox p = to_pixels(box);
  const QRect target(p.left, p.top, p.width, p.height);
  if (widget->geometry() != target) widget->setGeometry(target);
}

QString decimal_separator() { return QLocale::system().decimalPoint(); }

QString formatted(double value, const char* pattern) {
  return QString::fromStdString(
      format_by_pattern(value, pattern, decimal_separator().toStdString()));
}

}  // namespace

void Form1::Form_Resize() {
  ++redraws_;
  layout();
  parametr();
  Picture1->Cls();
  minmax();
  axes();
}

void Form1::layout() {
  mx = kMarginX;
  my = kMarginY;
  const WindowLayout l = compute_layout(client_->width(), client_->height());
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
  setBoxText(Text1, QString::fromStdString(format_signed_number(wx)));
  setBoxText(Text2, QString::fromStdString(format_signed_number(x0)));
  setBoxText(Text3, QString::fromStdString(format_signed_number(vx0)));
  setBoxText(Text4, QString::fromStdString(format_signed_number(wy)));
  setBoxText(Text5, QString::fromStdString(format_signed_number(y0)));
  setBoxText(Text6, QString::fromStdString(format_signed_number(vy0)));
  Label21->setText(QString::number(zam));
}

void Form1::parametr() {
  const MotionParameters p{wx, x0, vx0, wy, y0, vy0};
  const Characteristics c = compute_characteristics(p, ayax, ayax_defined);
  ax = c.ax;
  Label12->setText(QStringLiteral("Ax=") + formatted(ax, "0.000E+00") + QStringLiteral(" м"));
  fix = c.fix;
  Label13->setText(QStringLiteral("fi_x=") + formatted(fix, "0.000") + QStringLiteral(" "));
  ay = c.ay;
  Label14->setText(QStringLiteral("Ay=") + formatted(ay, "0.000E+00") + QStringLiteral(" м"));
  fiy = c.fiy;
  Label15->setText(QStringLiteral("fi_y=") + formatted(fiy, "0.000") + QStringLiteral(" "));
  ayax = c.ayax;
  ayax_defined = c.ayax_defined;
  if (ax == 0) {
    Label16->setText(QStringLiteral("Ay/Ax -->00"));
  } else {
    Label16->setText(QStringLiteral("Ay/Ax=") + formatted(ayax, "0.000") + QStringLiteral(" "));
  }
  dj = c.dj;
  Label17->setText(
      greek_letters(QStringLiteral("Dj=") + formatted(dj, "0.000") + QStringLiteral("p")));
  wywx = c.wywx;
  Label18->setText(QStringLiteral("Wy/Wx=") + formatted(wywx, "0.000") + QStringLiteral(" "));
  np = c.np;
  dt = c.dt;
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
  SceneInput in;
  in.xmin = xmin;
  in.xmax = xmax;
  in.ymin = ymin;
  in.ymax = ymax;
  in.x0 = x0;
  in.y0 = y0;
  in.vx0 = vx0;
  in.vy0 = vy0;
  in.decimal_separator = decimal_separator();
  const GridCounts counts = draw_axes(*Picture1, in, *device_);
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
