#include "plot/trace_store.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orvinda {

namespace {

constexpr double kSteps = 65535.0;
constexpr int kCellShift = 6;  // 65536 / 1024 positions per cell

// Grows by a quarter, not double: the worst case stays near what is held.
template <typename T>
void push_bounded(std::vector<T>& v, const T& value) {
  if (v.size() == v.capacity()) v.reserve(v.capacity() + v.capacity() / 4 + 256);
  v.push_back(value);
}

}  // namespace

TraceStore::TraceStore(double left, double top, double right, double bottom)
    : left_(left), top_(top), right_(right), bottom_(bottom) {}

// Halves keep the differences finite for ranges near the largest double.
TraceStore::Packed TraceStore::encode(TracePoint p) const {
  auto fraction = [](double v, double a, double b) {
    const double f = (v / 2 - a / 2) / (b / 2 - a / 2);
    if (!(f > 0)) return 0.0;  // also NaN
    return f >= 1 ? kSteps : std::round(f * kSteps);
  };
  Packed out;
  out.u = static_cast<std::uint16_t>(fraction(p.x, left_, right_));
  out.v = static_cast<std::uint16_t>(fraction(p.y, top_, bottom_));
  return out;
}

TracePoint TraceStore::decode(Packed p) const {
  return {2 * (left_ / 2 + (p.u / kSteps) * (right_ / 2 - left_ / 2)),
          2 * (top_ / 2 + (p.v / kSteps) * (bottom_ / 2 - top_ / 2))};
}

// Walks the lattice cells along the segment, marking them; true when one of
// them had not been reached before.
bool TraceStore::reachesNewCell(Packed a, Packed b) {
  if (reached_.empty()) reached_.assign(kLattice * kLattice / 64, 0);
  const int ax = a.u >> kCellShift, ay = a.v >> kCellShift;
  const int bx = b.u >> kCellShift, by = b.v >> kCellShift;
  const int steps = std::max(std::abs(bx - ax), std::abs(by - ay));
  bool fresh = false;
  auto mark = [&](int cx, int cy) {
    const std::size_t cell = static_cast<std::size_t>(cy) * kLattice + static_cast<std::size_t>(cx);
    const std::uint64_t bit = std::uint64_t{1} << (cell % 64);
    if (!(reached_[cell / 64] & bit)) {
      reached_[cell / 64] |= bit;
      fresh = true;
    }
  };
  if (steps == 0) {
    mark(ax, ay);
    return fresh;
  }
  for (int i = 0; i <= steps; ++i) {
    const double f = static_cast<double>(i) / steps;
    // Cells are never negative: adding a half rounds without a library call.
    mark(static_cast<int>(ax + (bx - ax) * f + 0.5), static_cast<int>(ay + (by - ay) * f + 0.5));
  }
  return fresh;
}

bool TraceStore::add(TracePoint a, TracePoint b) {
  const Packed pa = encode(a);
  const Packed pb = encode(b);
  if (!reachesNewCell(pa, pb)) {
    last_kept_ = false;
    return false;
  }
  // A kept segment that goes on from the last kept one extends its polyline.
  if (!last_kept_ || !(last_end_ == pa)) {
    push_bounded(starts_, static_cast<std::uint32_t>(points_.size()));
    push_bounded(points_, pa);
  }
  push_bounded(points_, pb);
  last_end_ = pb;
  last_kept_ = true;
  ++segments_;
  return true;
}

std::size_t TraceStore::memoryBytes() const {
  return sizeof(*this) + points_.capacity() * sizeof(Packed) +
         starts_.capacity() * sizeof(std::uint32_t) + reached_.capacity() * sizeof(std::uint64_t);
}

Trace TraceStore::polylines() const {
  Trace out;
  forEachPolyline([&out](const std::vector<TracePoint>& line) { out.push_back(line); });
  return out;
}

}  // namespace orvinda
