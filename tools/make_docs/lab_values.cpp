#include "tools/make_docs/lab_values.h"

#include <array>
#include <vector>

#include "tools/lab/model/ellipse_phase.h"
#include "tools/lab/model/lab_variant.h"
#include "tools/lab/model/lab_work.h"

namespace orvinda::docs {

namespace {

// Readings as a student might take them at a bench whose signal is near 152,5 Гц.
const std::vector<FrequencyRow> kFrequencyRows{
    {1, 1, 152.40}, {1, 2, 76.35}, {2, 1, 305.10}, {2, 3, 101.70}, {3, 2, 228.75}};
const std::vector<ChordRow> kChordRows{{3.4, 6.0}, {2.3, 4.0}, {4.5, 8.0}};
constexpr Tilt kTilt = Tilt::kSecondFourth;

QString comma(double value, int decimals) {
  QString text = QString::number(value, 'f', decimals);
  if (text.startsWith(QLatin1Char('-'))) text.replace(0, 1, QChar(0x2212));
  return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString q(const std::string& text) { return QString::fromStdString(text); }

std::optional<QString> row_value(const QString& key) {
  const int dash = static_cast<int>(key.lastIndexOf(QLatin1Char('_')));
  bool ok = false;
  const int n = key.mid(dash + 1).toInt(&ok);
  if (!ok || n < 1) return std::nullopt;
  const QString what = key.left(dash);
  const auto i = static_cast<std::size_t>(n - 1);
  if (i < kFrequencyRows.size()) {
    const FrequencyRow& r = kFrequencyRows[i];
    if (what == QLatin1String("ng")) return QString::number(r.ng);
    if (what == QLatin1String("nv")) return QString::number(r.nv);
    if (what == QLatin1String("dial")) return comma(r.dial_hz, 2);
    if (what == QLatin1String("fx")) return comma(r.fx_hz(), 2);
  }
  if (i < kChordRows.size()) {
    const ChordRow& r = kChordRows[i];
    const ChordReading p = phase_from_chords(r.b, r.a);
    if (what == QLatin1String("b")) return comma(r.b, 1);
    if (what == QLatin1String("a")) return comma(r.a, 1);
    if (what == QLatin1String("sin")) return comma(p.sin_phi0, 3);
    if (what == QLatin1String("phi0")) return comma(p.phi0_deg, 1);
    if (what == QLatin1String("dphi")) return comma(p.error_deg, 1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<QString> lab_value(const QString& key) {
  const Estimate e = frequency_estimate(kFrequencyRows, kScaleClass);
  const ResultText f = result_text(e.mean, e.total);
  const PhaseEstimate p = phase_estimate(kChordRows, kTilt);
  const ResultText phi = result_text(p.phi_deg, p.phi0.total);
  if (key == QLatin1String("n")) return QString::number(e.n);
  if (key == QLatin1String("t")) return comma(student_coefficient(e.n), 2);
  if (key == QLatin1String("mean")) return comma(e.mean, 3);
  if (key == QLatin1String("random")) return q(result_text(e.random, e.random).error);
  if (key == QLatin1String("systematic")) return q(result_text(e.systematic, e.systematic).error);
  if (key == QLatin1String("result_value")) return q(f.value);
  if (key == QLatin1String("result_error")) return q(f.error);
  if (key == QLatin1String("phi0_mean")) return comma(p.phi0.mean, 2);
  if (key == QLatin1String("phase_random"))
    return q(result_text(p.phi0.random, p.phi0.random).error);
  if (key == QLatin1String("phase_reading")) {
    return q(result_text(p.phi0.systematic, p.phi0.systematic).error);
  }
  if (key == QLatin1String("phi_value")) return q(phi.value);
  if (key == QLatin1String("phi_error")) return q(phi.error);
  return row_value(key);
}

}  // namespace orvinda::docs
