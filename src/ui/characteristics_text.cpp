#include "ui/characteristics_text.h"

#include <QLocale>

#include "model/format_pattern.h"
#include "model/numbers.h"
#include "ui/greek_text.h"

namespace orvinda {

namespace {

QString formatted(double value, const char* pattern, const QString& separator) {
  return QString::fromStdString(format_by_pattern(value, pattern, separator.toStdString()));
}

QString normal_form(double value) { return QString::fromStdString(format_signed_number(value)); }

}  // namespace

QString decimal_separator() { return QLocale::system().decimalPoint(); }

std::array<QString, 7> characteristics_texts(const Characteristics& c, const QString& separator) {
  std::array<QString, 7> t;
  t[0] = QStringLiteral("Ax=") + formatted(c.ax, "0.000E+00", separator) + QStringLiteral(" м");
  t[1] = QStringLiteral("fi_x=") + formatted(c.fix, "0.000", separator) + QStringLiteral(" ");
  t[2] = QStringLiteral("Ay=") + formatted(c.ay, "0.000E+00", separator) + QStringLiteral(" м");
  t[3] = QStringLiteral("fi_y=") + formatted(c.fiy, "0.000", separator) + QStringLiteral(" ");
  if (c.ax == 0) {
    t[4] = QStringLiteral("Ay/Ax -->00");
  } else {
    t[4] = QStringLiteral("Ay/Ax=") + formatted(c.ayax, "0.000", separator) + QStringLiteral(" ");
  }
  t[5] = greek_letters(QStringLiteral("Dj=") + formatted(c.dj, "0.000", separator) +
                       QStringLiteral("p"));
  t[6] = QStringLiteral("Wy/Wx=") + formatted(c.wywx, "0.000", separator) + QStringLiteral(" ");
  return t;
}

const std::array<QString, 6>& parameter_prompts() {
  static const std::array<QString, 6> prompts = {
      QStringLiteral("Wx(рад/с)="), QStringLiteral(" Xo(м)="), QStringLiteral("Vox(м/c)="),
      QStringLiteral("Wy(рад/с)="), QStringLiteral(" Yo(м)="), QStringLiteral("Voy(м/c)="),
  };
  return prompts;
}

QStringList parameter_texts(const MotionParameters& p) {
  const auto& prompts = parameter_prompts();
  return {
      prompts[0] + normal_form(p.wx),
      prompts[1] + normal_form(p.x0),
      prompts[2] + normal_form(p.vx0),
      prompts[3] + normal_form(p.wy),
      prompts[4] + normal_form(p.y0),
      prompts[5] + QString::fromStdString(format_signed_number(p.vy0)),
  };
}

}  // namespace orvinda
