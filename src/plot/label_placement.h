#pragma once
// Where a readout label goes on a picture: beside what it describes, inside
// the picture, and never over the points it describes.

#include <QLineF>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <vector>

namespace orvinda {

struct LabelObstacles {
  std::vector<QPointF> points;  // what the label describes: never covered
  std::vector<QLineF> lines;    // drawn marks best left clear
  std::vector<QRectF> rects;    // other labels, best left clear
};

// The first candidate that lies inside bounds and keeps gap pixels clear of
// every obstacle; failing that the first inside bounds clear of the points;
// failing that a candidate pushed inside bounds, clear of the points when one
// can be.
QRect place_label(const std::vector<QRect>& candidates, const QRect& bounds,
                  const LabelObstacles& obstacles, int gap);

// Four places for a label of the given size around a point, gap pixels off
// it: below right (as a tooltip goes), above right, below left, above left.
std::vector<QRect> around_point(QPointF point, QSize size, int gap);

}  // namespace orvinda
