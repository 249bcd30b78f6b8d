#pragma once
// The figure's geometry solved afresh in the tests, from the motion written
// out here, by dense sampling and bisection: what the measuring code is
// checked against. It shares no code with it.

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "model/characteristics.h"

namespace orvinda::testing {

struct ExactFigure {
  int wx_part = 1, wy_part = 1;  // ωx : ωy, lowest terms
  double x0 = 0, vx = 0, y0 = 0, vy = 0, rate = 1;

  ExactFigure(const MotionParameters& p, int wx, int wy)
      : wx_part(wx), wy_part(wy), x0(p.x0), vx(p.vx0 / p.wx), y0(p.y0),
        vy(static_cast<double>(p.vy0) / p.wy), rate(double(wy) / wx) {}

  double span() const { return 2 * std::numbers::pi * wx_part; }
  double x(double t) const { return x0 * std::cos(t) + vx * std::sin(t); }
  double y(double t) const { return y0 * std::cos(rate * t) + vy * std::sin(rate * t); }
  double dx(double t) const { return -x0 * std::sin(t) + vx * std::cos(t); }
  double dy(double t) const { return rate * (-y0 * std::sin(rate * t) + vy * std::cos(rate * t)); }
  double ax() const { return std::hypot(x0, vx); }
  double ay() const { return std::hypot(y0, vy); }
};

// Roots of f on [start, end) by sign changes over fine samples, refined by
// bisection.
inline std::vector<double> roots_of(const std::function<double(double)>& f, double start,
                                    double end, int samples) {
  std::vector<double> roots;
  double a = start, fa = f(start);
  for (int i = 1; i <= samples; ++i) {
    const double b = start + (end - start) * i / samples, fb = f(b);
    if (fa == 0) {
      roots.push_back(a);
    } else if ((fa < 0) != (fb < 0) && fb != 0) {
      double lo = a, hi = b, flo = fa;
      for (int k = 0; k < 100; ++k) {
        const double mid = (lo + hi) / 2, fm = f(mid);
        if ((fm < 0) == (flo < 0)) {
          lo = mid;
          flo = fm;
        } else {
          hi = mid;
        }
      }
      roots.push_back((lo + hi) / 2);
    }
    a = b;
    fa = fb;
  }
  return roots;
}

struct Met {
  double along;   // position along the line
  double hx, hy;  // direction of travel there
};

// Where a line meets the figure over [0, end): x = c (vertical) or y = c.
// Over the whole figure the samples begin a little before 0, so that a
// meeting where the figure closes is seen once.
inline std::vector<Met> meetings_of(const ExactFigure& f, bool horizontal, double c, double end) {
  const auto u = [&](double t) { return (horizontal ? f.y(t) : f.x(t)) - c; };
  const double start = end >= f.span() ? -1e-7 : 0;
  std::vector<Met> out;
  for (double t : roots_of(u, start, end + start, 4000 * (f.wx_part + f.wy_part))) {
    out.push_back({horizontal ? f.x(t) : f.y(t), f.dx(t), f.dy(t)});
  }
  return out;
}

// The count a student makes: one for each point and branch. Meetings at one
// point in parallel directions (there and back) are one.
inline int points_and_branches(std::vector<Met> m, double scale) {
  std::sort(m.begin(), m.end(), [](const Met& a, const Met& b) { return a.along < b.along; });
  std::vector<Met> kept;
  for (const Met& a : m) {
    const bool seen = std::any_of(kept.begin(), kept.end(), [&](const Met& b) {
      const double sine =
          std::fabs(a.hx * b.hy - a.hy * b.hx) / (std::hypot(a.hx, a.hy) * std::hypot(b.hx, b.hy));
      return std::fabs(a.along - b.along) <= 1e-6 * scale && sine < 1e-3;
    });
    if (!seen) kept.push_back(a);
  }
  return static_cast<int>(kept.size());
}

// The nodes: crossings of the figure, sampled fine, with itself, refined by
// Newton's method on the motion; passes there and back along one branch
// (parallel) are none.
inline std::vector<std::pair<double, double>> nodes_of(const ExactFigure& f) {
  const int n = 3000 * (f.wx_part + f.wy_part);
  const double end = f.span();
  std::vector<double> ts(n + 1);
  for (int i = 0; i <= n; ++i) ts[i] = end * i / n;
  const double scale = std::max(f.ax(), f.ay());
  std::vector<std::pair<double, double>> nodes;
  auto add = [&](double t1, double t2) {
    for (int k = 0; k < 50; ++k) {  // solve P(t1) = P(t2)
      const double ex = f.x(t1) - f.x(t2), ey = f.y(t1) - f.y(t2);
      const double a = f.dx(t1), b = -f.dx(t2), c = f.dy(t1), d = -f.dy(t2);
      const double det = a * d - b * c;
      if (det == 0) return;
      t1 -= (d * ex - b * ey) / det;
      t2 -= (-c * ex + a * ey) / det;
    }
    const double px = f.x(t1), py = f.y(t1);
    if (std::hypot(px - f.x(t2), py - f.y(t2)) > 1e-9 * scale) return;
    const double gap = std::fabs(std::remainder(t1 - t2, end));
    if (gap < 1e-6) return;
    const double sine = std::fabs(f.dx(t1) * f.dy(t2) - f.dy(t1) * f.dx(t2)) /
                        (std::hypot(f.dx(t1), f.dy(t1)) * std::hypot(f.dx(t2), f.dy(t2)));
    if (!(sine > 1e-4)) return;
    for (const auto& [x, y] : nodes) {
      if (std::hypot(x - px, y - py) < 1e-6 * scale) return;
    }
    nodes.push_back({px, py});
  };
  // A sweep along x: only segments that overlap in x can cross.
  std::vector<double> xs(n + 1), ys(n + 1);
  for (int i = 0; i <= n; ++i) {
    xs[i] = f.x(ts[i]);
    ys[i] = f.y(ts[i]);
  }
  std::vector<int> order(n);
  for (int i = 0; i < n; ++i) order[i] = i;
  const auto left = [&](int i) { return std::min(xs[i], xs[i + 1]); };
  const auto right = [&](int i) { return std::max(xs[i], xs[i + 1]); };
  std::sort(order.begin(), order.end(), [&](int a, int b) { return left(a) < left(b); });
  const auto side = [](double ox, double oy, double px, double py, double qx, double qy) {
    return (px - ox) * (qy - oy) - (py - oy) * (qx - ox);
  };
  for (int oi = 0; oi < n; ++oi) {
    const int i = order[oi];
    for (int oj = oi + 1; oj < n && left(order[oj]) <= right(i); ++oj) {
      const int j = order[oj];
      if (std::abs(i - j) < 2 || std::abs(i - j) == n - 1) continue;  // neighbours
      const double ax = xs[i], ay = ys[i], bx = xs[i + 1], by = ys[i + 1];
      const double cx = xs[j], cy = ys[j], dx = xs[j + 1], dy = ys[j + 1];
      if (std::max(cy, dy) < std::min(ay, by) || std::min(cy, dy) > std::max(ay, by)) continue;
      const double s1 = side(ax, ay, bx, by, cx, cy), s2 = side(ax, ay, bx, by, dx, dy);
      const double s3 = side(cx, cy, dx, dy, ax, ay), s4 = side(cx, cy, dx, dy, bx, by);
      if ((s1 > 0) == (s2 > 0) || (s3 > 0) == (s4 > 0)) continue;
      const double sine = std::fabs((bx - ax) * (dy - cy) - (by - ay) * (dx - cx)) /
                          (std::hypot(bx - ax, by - ay) * std::hypot(dx - cx, dy - cy));
      if (sine < 0.01) continue;  // chords of one arc sampled twice
      add((ts[i] + ts[i + 1]) / 2, (ts[j] + ts[j + 1]) / 2);
    }
  }
  return nodes;
}

}  // namespace orvinda::testing
