#include "platform/print_margins.h"

namespace orvinda {

QRectF page_area(const QRectF& paper, const QRectF& printable, double dots_per_mm) {
  const double m = kPrintMarginMm * dots_per_mm;
  const QRectF inside = paper.adjusted(m, m, -m, -m).intersected(printable);
  if (inside.isEmpty()) return QRectF();
  return inside.translated(-printable.topLeft());
}

}  // namespace orvinda
