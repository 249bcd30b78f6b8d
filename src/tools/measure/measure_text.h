#pragma once
// The texts of the measuring readouts: coordinates, a segment and a counting
// line, in metres, with the user's decimal separator and a real minus sign.

#include <QString>
#include <QStringList>

#include "model/trace.h"
#include "tools/measure/model/crossings.h"
#include "tools/measure/model/ellipse_method.h"

namespace orvinda {

struct MeasureFormat {
  int decimals = 2;
  QString separator = QStringLiteral(",");
  QString unit = QStringLiteral("м");  // the oscilloscope measures in divisions
};

// A counting line's place alone, without its count.
QString counting_line_position(const CountingLine& line, const MeasureFormat& format);

// Enough decimals that a step of one pixel shows in the last one.
int decimals_for_pixel(double metres_per_pixel);

// "1,23", "−0,45"; never "−0,00". Beyond a billion in the exponent form.
QString metres_number(double value, const MeasureFormat& format);

// "x = 1,23 м; y = −0,45 м"
QString coordinates_text(TracePoint point, const MeasureFormat& format);

// Three lines: the ends, the length, Δx and Δy.
QStringList segment_texts(TracePoint from, TracePoint to, const MeasureFormat& format);

// "y = 1,30 м; пересечений Nг = 4", and a second line with the warnings, if any.
QStringList counting_line_texts(const CountingLine& line, const CrossingCount& count,
                                const MeasureFormat& format);
// The same in one sentence, for screen readers.
QString counting_line_description(const CountingLine& line, const CrossingCount& count,
                                  const MeasureFormat& format);

// The ellipse method's readout: b, a, sin φ₀ and φ₀, the quadrant and Δφ
// with its error; or why the method does not apply.
QStringList ellipse_texts(const EllipseReading& reading, const MeasureFormat& format);

}  // namespace orvinda
