#include "tools/experiment/model/examples.h"

#include <vector>

#include "model/numbers.h"
#include "tools/experiment/model/initial_conditions.h"

namespace orvinda {

namespace {

struct ExampleSource {
  const char* label;
  double wy;          // wx : wy with wx = 1
  double dphi_in_pi;  // the vertical initial phase, a multiple of 1/4
};

constexpr ExampleSource kSources[] = {
    {"1 : 1, Δφ = 0", 1, 0},
    {"1 : 1, Δφ = π/4", 1, 0.25},
    {"1 : 1, Δφ = π/2", 1, 0.5},
    {"1 : 1, Δφ = 3π/4", 1, 0.75},
    {"1 : 1, Δφ = π", 1, 1},
    {"1 : 2, Δφ = 0", 2, 0},
    {"1 : 2, Δφ = π/2", 2, 0.5},
    {"1 : 3, Δφ = π/2", 3, 0.5},
    {"2 : 3, Δφ = π/4", 3.0 / 2, 0.25},
    {"3 : 4, Δφ = π/2", 4.0 / 3, 0.5},
    {"Близкие частоты (биения), 1 : 1,05", 1.05, 0},
};

double box_value(double value) { return parse_leading_number(format_signed_number(value)); }

float box_value(float value) {
  // A single's 7 digits may need one more rewrite before they settle.
  float settled = value;
  for (int i = 0; i < 2; ++i)
    settled = to_single(parse_leading_number(format_signed_number(settled)));
  return settled;
}

Example make_example(const ExampleSource& s) {
  constexpr double kAmplitude = 4;
  // The frequency first in its box form, so that the velocity is the one
  // the window computes its characteristics from.
  const double wy = box_value(s.wy);
  MotionParameters p = initial_conditions({kAmplitude, 0, kAmplitude, s.dphi_in_pi, 1, wy});
  p.x0 = box_value(p.x0);
  p.vx0 = box_value(p.vx0);
  p.y0 = box_value(p.y0);
  p.vy0 = box_value(p.vy0);
  return {s.label, p};
}

}  // namespace

std::span<const Example> classic_examples() {
  static const std::vector<Example> examples = [] {
    std::vector<Example> all;
    for (const ExampleSource& s : kSources) all.push_back(make_example(s));
    return all;
  }();
  return examples;
}

}  // namespace orvinda
