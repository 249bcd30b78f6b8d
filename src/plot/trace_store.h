#pragma once
// The run's trace as it is kept for drawing again: polylines in metres, with
// memory bounded for any run length.
//
// A segment is kept only when it reaches a cell of a 1024 x 1024 lattice
// over the plot range that no kept segment has reached yet; a segment whose
// whole length runs through cells already reached would repeat, within
// about half a pixel of a 485-pixel plot, what is kept. A figure that closes
// is kept once however many times the run goes round; one that never closes
// fills at most every cell once. Points are held as 16-bit fractions of the
// range (1/65536 of it, far below a pixel of any picture made from it).
// So the store never holds more than 1024 * 1024 segments, about 8 MiB in
// the worst case, plus 128 KiB of lattice.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/trace.h"

namespace orvinda {

class TraceStore {
 public:
  // The range the trace is drawn in, metres: left, top, right, bottom.
  TraceStore(double left, double top, double right, double bottom);

  // A segment from a to b; false when it was dropped as a repeat.
  bool add(TracePoint a, TracePoint b);

  bool empty() const { return points_.empty(); }
  std::size_t segmentCount() const { return segments_; }
  std::size_t polylineCount() const { return starts_.size(); }
  // Bytes held, everything included.
  std::size_t memoryBytes() const;

  // The kept trace, polyline by polyline, in metres.
  Trace polylines() const;
  // Calls visit(points, count) for every polyline without copying it out.
  template <typename Visit>
  void forEachPolyline(Visit visit) const {
    std::vector<TracePoint> buffer;
    for (std::size_t i = 0; i < starts_.size(); ++i) {
      const std::size_t end = i + 1 < starts_.size() ? starts_[i + 1] : points_.size();
      buffer.clear();
      for (std::size_t k = starts_[i]; k < end; ++k) buffer.push_back(decode(points_[k]));
      visit(buffer);
    }
  }

  // The lattice of reached cells moves to a store that goes on with the
  // same trace after other drawing came between.
  void continueFrom(TraceStore& earlier) { reached_.swap(earlier.reached_); }

  double left() const { return left_; }
  double top() const { return top_; }
  double right() const { return right_; }
  double bottom() const { return bottom_; }

  static constexpr int kLattice = 1024;

 private:
  struct Packed {
    std::uint16_t u = 0, v = 0;
    bool operator==(const Packed&) const = default;
  };
  Packed encode(TracePoint p) const;
  TracePoint decode(Packed p) const;
  bool reachesNewCell(Packed a, Packed b);

  double left_, top_, right_, bottom_;
  std::vector<Packed> points_;
  std::vector<std::uint32_t> starts_;   // index of each polyline's first point
  std::vector<std::uint64_t> reached_;  // one bit per lattice cell
  std::size_t segments_ = 0;
  bool last_kept_ = false;
  Packed last_end_;
};

}  // namespace orvinda
