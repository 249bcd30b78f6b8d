#pragma once
// The figures of the accompanying documents: points traced by the program's
// own stepper and their drawing.

#include <QImage>
#include <QPointF>
#include <optional>
#include <vector>

#include "model/characteristics.h"
#include "tools/measure/model/drawn_figure.h"

namespace orvinda::docs {

// x = ax cos(wx t - phix), y = ay cos(wy t - phix - dphi) with
// wx : wy = wx_part : wy_part (whole numbers without a common factor), the
// phases in units of pi.
struct FigureShape {
  int wx_part = 1;
  int wy_part = 1;
  double dphi_pi = 0;
  double ax = 1;
  double ay = 1;
  double phix_pi = 0;
  // The stretch of motion drawn, in turns of x from t = 0; turns = 0 draws
  // the whole period, after which the figure closes.
  double from_turn = 0;
  double turns = 0;
  // The start dot and an arrow for the direction of motion.
  bool start_and_arrow = true;
  // Counting lines y = count_y * ay and x = count_x * ax with every pass of
  // the trace through them marked.
  std::optional<double> count_y = std::nullopt;
  std::optional<double> count_x = std::nullopt;
  // The ellipse method: the chord b the figure cuts on the vertical axis,
  // the height a between the horizontal tangents, and the top tangency.
  bool ellipse_method = false;
};

// The boxes of the window that give this figure: Wx = 1, Wy = wy_part / wx_part,
// Xo = ax cos phix, Vox = ax sin phix, Yo = ay cos phiy, Voy = ay Wy sin phiy
// with phiy = phix + dphi (with phix = 0: Xo = ax, Vox = 0).
MotionParameters figure_parameters(const FigureShape& shape);

// Horizontal phase after which the figure closes: 2 pi wx_part.
double figure_period(const FigureShape& shape);

// The stretch of motion the shape asks for (one full period by default,
// starting and ending at the initial point).
std::vector<QPointF> figure_points(const FigureShape& shape, int steps_per_horizontal_period = 720);

// The figure in its bounding rectangle, on a transparent square of side
// pixels (transparency keeps the picture lossless in a PDF).
QImage figure_image(const FigureShape& shape, int side);

// The shape as the measuring code takes it: the motion over the stretch drawn.
DrawnFigure drawn_figure(const FigureShape& shape);

// Where the figure crosses the line y = level (horizontal) or x = level, as
// the position along the line, counted by the measuring code.
std::vector<double> crossings_along(const FigureShape& shape, bool horizontal, double level);

// The diagram of an initial phase: the point (c, u/w) at distance A and
// angle phi from the origin, on axes that reach past the circle of radius A.
struct PhaseDiagram {
  double phase = 2.2;  // radians; the default lies in the second quarter
};

QImage phase_diagram_image(const PhaseDiagram& diagram, int side);

}  // namespace orvinda::docs
