#include "tools/make_docs/values.h"

#include <QHash>
#include <QPointF>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "model/format_pattern.h"
#include "model/numbers.h"
#include "model/run_stepper.h"
#include "plot/plot_range.h"
#include "tools/make_docs/figures.h"
#include "tools/make_docs/lab_values.h"
#include "tools/measure/model/crossings.h"
#include "tools/measure/model/drawn_figure.h"
#include "tools/measure/model/ellipse_method.h"
#include "tools/measure/model/tangency_count.h"
#include "tools/self_check/model/figure_comparison.h"

namespace orvinda::docs {

namespace {

constexpr const char* kBoxes[5] = {"wy", "x0", "vx0", "y0", "vy0"};
constexpr int kMostTurns = 20;

struct Experiment {
  QString boxes[5];  // as typed, in the order of kBoxes
  MotionParameters p;
  Characteristics c;
  int turns = 0;          // of x until the figure closes; 0 when not within kMostTurns
  int wy_turns = 0;       // of y in the same time
  bool intended = false;  // turns and wy_turns come from a figure's ratio
};

QString pattern_text(double value, const char* pattern, const char* separator) {
  return QString::fromStdString(format_by_pattern(value, pattern, separator));
}

// The boxes read as the window reads them.
void read_boxes(Experiment& e) {
  double v[5];
  for (int i = 0; i < 5; ++i) v[i] = parse_leading_number(e.boxes[i].toStdString());
  e.p.wx = 1;
  e.p.wy = v[0];
  e.p.x0 = v[1];
  e.p.vx0 = v[2];
  e.p.y0 = v[3];
  e.p.vy0 = to_single(v[4]);
  e.c = compute_characteristics(e.p, 0, false);
  const double ratio = e.c.wywx;
  for (int q = 1; q <= kMostTurns; ++q) {
    if (std::fabs(q * ratio - std::round(q * ratio)) <= 1e-6) {
      e.turns = q;
      e.wy_turns = static_cast<int>(std::lround(q * ratio));
      break;
    }
  }
}

// The motion in small steps, for what a coarse trace would blunt
// (tangencies, the direction of a thin ellipse).
std::vector<QPointF> fine_trace(const Experiment& e, int turns) {
  const double faster = std::max(1.0, static_cast<double>(e.c.wywx));
  const float dt = static_cast<float>(kTruncatedTwoPi / 720 / faster);
  RunStepper stepper(e.p, e.c.wywx, dt);
  const long steps = static_cast<long>(std::floor(turns * kTruncatedTwoPi / dt));
  std::vector<QPointF> points{QPointF(e.p.x0, e.p.y0)};
  for (long i = 0; i < steps; ++i) {
    const RunStep s = stepper.next();
    points.emplace_back(s.x, s.y);
  }
  points.push_back(points.front());
  return points;
}

std::vector<PlanePoint> plane_points(const std::vector<QPointF>& path) {
  std::vector<PlanePoint> points;
  points.reserve(path.size());
  for (const QPointF& p : path) points.push_back({p.x(), p.y()});
  return points;
}

// A fraction of pi as a document writes it: "1/4", "-3/4", "0.2".
std::optional<double> read_fraction(const QString& text) {
  bool ok = false;
  const int slash = text.indexOf(QLatin1Char('/'));
  if (slash < 0) {
    const double v = text.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
  }
  bool ok2 = false;
  const double num = text.left(slash).toDouble(&ok);
  const double den = text.mid(slash + 1).toDouble(&ok2);
  if (!ok || !ok2 || den == 0) return std::nullopt;
  return num / den;
}

class Values {
 public:
  explicit Values(bool html) : html_(html) {}
  QString expand(const QString& inner);
  QStringList problems;

