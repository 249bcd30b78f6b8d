#include "tools/lab/lab_texts.h"

#include <cmath>

namespace orvinda {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

QString signed_number(double value, int decimals) {
  const QString digits = comma_number(std::fabs(value), decimals);
  if (value > 0) return QStringLiteral("+") + digits;
  if (value < 0) return QChar(0x2212) + digits;
  return digits;
}

}  // namespace

QString comma_number(double value, int decimals) {
  QString text = QString::number(value, 'f', decimals);
  if (text.startsWith(QLatin1Char('-'))) text.replace(0, 1, QChar(0x2212));
  return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

bool frequency_ready(const std::vector<FrequencyRow>& rows) {
  return distinct_ratios(rows) >= kMinFrequencyRatios;
}

bool phase_ready(const std::vector<ChordRow>& rows) {
  return phase_estimate(rows, Tilt::kFirstThird).phi0.n >= kMinChordRows;
}

QStringList frequency_result_lines(const std::vector<FrequencyRow>& rows) {
  if (!frequency_ready(rows)) {
    return {QStringLiteral("Нужно не меньше %1 строк с разными отношениями Nв : Nг (сейчас %2).")
                .arg(kMinFrequencyRatios)
                .arg(distinct_ratios(rows))};
  }
  const Estimate e = frequency_estimate(rows, kScaleClass);
  const ResultText r = result_text(e.mean, e.total);
  const ResultText sl = result_text(e.random, e.random);
  const ResultText sys = result_text(e.systematic, e.systematic);
  return {QStringLiteral("Среднее: f̄ = %1 Гц (n = %2, t = %3)")
              .arg(comma_number(e.mean, 3))
              .arg(e.n)
              .arg(comma_number(student_coefficient(e.n), 2)),
          QStringLiteral("Случайная погрешность: Δсл = %1 Гц").arg(q(sl.error)),
          QStringLiteral("Систематическая погрешность: Δсист = γ·f̄ = %1 Гц").arg(q(sys.error)),
          QStringLiteral("Итог: fx = (%1 ± %2) Гц").arg(q(r.value), q(r.error))};
}

QStringList phase_result_lines(const std::vector<ChordRow>& rows, Tilt tilt) {
  if (!phase_ready(rows)) {
    return {QStringLiteral("Нужно не меньше %1 строк.").arg(kMinChordRows)};
  }
  const PhaseEstimate p = phase_estimate(rows, tilt);
  QStringList lines{QStringLiteral("Среднее: φ₀ = %1° (n = %2); %3")
                        .arg(comma_number(p.phi0.mean, 2))
                        .arg(p.phi0.n)
                        .arg(tilt_text(tilt))};
  if (p.interval) {
    lines << QStringLiteral("Около 90° линейная оценка неверна: φ от %1° до %2°")
                 .arg(comma_number(p.low_deg, 1), comma_number(p.high_deg, 1));
  } else {
    const ResultText r = result_text(p.phi_deg, p.phi0.total);
    lines << QStringLiteral("Случайная погрешность: Δсл = %1°; погрешность отсчёта: δφ = %2°")
                 .arg(q(result_text(p.phi0.random, p.phi0.random).error),
                      q(result_text(p.phi0.systematic, p.phi0.systematic).error))
          << QStringLiteral("Итог: φ = (%1 ± %2)°").arg(q(r.value), q(r.error));
  }
  return lines;
}

QString tilt_text(Tilt tilt) {
  return tilt == Tilt::kFirstThird
             ? QStringLiteral("большая ось в I и III четвертях: φ = φ₀")
             : QStringLiteral("большая ось во II и IV четвертях: φ = 180° − φ₀");
}

QString check_text(const CheckRecord& check) {
  auto verdict = [](bool graded, bool passed) {
    return !graded  ? QStringLiteral("не выполнено")
           : passed ? QStringLiteral("зачтено")
                    : QStringLiteral("не зачтено");
  };
  return QStringLiteral("%1 — частота: %2; сдвиг фаз: %3")
      .arg(q(check.time), verdict(check.frequency_graded, check.frequency_passed),
           verdict(check.phase_graded, check.phase_passed));
}

QString hidden_text(const LabVariant& variant) {
  return QStringLiteral("Скрытые значения: fx = %1 Гц; ошибка шкалы генератора %2 %; сдвиг фаз %3°")
      .arg(comma_number(variant.fx_hz(), 2), signed_number(variant.scale_error_permille / 10.0, 1),
           comma_number(variant.shift_deg(), 1));
}

}  // namespace orvinda
