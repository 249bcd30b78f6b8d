#pragma once
// Where a printed page is drawn: inside the printer's printable area and at
// least kPrintMarginMm from every edge of the paper, so that no printer cuts
// it off, whatever the paper and the printer's own margins.

#include <QRectF>

namespace orvinda {

inline constexpr double kPrintMarginMm = 15;

// paper and printable in device units, dots_per_mm of the device; the result
// in the painter's coordinates, whose origin is the printable area's corner.
// Empty when the paper leaves no room.
QRectF page_area(const QRectF& paper, const QRectF& printable, double dots_per_mm);

}  // namespace orvinda