 private:
  QString define(const QStringList& words);
  QString boxes(const Experiment& e) const;
  QString value(const Experiment& e, const QString& name, const QString& key, int digits,
                const QHash<QString, QString>& args);
  bool need_ratio_one(const Experiment& e, const QString& what);
  bool need_closing(const Experiment& e, const QString& what);
  QHash<QString, Experiment> experiments_;
  bool html_;
};

QString Values::expand(const QString& inner) {
  const QStringList words = inner.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (words.isEmpty()) {
    problems << QStringLiteral("empty {{}}");
    return {};
  }
  if (words.first() == QLatin1String("set")) return define(words);

  static const QRegularExpression head(
      QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)\\.([a-z_][a-z0-9_]*)(?::(\\d))?$"));
  const QRegularExpressionMatch m = head.match(words.first());
  if (!m.hasMatch()) {
    problems << QStringLiteral("cannot read {{%1}}").arg(inner);
    return {};
  }
  QHash<QString, QString> args;
  for (int i = 1; i < words.size(); ++i) {
    const int eq = words[i].indexOf(QLatin1Char('='));
    if (eq <= 0) {
      problems << QStringLiteral("cannot read %1 in {{%2}}").arg(words[i], inner);
      return {};
    }
    args.insert(words[i].left(eq), words[i].mid(eq + 1));
  }
  const QString name = m.captured(1);
  const QString key = m.captured(2);
  const int digits = m.captured(3).isEmpty() ? -1 : m.captured(3).toInt();
  if (name == QLatin1String("model")) {
    if (key == QLatin1String("np")) return QString::number(kStepsPerPeriod);
    problems << QStringLiteral("unknown model value %1").arg(key);
    return {};
  }
  if (name == QLatin1String("lab")) {
    const std::optional<QString> text = lab_value(key);
    if (!text) problems << QStringLiteral("unknown lab value %1").arg(key);
    return html_ ? text.value_or(QString()).toHtmlEscaped() : text.value_or(QString());
  }
  const auto it = experiments_.constFind(name);
  if (it == experiments_.constEnd()) {
    problems << QStringLiteral("experiment %1 is used before {{set %1 …}}").arg(name);
    return {};
  }
  if (key == QLatin1String("boxes")) return boxes(*it);
  const QString text = value(*it, name, key, digits, args);
  return html_ ? text.toHtmlEscaped() : text;
}

QString Values::define(const QStringList& words) {
  if (words.size() < 3) {
    problems << QStringLiteral("{{set}} needs a name and values");
    return {};
  }
  const QString name = words[1];
  QHash<QString, QString> args;
  for (int i = 2; i < words.size(); ++i) {
    const int eq = words[i].indexOf(QLatin1Char('='));
    if (eq > 0) args.insert(words[i].left(eq), words[i].mid(eq + 1));
  }
  Experiment e;
  if (args.contains(QStringLiteral("ratio"))) {
    const QStringList parts = args.value(QStringLiteral("ratio")).split(QLatin1Char(':'));
    const std::optional<double> dphi = read_fraction(args.value(QStringLiteral("dphi"), "0"));
    const double a = args.value(QStringLiteral("a"), "4").toDouble();
    const double ax = args.value(QStringLiteral("ax"), QString::number(a)).toDouble();
    const double ay = args.value(QStringLiteral("ay"), QString::number(a)).toDouble();
    const int wx_part = parts.size() == 2 ? parts[0].toInt() : 0;
    const int wy_part = parts.size() == 2 ? parts[1].toInt() : 0;
    if (wx_part <= 0 || wy_part <= 0 || !dphi || ax <= 0 || ay <= 0) {
      problems << QStringLiteral("cannot read {{%1}}").arg(words.join(QLatin1Char(' ')));
      return {};
    }
    // Multiples of pi/4 come out exact: cos and sin of the true angle.
    const double angle = *dphi * std::numbers::pi;
    const QString wy = typed_number(static_cast<double>(wy_part) / wx_part);
    const double typed_wy = parse_leading_number(wy.toStdString());
    e.boxes[0] = wy;
    e.boxes[1] = typed_number(ax);
    e.boxes[2] = typed_number(0);
    e.boxes[3] = typed_number(ay * std::cos(angle));
    e.boxes[4] = typed_number(ay * typed_wy * std::sin(angle));
    read_boxes(e);
    // A ratio such as 4/3 cannot be typed exactly; the figure is the one of
    // its whole numbers all the same.
    e.turns = wx_part;
    e.wy_turns = wy_part;
    e.intended = true;
  } else {
    for (int i = 0; i < 5; ++i) {
      const QString typed = args.value(QString::fromLatin1(kBoxes[i]));
      if (typed.isEmpty()) {
        problems << QStringLiteral("{{set %1}} lacks %2").arg(name, QString::fromLatin1(kBoxes[i]));
        return {};
      }
      if (typed_number(parse_leading_number(typed.toStdString())) != typed) {
        problems << QStringLiteral("{{set %1}}: %2=%3 is not how a value is typed (%4)")
                        .arg(name, QString::fromLatin1(kBoxes[i]), typed,
                             typed_number(parse_leading_number(typed.toStdString())));
      }
      e.boxes[i] = typed;
    }
    read_boxes(e);
    if (e.p.wy <= 0) problems << QStringLiteral("{{set %1}}: Wy must be above 0").arg(name);
  }
  experiments_.insert(name, e);
  return {};
}

QString Values::boxes(const Experiment& e) const {
  static const char* const labels[5] = {"Wy", "Xo", "Vox", "Yo", "Voy"};
  QStringList parts;
  for (int i = 0; i < 5; ++i) {
    const QString label = QString::fromLatin1(labels[i]);
    parts << (html_ ? QStringLiteral("%1&nbsp;=&nbsp;<tt>%2</tt>")
                          .arg(label, e.boxes[i].toHtmlEscaped())
                    : QStringLiteral("%1 = %2").arg(label, e.boxes[i]));
  }
  return parts.join(QStringLiteral(", "));
}

bool Values::need_ratio_one(const Experiment& e, const QString& what) {
  if (e.turns == 1 && std::fabs(e.c.wywx - 1.0f) < 1e-6f) return true;
  problems << QStringLiteral("%1 needs equal frequencies").arg(what);
  return false;
}

bool Values::need_closing(const Experiment& e, const QString& what) {
  if (e.turns > 0) return true;
  problems
      << QStringLiteral("%1 needs a figure that closes within %2 turns").arg(what).arg(kMostTurns);
  return false;
}

QString Values::value(const Experiment& e, const QString& name, const QString& key, int digits,
                      const QHash<QString, QString>& args) {
  const QString what = name + QLatin1Char('.') + key;
  const int d = digits < 0 ? 3 : digits;
  auto number = [d](double v) { return russian_number(v, d); };
  auto arg = [&](const char* k) -> std::optional<double> {
    const QString text = args.value(QString::fromLatin1(k));
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok) {
      problems << QStringLiteral("%1 needs %2=…").arg(what, QString::fromLatin1(k));
      return std::nullopt;
    }
    return v;
  };
  const Characteristics& c = e.c;

