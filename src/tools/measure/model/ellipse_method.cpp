#include "tools/measure/model/ellipse_method.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/measure/model/crossings.h"

namespace orvinda {

namespace {

constexpr double kDegrees = 180 / std::numbers::pi;
// Closer than this to 90° the error grows without bound with tg φ₀.
constexpr double kLinearLimitDeg = 80;

EllipseReading refused(std::string why) {
  EllipseReading r;
  r.refusal = std::move(why);
  return r;
}

}  // namespace

EllipseReading ellipse_method(const DrawnFigure& f, double pixel_m) {
  if (!(pixel_m > 0) || !std::isfinite(pixel_m)) return refused("Масштаб графика не задан.");
  if (f.empty()) return refused("Фигура ещё не нарисована: нажмите «ПУСК».");
  if (!f.closing()) {
    return refused("Фигура не замыкается, а метод эллипса годится только для ωx : ωy = 1 : 1.");
  }
  const LapRatio lap = *f.closing();
  if (lap.x_turns != 1 || lap.y_cycles != 1) {
    return refused("Метод эллипса годится только для ωx : ωy = 1 : 1, а здесь ωx : ωy = " +
                   std::to_string(lap.x_turns) + " : " + std::to_string(lap.y_cycles) + ".");
  }
  if (f.ax() < pixel_m && f.ay() < pixel_m) {
    return refused("Точка стоит на месте: эллипса нет, и метод не применим.");
  }
  if (!f.whole()) return refused("Эллипс ещё не нарисован целиком: дождитесь, пока он замкнётся.");
  const CrossingCount on_y = count_crossings(f, {}, {LineDirection::kVertical, 0}, pixel_m);
  if (f.ax() < pixel_m || f.ay() < pixel_m || on_y.count() != 2 ||
      on_y.crossings[0].kind != CrossingKind::kPass ||
      on_y.crossings[1].kind != CrossingKind::kPass ||
      on_y.crossings[1].point.y - on_y.crossings[0].point.y < pixel_m) {
    return refused("Эллипс выродился в отрезок: хорду b не измерить, и метод не применим.");
  }

  EllipseReading r;
  r.applies = true;
  r.b_from = on_y.crossings[0].point;
  r.b_to = on_y.crossings[1].point;
  r.b = r.b_to.y - r.b_from.y;
  r.a = 2 * f.ay();
  // The horizontal tangents touch where y is at its extremes.
  const double top_t = f.phase_y() / f.rate();
  r.a_top = {f.point(top_t).x, f.ay()};
  r.a_bottom = {-r.a_top.x, -f.ay()};
  r.sin_phi0 = std::min(1.0, r.b / r.a);
  r.phi0_deg = std::asin(r.sin_phi0) * kDegrees;
  r.leans_right = r.a_top.x >= 0;
  const TracePoint at = f.point(0), v = f.velocity(0);
  r.anticlockwise = at.x * v.y - at.y * v.x >= 0;
  const double magnitude = r.leans_right ? r.phi0_deg : 180 - r.phi0_deg;
  r.dphi_deg = r.anticlockwise ? magnitude : -magnitude;

  // Each chord is read to half a pixel at both its ends.
  const double db = pixel_m, da = pixel_m;
  if (r.phi0_deg < kLinearLimitDeg) {
    const double relative = std::hypot(db / r.b, da / r.a);
    r.error_deg = std::fabs(std::tan(r.phi0_deg / kDegrees)) * relative * kDegrees;
  } else {
    r.interval = true;
    const double low = std::asin(std::clamp((r.b - db) / (r.a + da), 0.0, 1.0)) * kDegrees;
    r.interval_low_deg = r.leans_right ? low : 90;
    r.interval_high_deg = r.leans_right ? 90 : 180 - low;
  }
  return r;
}

}  // namespace orvinda
