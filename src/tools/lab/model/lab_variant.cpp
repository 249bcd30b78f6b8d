#include "tools/lab/model/lab_variant.h"

#include <numbers>
#include <random>

#include "tools/self_check/model/self_check_variant.h"

namespace orvinda {

namespace {

int between(std::mt19937& generator, int low, int high) {
  return low +
         static_cast<int>(uniform_below(generator, static_cast<std::uint32_t>(high - low + 1)));
}

}  // namespace

double LabVariant::phase_x_rad() const {
  return phase_x_decidegrees / 10.0 * std::numbers::pi / 180;
}

LabVariant lab_variant(int code) {
  std::mt19937 generator(static_cast<std::uint32_t>(code));
  LabVariant v;
  v.code = code;
  v.fx_centihertz = between(generator, 4000, 40000);
  v.ax_centivolts = between(generator, 100, 400);
  v.phase_x_decidegrees = between(generator, 0, 3599);
  v.scale_error_permille = between(generator, -10, 10);
  v.shift_decidegrees = between(generator, 100, 1700);
  v.shifter_ax_centivolts = between(generator, 100, 400);
  v.shifter_ay_centivolts = between(generator, 100, 400);
  return v;
}

}  // namespace orvinda