  for (int i = 0; i < 5; ++i) {
    if (key == QLatin1String(kBoxes[i])) return e.boxes[i];
  }
  if (key == QLatin1String("show_ax")) {
    return QStringLiteral("Ax=") + pattern_text(c.ax, "0.000E+00", ",") + QStringLiteral(" м");
  }
  if (key == QLatin1String("show_fix"))
    return QStringLiteral("fi_x=") + pattern_text(c.fix, "0.000", ",");
  if (key == QLatin1String("show_ay")) {
    return QStringLiteral("Ay=") + pattern_text(c.ay, "0.000E+00", ",") + QStringLiteral(" м");
  }
  if (key == QLatin1String("show_fiy"))
    return QStringLiteral("fi_y=") + pattern_text(c.fiy, "0.000", ",");
  if (key == QLatin1String("show_ayax")) {
    if (!c.ayax_defined) return QStringLiteral("Ay/Ax -->00");
    return QStringLiteral("Ay/Ax=") + pattern_text(c.ayax, "0.000", ",");
  }
  if (key == QLatin1String("show_dj")) {
    return QStringLiteral("Δφ=") + pattern_text(c.dj, "0.000", ",") + QStringLiteral("π");
  }
  if (key == QLatin1String("show_wywx")) {
    return QStringLiteral("Wy/Wx=") + pattern_text(c.wywx, "0.000", ",");
  }
  if (key == QLatin1String("ax")) return number(c.ax);
  if (key == QLatin1String("ay")) return number(c.ay);
  if (key == QLatin1String("fix")) return number(c.fix);
  if (key == QLatin1String("fiy")) return number(c.fiy);
  if (key == QLatin1String("ayax")) return number(c.ayax);
  if (key == QLatin1String("ux")) return number(saturate(e.p.vx0 / e.p.wx));
  if (key == QLatin1String("uy")) return number(saturate(e.p.vy0 / e.p.wy));
  if (key == QLatin1String("wywx")) return number(c.wywx);
  if (key == QLatin1String("dj")) return number(c.dj);
  if (key == QLatin1String("dj_reduced")) {
    double r = c.dj - 2 * std::floor((c.dj + 1) / 2);  // into [-1, 1)
    if (r == -1) r = 1;
    return number(r);
  }
  if (key == QLatin1String("dphi")) return number(c.dj * kTruncatedPi);
  if (key == QLatin1String("kyx")) return number(static_cast<double>(c.wywx) * c.wywx);
  if (key == QLatin1String("dt")) return number(c.dt / e.p.wx);
  if (key == QLatin1String("R")) return number(plot_radius(c.ax, c.ay));

