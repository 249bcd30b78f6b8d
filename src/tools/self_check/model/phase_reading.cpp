#include "tools/self_check/model/phase_reading.h"

#include <cmath>
#include <numbers>

#include "tools/self_check/model/decimal_text.h"
#include "tools/self_check/model/quarter_phase.h"

namespace orvinda {

namespace {

std::string phase_value(int quarters) { return "Δφ = " + quarters_text(quarters); }

// Exact values are written with "=", rounded ones with "≈".
std::string ratio_value(double value) {
  const std::string text = decimal_text(value, 2);
  const bool exact = std::fabs(value * 100 - std::round(value * 100)) < 1e-9;
  return (exact ? "= " : "≈ ") + text;
}

std::string intercept_sentence(const PhaseReading& r, int quarters) {
  const double cos_sign = cos_quarters(quarters);
  const char* tilt = cos_sign > 0   ? "наклонён вправо"
                     : cos_sign < 0 ? "наклонён влево"
                                    : "не наклонён";
  if (quarters == 0 || quarters == 4) {
    return std::string("Отрезок проходит через начало координат: b = 0, sin Δφ = 0; он ") + tilt +
           ", значит " + phase_value(quarters);
  }
  const char* way = quarters > 0 ? "против часовой стрелки" : "по часовой стрелке";
  return "Эллипс пересекает ось Y при y = ±b, b = " + decimal_text(r.intercept, 2) +
         " м, его полувысота B = " + decimal_text(r.half_height, 2) + " м: |sin Δφ| = b/B " +
         ratio_value(r.intercept / r.half_height) + "; эллипс " + tilt + " и обходится " + way +
         ", значит " + phase_value(quarters);
}

std::string start_sentence(const PhaseReading& r, int quarters, double ay) {
  if (quarters == 0) {
    return "Точка начинает движение из правого верхнего угла: y0 = Ay, cos Δφ = 1, "
           "значит " +
           phase_value(quarters);
  }
  if (quarters == 4) {
    return "Точка начинает движение из правого нижнего угла: y0 = −Ay, cos Δφ = −1, "
           "значит " +
           phase_value(quarters);
  }
  const char* way = quarters > 0 ? "вверх" : "вниз";
  return "Точка начинает движение с правой стороны на высоте y0 = " + decimal_text(r.start.y, 2) +
         " м при Ay = " + decimal_text(ay, 2) + " м и идёт " + way + ": cos Δφ = y0/Ay " +
         ratio_value(r.start_height_ratio) + ", значит " + phase_value(quarters);
}

}  // namespace

PhaseReading read_phase(const Task& task) {
  const MotionParameters p = task_parameters(task);
  const int quarters = normalised_quarters(task.kind.phase_quarters);
  const double ay = amplitude(p.y0, p.vy0, p.wy);

  PhaseReading r;
  r.start = {p.x0, p.y0};
  r.start_velocity = {p.vx0, p.vy0};
  r.start_height_ratio = ay > 0 ? p.y0 / ay : 0;
  r.half_height = ay;

  if (is_one_to_one(reduced(task.kind.ratio))) {
    r.by_intercepts = true;
    // x = Ax cos(t - phase_x) is 0 a quarter period after the right end.
    const double phase_x = std::atan2(p.vx0 / p.wx, p.x0);
    const double y = figure_point(p, phase_x + std::numbers::pi / 2).y;
    r.intercept = std::fabs(y) < 1e-9 * ay ? 0.0 : std::fabs(y);
    r.upper_intercept = {0, r.intercept};
    r.lower_intercept = {0, -r.intercept + 0.0};  // + 0 drops -0
    r.sentence = intercept_sentence(r, quarters);
  } else {
    r.sentence = start_sentence(r, quarters, ay);
  }
  return r;
}

}  // namespace orvinda
