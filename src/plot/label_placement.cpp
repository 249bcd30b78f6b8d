#include "plot/label_placement.h"

#include <cmath>

namespace orvinda {

namespace {

bool covers(const QRectF& rect, QPointF p) {
  return p.x() >= rect.left() && p.x() <= rect.right() && p.y() >= rect.top() &&
         p.y() <= rect.bottom();
}

bool meets(const QRectF& rect, const QLineF& line) {
  if (covers(rect, line.p1()) || covers(rect, line.p2())) return true;
  const QLineF edges[4] = {{rect.topLeft(), rect.topRight()},
                           {rect.topRight(), rect.bottomRight()},
                           {rect.bottomRight(), rect.bottomLeft()},
                           {rect.bottomLeft(), rect.topLeft()}};
  for (const QLineF& edge : edges) {
    if (line.intersects(edge, nullptr) == QLineF::BoundedIntersection) return true;
  }
  return false;
}

bool clear_of_points(const QRect& r, const LabelObstacles& o, int gap) {
  const QRectF grown = QRectF(r).adjusted(-gap, -gap, gap, gap);
  for (QPointF p : o.points) {
    if (covers(grown, p)) return false;
  }
  return true;
}

bool clear_of_all(const QRect& r, const LabelObstacles& o, int gap) {
  if (!clear_of_points(r, o, gap)) return false;
  const QRectF grown = QRectF(r).adjusted(-gap, -gap, gap, gap);
  for (const QLineF& line : o.lines) {
    if (meets(grown, line)) return false;
  }
  for (const QRectF& other : o.rects) {
    if (grown.intersects(other)) return false;
  }
  return true;
}

QRect pushed_inside(QRect r, const QRect& bounds) {
  if (r.right() > bounds.right()) r.moveRight(bounds.right());
  if (r.bottom() > bounds.bottom()) r.moveBottom(bounds.bottom());
  if (r.left() < bounds.left()) r.moveLeft(bounds.left());
  if (r.top() < bounds.top()) r.moveTop(bounds.top());
  return r;
}

}  // namespace

QRect place_label(const std::vector<QRect>& candidates, const QRect& bounds,
                  const LabelObstacles& obstacles, int gap) {
  if (candidates.empty()) return {};
  for (const QRect& r : candidates) {
    if (bounds.contains(r) && clear_of_all(r, obstacles, gap)) return r;
  }
  for (const QRect& r : candidates) {
    if (bounds.contains(r) && clear_of_points(r, obstacles, gap)) return r;
  }
  for (const QRect& r : candidates) {
    const QRect inside = pushed_inside(r, bounds);
    if (clear_of_points(inside, obstacles, gap)) return inside;
  }
  return pushed_inside(candidates.front(), bounds);
}

std::vector<QRect> around_point(QPointF point, QSize size, int gap) {
  const int right = static_cast<int>(std::floor(point.x())) + gap + 1;
  const int below = static_cast<int>(std::floor(point.y())) + gap + 1;
  const int left = static_cast<int>(std::ceil(point.x())) - gap - 1 - size.width();
  const int above = static_cast<int>(std::ceil(point.y())) - gap - 1 - size.height();
  return {QRect(QPoint(right, below), size), QRect(QPoint(right, above), size),
          QRect(QPoint(left, below), size), QRect(QPoint(left, above), size)};
}

}  // namespace orvinda