  if (key == QLatin1String("turns")) {
    if (!need_closing(e, what)) return {};
    return QString::number(e.turns);
  }
  if (key == QLatin1String("wy_turns")) {
    if (!need_closing(e, what)) return {};
    return QString::number(e.wy_turns);
  }
  if (key == QLatin1String("moment")) {
    return number(e.p.x0 * static_cast<double>(e.p.vy0) - e.p.y0 * e.p.vx0);
  }
  if (key == QLatin1String("period")) {
    if (!need_closing(e, what)) return {};
    return number(e.turns * kTruncatedTwoPi / e.p.wx);
  }
  if (key == QLatin1String("shape_phase") || key == QLatin1String("open")) {
    if (!need_closing(e, what)) return {};
    double s = (e.turns * c.fiy - e.wy_turns * c.fix) / kTruncatedPi;
    s -= 2 * std::floor((s + 1) / 2);    // into [-1, 1)
    if (std::fabs(s + 1) < 1e-6) s = 1;  // and -1 as +1
    const bool open = std::fabs(s - std::round(s)) < 1e-6;
    if (key == QLatin1String("open")) return open ? QStringLiteral("да") : QStringLiteral("нет");
    return number(std::fabs(s) < 1e-9 ? 0.0 : s);
  }
  if (key == QLatin1String("drift")) {
    if (!e.intended) {
      problems << QStringLiteral("%1 needs {{set … ratio=…}}").arg(what);
      return {};
    }
    const double off = static_cast<double>(c.wywx) - static_cast<double>(e.wy_turns) / e.turns;
    return number(std::fabs(off) * e.turns * e.turns * kTruncatedTwoPi);
  }
  if (key == QLatin1String("direction")) {
    if (!need_ratio_one(e, what)) return {};
    switch (traversal(plane_points(fine_trace(e, 1)))) {
      case Traversal::kNone: return QStringLiteral("туда и обратно");
      case Traversal::kCounterclockwise: return QStringLiteral("против часовой стрелки");
      case Traversal::kClockwise: return QStringLiteral("по часовой стрелке");
    }
  }
  if (key == QLatin1String("touch_top") || key == QLatin1String("touch_right")) {
    if (!need_closing(e, what)) return {};
    const bool right = key == QLatin1String("touch_right");
    const Tangencies touches = count_tangencies(e.p, {e.turns, e.wy_turns});
    // Points, as a reader counts them on the picture: an arc's end is one.
    return QString::number((right ? touches.right : touches.top).size());
  }
  // Counted as the measuring layer counts, on the whole figure (the time is
  // cut to one closing span), to the pixel of a 640 × 530 window.
  const DrawnFigure figure(e.p, c.wywx, 2 * kTruncatedTwoPi * std::max(1, e.turns));
  const double pixel = 2 * std::max(c.ax, c.ay) * 1.2 / 485;
  auto count = [&](bool horizontal, double level) {
    const CrossingCount n = count_crossings(
        figure, {horizontal ? LineDirection::kHorizontal : LineDirection::kVertical, level}, pixel);
    // A student cannot count passes through a node or a touch.
    if (n.near_node || n.tangency || n.arc_end) {
      problems << QStringLiteral("%1: the line at %2 passes too near a node or a tangency")
                      .arg(what)
                      .arg(level);
    }
    return n.count();
  };
  if (key == QLatin1String("nx") || key == QLatin1String("ny")) {
    if (!need_closing(e, what)) return {};
    const std::optional<double> level = arg("level");
    if (!level) return {};
    return QString::number(count(key == QLatin1String("nx"), *level));
  }
  if (key == QLatin1String("count_ratio")) {
    if (!need_closing(e, what)) return {};
    const std::optional<double> y = arg("y");
    const std::optional<double> x = arg("x");
    if (!y || !x) return {};
    const int across = count(false, *x);
    if (across == 0) {
      problems << QStringLiteral("%1: the line x = %2 misses the figure").arg(what).arg(*x);
      return {};
    }
    QString text = number(static_cast<double>(count(true, *y)) / across);
    if (text.contains(QLatin1Char(','))) {
      while (text.endsWith(QLatin1Char('0'))) text.chop(1);
      if (text.endsWith(QLatin1Char(','))) text.chop(1);
    }
    return text;
  }
  if (key == QLatin1String("chord_b") || key == QLatin1String("height_a") ||
      key == QLatin1String("b_over_a") || key == QLatin1String("dphi_ellipse")) {
    if (!need_ratio_one(e, what)) return {};
    const EllipseReading r = ellipse_method(figure, pixel);
    if (!r.applies) {
      problems << QStringLiteral("%1: %2").arg(what, QString::fromStdString(r.refusal));
      return {};
    }
    if (key == QLatin1String("chord_b")) return number(r.b);
    if (key == QLatin1String("height_a")) return number(r.a);
    if (key == QLatin1String("b_over_a")) return number(r.sin_phi0);
    return number(r.dphi_deg / 180);
  }
  const double slip = std::fabs(static_cast<double>(c.wywx) - 1.0) * e.p.wx;
  if (key.startsWith(QLatin1String("beat"))) {
    if (slip < 1e-9) {
      problems << QStringLiteral("%1: the frequencies are equal").arg(what);
      return {};
    }
    const double beat = kTruncatedTwoPi / slip;
    if (key == QLatin1String("beat")) return number(beat);
    if (key == QLatin1String("beat_turns")) return number(beat * e.p.wx / kTruncatedTwoPi);
    if (key == QLatin1String("beat_time")) {
      const std::optional<double> shift = arg("shift");
      return shift ? number(*shift * kTruncatedPi / slip) : QString();
    }
    const double steps = beat * e.p.wx / c.dt;
    if (key == QLatin1String("beat_steps")) return number(steps);
    if (key == QLatin1String("beat_clock")) {
      const std::optional<double> zam = arg("zam");
      return zam ? number(steps * 10 * *zam / 1000) : QString();
    }
  }
  problems << QStringLiteral("unknown value %1").arg(what);
  return {};
}

}  // namespace

