#pragma once
// The numbers of the documents that the program computes, filled in from the
// model each time the documents are written, so that no document can drift
// from the program. A document names them in double braces:
//
//   {{set NAME wy=1.8 x0=3 vx0=3 y0=3 vy0=2}}
//       an experiment: the boxes as the reader types them (Wx is always 1);
//       prints nothing. Every value must be what typed_number writes.
//   {{set NAME ratio=2:3 dphi=1/4 a=4}}   (or ax=… ay=…)
//       the same from a figure of the tables: ratio is wx : wy, dphi is in
//       units of pi; Xo = ax, Vox = 0, Wy = wy/wx, Yo = ay cos dphi,
//       Voy = ay Wy sin dphi, each rounded as the reader types it.
//   {{NAME.KEY}}, {{NAME.KEY:DIGITS}}, {{NAME.KEY arg=value}}
//       a value of the experiment, computed from the boxes as the window
//       reads them. Numbers come in Russian notation (decimal comma, the
//       minus sign), DIGITS after the comma (3 unless given).
//
// Keys:
//   wy x0 vx0 y0 vy0      what to type, with a point, at most four decimals
//   boxes                 all five as "Wy = 2, Xo = 4, …", the values set apart
//   show_ax show_fix show_ay show_fiy show_ayax show_dj show_wywx
//                         the label as the window prints it in a Russian
//                         system ("Ax=4,243E+00 м", "Δφ=-0,137π")
//   ax ay fix fiy ayax wywx  amplitudes (m), initial phases (rad), ratios
//   ux uy                 vx0 / wx and vy0 / wy (m)
//   dj                    the phase difference in units of pi; dphi in radians;
//   dj_reduced            dj brought into (-1, 1] by adding or taking 2
//   kyx                   ky / kx = (wy / wx)^2 for the device's springs
//   turns wy_turns period turns of x (q) and of y (p) after which the figure
//                         closes, and that time in seconds (a ratio p/q with
//                         q <= 20)
//   moment                x0 vy0 - y0 vx0, whose sign is the direction of
//                         motion at equal frequencies
//   shape_phase           q fiy - p fix, reduced into (-1, 1], in units of pi
//   drift                 for a figure whose ratio cannot be typed exactly
//                         (4/3 as 1.3333): how far q fiy - p fix moves in one
//                         period of the intended figure, rad
//   open                  "да" when the point runs to and fro, else "нет"
//   direction             "против часовой стрелки", "по часовой стрелке" or
//                         "туда и обратно", from the traced figure
//   touch_top touch_right tangencies with the top and the right side
//   nx level=Y            passes of the run's trace through the line y = Y
//   ny level=X            passes through the line x = X
//   count_ratio y=Y x=X   nx / ny for those lines, without trailing zeros
//   chord_b height_a b_over_a dphi_ellipse
//                         the ellipse method on the run's trace (ratio 1 : 1):
//                         the chord on the vertical axis, the height, their
//                         ratio and the phase difference it gives (units of pi,
//                         sign from the direction of motion)
//   beat beat_turns       close frequencies: the time 2 pi / |wy - wx| after
//                         which the figure comes back, and turns of x in it
//   beat_time shift=S     the time in which the phase difference shifts by S pi
//   beat_steps beat_clock zam=Z
//                         run steps in that time, and the least clock time
//                         they take at slow-down Z (10 Z ms a step)
//   dt R                  the run's time step (s), the plot's half-range (m)
//   model.np              steps per period of the faster oscillation

#include <QString>
#include <QStringList>

#include "model/characteristics.h"

namespace orvinda::docs {

// "−0,137": a decimal comma and the minus sign, for running text.
QString russian_number(double value, int digits);

// "-0.7071": what the reader types, rounded to at most four decimals.
QString typed_number(double value);

struct Substitution {
  QString text;
  QStringList problems;  // empty when every placeholder was understood
};

// html: the values are escaped for HTML (the label "Ay/Ax -->00").
Substitution substitute_values(const QString& text, bool html = true);

}  // namespace orvinda::docs
