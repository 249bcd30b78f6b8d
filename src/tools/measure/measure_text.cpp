#include "tools/measure/measure_text.h"

#include <QChar>
#include <algorithm>
#include <cmath>

#include "model/numbers.h"
#include "tools/measure/model/segment_measure.h"

namespace orvinda {

namespace {

const QChar kMinus(0x2212);

QString warnings(const CrossingCount& count) {
  QStringList parts;
  if (count.near_node) parts << QStringLiteral("через узел");
  if (count.tangency) parts << QStringLiteral("касание");
  return parts.join(QStringLiteral(", "));
}

QString position_text(const CountingLine& line, const MeasureFormat& format) {
  const bool horizontal = line.direction == LineDirection::kHorizontal;
  return (horizontal ? QStringLiteral("y = ") : QStringLiteral("x = ")) +
         metres_number(line.value, format) + QStringLiteral(" м");
}

}  // namespace

int decimals_for_pixel(double metres_per_pixel) {
  if (!(metres_per_pixel > 0) || !std::isfinite(metres_per_pixel)) return 2;
  return std::clamp(static_cast<int>(std::ceil(-std::log10(metres_per_pixel))), 0, 9);
}

QString metres_number(double value, const MeasureFormat& format) {
  const double v = saturate(value);
  const double magnitude = std::fabs(v);
  QString digits = magnitude >= 1e9 ? QString::number(magnitude, 'e', 3)
                                    : QString::number(magnitude, 'f', format.decimals);
  // A value that rounds to zero has no sign.
  const bool zero =
      std::none_of(digits.begin(), digits.end(), [](QChar c) { return c >= '1' && c <= '9'; });
  digits.replace(QLatin1Char('.'), format.separator);
  return v < 0 && !zero ? kMinus + digits : digits;
}

QString coordinates_text(TracePoint point, const MeasureFormat& format) {
  return QStringLiteral("x = %1 м; y = %2 м")
      .arg(metres_number(point.x, format), metres_number(point.y, format));
}

QStringList segment_texts(TracePoint from, TracePoint to, const MeasureFormat& format) {
  const SegmentMeasure m = measure_segment(from, to);
  auto point = [&format](TracePoint p) {
    return QStringLiteral("(%1; %2)").arg(metres_number(p.x, format), metres_number(p.y, format));
  };
  return {point(from) + QStringLiteral(" — ") + point(to),
          QStringLiteral("длина = %1 м").arg(metres_number(m.length, format)),
          QStringLiteral("Δx = %1 м; Δy = %2 м")
              .arg(metres_number(m.dx, format), metres_number(m.dy, format))};
}

QStringList counting_line_texts(const CountingLine& line, const CrossingCount& count,
                                const MeasureFormat& format) {
  QStringList texts{position_text(line, format) +
                    QStringLiteral("; пересечений: %1").arg(count.count())};
  const QString warned = warnings(count);
  if (!warned.isEmpty()) texts << warned;
  return texts;
}

QString counting_line_description(const CountingLine& line, const CrossingCount& count,
                                  const MeasureFormat& format) {
  const bool horizontal = line.direction == LineDirection::kHorizontal;
  QString text = (horizontal ? QStringLiteral("Горизонтальная счётная линия ")
                             : QStringLiteral("Вертикальная счётная линия ")) +
                 position_text(line, format) +
                 QStringLiteral(": пересечений со следом %1").arg(count.count());
  const QString warned = warnings(count);
  if (!warned.isEmpty()) text += QStringLiteral(", ") + warned;
  return text;
}

}  // namespace orvinda