QString russian_number(double value, int digits) {
  std::string pattern = "0";
  if (digits > 0) pattern += "." + std::string(static_cast<std::size_t>(digits), '0');
  QString text = QString::fromStdString(format_by_pattern(value, pattern, ","));
  if (text.startsWith(QLatin1Char('-'))) text.replace(0, 1, QChar(0x2212));
  return text;
}

QString typed_number(double value) {
  QString text = QString::fromStdString(format_by_pattern(value, "0.0000", "."));
  while (text.endsWith(QLatin1Char('0'))) text.chop(1);
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  if (text == QLatin1String("-0")) text = QStringLiteral("0");
  return text;
}

Substitution substitute_values(const QString& html, bool escape) {
  static const QRegularExpression placeholder(QStringLiteral("\\{\\{(.*?)\\}\\}"),
                                              QRegularExpression::DotMatchesEverythingOption);
  Values values(escape);
  Substitution out;
  qsizetype from = 0;
  QRegularExpressionMatchIterator it = placeholder.globalMatch(html);
  while (it.hasNext()) {
    const QRegularExpressionMatch m = it.next();
    out.text += html.mid(from, m.capturedStart() - from);
    out.text += values.expand(m.captured(1));
    from = m.capturedEnd();
  }
  out.text += html.mid(from);
  if (out.text.contains(QLatin1String("{{")) || out.text.contains(QLatin1String("}}"))) {
    values.problems << QStringLiteral("unmatched braces");
  }
  out.problems = values.problems;
  return out;
}

}  // namespace orvinda::docs
