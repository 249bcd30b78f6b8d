#include "window/layout_geometry.h"

#include <algorithm>
#include <cmath>

namespace orvinda {

namespace {
int round_half_up(double v) { return static_cast<int>(std::floor(v + 0.5)); }
double non_negative(double v) { return v < 0 ? 0 : v; }
}  // namespace

PixelBox to_pixels(const Box& box) {
  PixelBox p;
  p.left = round_half_up(box.left);
  p.top = round_half_up(box.top);
  p.width = std::max(0, round_half_up(box.left + box.width) - p.left);
  p.height = std::max(0, round_half_up(box.top + box.height) - p.top);
  return p;
}

WindowLayout compute_layout(double scale_width, double scale_height) {
  const double mx = kMarginX, my = kMarginY, w = kColumnWidth, h = kRowHeight;
  WindowLayout l;

  l.heading_inputs.width = 2 * w;
  l.heading_inputs.height = h;
  l.heading_inputs.left = scale_width - l.heading_inputs.width - mx;
  l.heading_inputs.top = my;

  for (int row = 0; row < 6; ++row) {
    Box& prompt = l.prompts[static_cast<std::size_t>(row)];
    Box& box = l.boxes[static_cast<std::size_t>(row)];
    prompt.width = box.width = w;
    prompt.height = box.height = h;
    prompt.left = l.heading_inputs.left;
    prompt.top = l.heading_inputs.top + (row + 1) * h + (row + 1) * my;
    box.left = prompt.left + prompt.width;
    box.top = prompt.top;
  }

  l.heading_outputs = {l.heading_inputs.left, l.heading_inputs.top + 7 * h + 7 * my, 2 * w, h};
  for (int j = 1; j <= 7; ++j) {
    l.outputs[static_cast<std::size_t>(j - 1)] = {l.heading_outputs.left,
                                                  l.heading_outputs.top + j * h + j * my, 2 * w, h};
  }

  l.start_button = {scale_width - w - mx, scale_height - h - my, w, h};

  l.scroll_bar.width = non_negative(l.heading_inputs.left - 2 * mx);
  l.scroll_bar.height = h / 2;
  l.scroll_bar.left = mx;
  l.scroll_bar.top = scale_height - 1.5 * h;

  l.scroll_value.width = w / 4;
  l.scroll_value.height = h;
  l.scroll_value.left = l.scroll_bar.left + l.scroll_bar.width / 2 - l.scroll_value.width / 2;
  l.scroll_value.top = scale_height - h;

  const double below = l.scroll_bar.top - my;  // room above the scroll bar
  const double side = non_negative(std::min(l.scroll_bar.width, below));
  l.plot = {mx, my, side, side};
  return l;
}

WindowLayout compute_layout(double scale_width, double scale_height, double factor) {
  if (!(factor > 0) || factor == 1) return compute_layout(scale_width, scale_height);
  WindowLayout l = compute_layout(scale_width / factor, scale_height / factor);
  const auto grow = [factor](Box& b) {
    b = {b.left * factor, b.top * factor, b.width * factor, b.height * factor};
  };
  for (Box* b : {&l.heading_inputs, &l.heading_outputs, &l.start_button, &l.scroll_bar,
                 &l.scroll_value, &l.plot}) {
    grow(*b);
  }
  for (Box& b : l.prompts) grow(b);
  for (Box& b : l.boxes) grow(b);
  for (Box& b : l.outputs) grow(b);
  return l;
}

std::vector<PixelBox> layout_boxes(const WindowLayout& l) {
  std::vector<PixelBox> boxes{to_pixels(l.heading_inputs), to_pixels(l.heading_outputs),
                              to_pixels(l.start_button),   to_pixels(l.scroll_bar),
                              to_pixels(l.scroll_value),   to_pixels(l.plot)};
  for (const Box& b : l.prompts) boxes.push_back(to_pixels(b));
  for (const Box& b : l.boxes) boxes.push_back(to_pixels(b));
  for (const Box& b : l.outputs) boxes.push_back(to_pixels(b));
  return boxes;
}

bool layout_fits(int scale_width, int scale_height, double factor) {
  const std::vector<PixelBox> boxes =
      layout_boxes(compute_layout(scale_width, scale_height, factor));
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const PixelBox& a = boxes[i];
    if (a.width <= 0 || a.height <= 0 || a.left < 0 || a.top < 0 ||
        a.left + a.width > scale_width || a.top + a.height > scale_height) {
      return false;
    }
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      const PixelBox& b = boxes[j];
      const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                         a.top + a.height <= b.top || b.top + b.height <= a.top;
      if (!apart) return false;
    }
  }
  return true;
}

namespace {

// The least n in 1 … most for which fits(n) holds, when it holds for most
// and for every n above the least: halving, not stepping, keeps the start fast.
template <class Fits>
int least_fitting(int most, Fits fits) {
  if (fits(1)) return 1;
  int low = 1, high = most;  // fits(low) fails, fits(high) holds
  while (high - low > 1) {
    const int middle = low + (high - low) / 2;
    (fits(middle) ? high : low) = middle;
  }
  return high;
}

}  // namespace

ClientSize minimum_client_size(double factor) {
  // The height first at a roomy width, then the width at that height; the
  // arrangement only loosens as either grows.
  constexpr int kRoomy = 4000;
  const int height = least_fitting(kRoomy, [](int h) { return layout_fits(kRoomy, h); });
  const int width = least_fitting(kRoomy, [height](int w) { return layout_fits(w, height); });
  return {static_cast<int>(std::ceil(width * factor)),
          static_cast<int>(std::ceil(height * factor))};
}

double fitting_factor(double wanted, ClientSize room) {
  // Whole twentieths, so that the factor shown and remembered stays short.
  const ClientSize least = minimum_client_size();
  for (int twentieths = static_cast<int>(std::floor(wanted * 20 + 1e-9)); twentieths > 20;
       --twentieths) {
    const double factor = twentieths / 20.0;
    if (std::ceil(least.width * factor) <= room.width &&
        std::ceil(least.height * factor) <= room.height) {
      return factor;
    }
  }
  return 1;
}

}  // namespace orvinda
