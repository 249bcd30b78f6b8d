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
  if (count.arc_end) parts << QStringLiteral("конец дуги");
  return parts.join(QStringLiteral(", "));
}

// Nг for a horizontal line, Nв for a vertical one, as the documents write them.
QString count_text(const CountingLine& line, const CrossingCount& count) {
  const bool horizontal = line.direction == LineDirection::kHorizontal;
  return (horizontal ? QStringLiteral("Nг = %1") : QStringLiteral("Nв = %1")).arg(count.count());
}

QString degrees(double value, const QString& separator, int decimals = 1) {
  QString text = QString::number(std::fabs(value), 'f', decimals);
  text.replace(QLatin1Char('.'), separator);
  const bool zero =
      std::none_of(text.begin(), text.end(), [](QChar c) { return c >= '1' && c <= '9'; });
  return (value < 0 && !zero ? QString(kMinus) : QString()) + text;
}

QString position_text(const CountingLine& line, const MeasureFormat& format) {
  const bool horizontal = line.direction == LineDirection::kHorizontal;
  return (horizontal ? QStringLiteral("y = ") : QStringLiteral("x = ")) +
         metres_number(line.value, format) + QLatin1Char(' ') + format.unit;
}

}  // namespace

QString counting_line_position(const CountingLine& line, const MeasureFormat& format) {
  return position_text(line, format);
}

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
  return QStringLiteral("x = %1 %3; y = %2 %3")
      .arg(metres_number(point.x, format), metres_number(point.y, format), format.unit);
}

QStringList segment_texts(TracePoint from, TracePoint to, const MeasureFormat& format) {
  const SegmentMeasure m = measure_segment(from, to);
  auto point = [&format](TracePoint p) {
    return QStringLiteral("(%1; %2)").arg(metres_number(p.x, format), metres_number(p.y, format));
  };
  return {point(from) + QStringLiteral(" — ") + point(to),
          QStringLiteral("длина = %1 %2").arg(metres_number(m.length, format), format.unit),
          QStringLiteral("Δx = %1 %3; Δy = %2 %3")
              .arg(metres_number(m.dx, format), metres_number(m.dy, format), format.unit)};
}

QStringList counting_line_texts(const CountingLine& line, const CrossingCount& count,
                                const MeasureFormat& format) {
  QStringList texts{position_text(line, format) + QStringLiteral("; пересечений ") +
                    count_text(line, count)};
  const QString warned = warnings(count);
  if (!warned.isEmpty()) texts << warned;
  return texts;
}

QString counting_line_description(const CountingLine& line, const CrossingCount& count,
                                  const MeasureFormat& format) {
  const bool horizontal = line.direction == LineDirection::kHorizontal;
  QString text = (horizontal ? QStringLiteral("Горизонтальная счётная линия ")
                             : QStringLiteral("Вертикальная счётная линия ")) +
                 position_text(line, format) + QStringLiteral(": пересечений с фигурой ") +
                 count_text(line, count);
  const QString warned = warnings(count);
  if (!warned.isEmpty()) text += QStringLiteral(", ") + warned;
  return text;
}

QStringList ellipse_texts(const EllipseReading& e, const MeasureFormat& format) {
  QStringList texts{QStringLiteral("Метод эллипса")};
  if (!e.applies) {
    texts << QString::fromStdString(e.refusal);
    return texts;
  }
  const QString& sep = format.separator;
  const QChar deg(0x00B0);
  texts << QStringLiteral("b = %1 м (хорда на оси y)").arg(metres_number(e.b, format))
        << QStringLiteral("a = %1 м (между касательными)").arg(metres_number(e.a, format))
        << QStringLiteral("sin φ₀ = b/a = %1; φ₀ = %2%3 = %4π")
               .arg(degrees(e.sin_phi0, sep, 3), degrees(e.phi0_deg, sep), deg,
                    degrees(e.phi0_deg / 180, sep, 3));
  texts << (e.leans_right ? QStringLiteral("большая ось в I и III четвертях: |Δφ| = φ₀")
                          : QStringLiteral("большая ось во II и IV четвертях: |Δφ| = 180° − φ₀"));
  const QString sense = e.anticlockwise ? QStringLiteral("обход против часовой стрелки: ")
                                        : QStringLiteral("обход по часовой стрелке: ");
  const double sign = e.anticlockwise ? 1 : -1;
  if (e.interval) {
    const double from = sign > 0 ? e.interval_low_deg : -e.interval_high_deg;
    const double to = sign > 0 ? e.interval_high_deg : -e.interval_low_deg;
    texts << sense + QStringLiteral("Δφ от %1%3 до %2%3")
                         .arg(degrees(from, sep), degrees(to, sep), deg);
  } else {
    texts << sense + QStringLiteral("Δφ = %1%3 ± %2%3 = (%4 ± %5)π")
                         .arg(degrees(e.dphi_deg, sep), degrees(e.error_deg, sep), deg,
                              degrees(e.dphi_deg / 180, sep, 3),
                              degrees(e.error_deg / 180, sep, 3));
  }
  return texts;
}

}  // namespace orvinda
