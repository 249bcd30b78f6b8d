#pragma once
// The figures of the accompanying documents: points traced by the program's
// own stepper and their drawing.

#include <QImage>
#include <QPointF>
#include <vector>

#include "model/characteristics.h"

namespace orvinda::docs {

// x = ax cos(wx t), y = ay cos(wy t - dphi) with wx : wy = wx_part : wy_part
// (whole numbers without a common factor), dphi in units of pi.
struct FigureShape {
  int wx_part = 1;
  int wy_part = 1;
  double dphi_pi = 0;
  double ax = 1;
  double ay = 1;
};

// The boxes of the window that give this figure: Wx = 1, Xo = ax, Vox = 0,
// Wy = wy_part / wx_part, Yo = ay cos dphi, Voy = ay Wy sin dphi.
MotionParameters figure_parameters(const FigureShape& shape);

// Horizontal phase after which the figure closes: 2 pi wx_part.
double figure_period(const FigureShape& shape);

// One full period, starting and ending at the initial point.
std::vector<QPointF> figure_points(const FigureShape& shape, int steps_per_horizontal_period = 720);

// The figure in its bounding rectangle, on a transparent square of side
// pixels (transparency keeps the picture lossless in a PDF).
QImage figure_image(const FigureShape& shape, int side);

}  // namespace orvinda::docs
