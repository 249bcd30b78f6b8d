#include "tools/experiment/model/experiment.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "model/numbers.h"

namespace orvinda {

namespace {

// The shortest text that reads back as the value: a 1.0000000000000002 in
// the file must not be told as "1".
template <typename Number>
std::string shown(Number value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::optional<std::string> experiment_problem(const Experiment& e) {
  const std::pair<const char*, double> values[] = {{"wx", e.wx},  {"x0", e.x0}, {"vx0", e.vx0},
                                                   {"wy", e.wy},  {"y0", e.y0}, {"vy0", e.vy0},
                                                   {"zam", e.zam}};
  for (const auto& [key, value] : values) {
    if (!std::isfinite(value)) {
      return std::string("Значение «") + key + "» должно быть конечным числом";
    }
  }
  if (e.wx != 1) {
    return "Частота Wx всегда равна 1 рад/с, а в файле она равна " + shown(e.wx);
  }
  if (e.wy <= 0) {
    return "Частота Wy должна быть больше 0, а в файле она равна " + shown(e.wy);
  }
  if (std::fabs(e.vy0) > std::numeric_limits<float>::max()) {
    return "Скорость Voy по модулю не может быть больше " +
           shown(std::numeric_limits<float>::max()) + " м/с, а в файле она равна " + shown(e.vy0);
  }
  if (e.zam != std::floor(e.zam) || e.zam < 1 || e.zam > 9) {
    return "Замедление времени должно быть целым числом от 1 до 9, а в файле оно равно " +
           shown(e.zam);
  }
  return std::nullopt;
}

Experiment make_experiment(const MotionParameters& p, std::int16_t zam, std::string comment) {
  return {p.wx,
          p.x0,
          p.vx0,
          p.wy,
          p.y0,
          static_cast<double>(p.vy0),
          static_cast<double>(zam),
          std::move(comment)};
}

MotionParameters experiment_parameters(const Experiment& e) {
  return {e.wx + 0.0, e.x0 + 0.0, e.vx0 + 0.0, e.wy, e.y0 + 0.0, to_single(e.vy0)};
}

std::int16_t experiment_zam(const Experiment& e) { return static_cast<std::int16_t>(e.zam); }

}  // namespace orvinda
