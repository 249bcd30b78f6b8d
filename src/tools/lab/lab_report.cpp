#include "tools/lab/lab_report.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <vector>

#include "platform/safe_save.h"
#include "tools/lab/lab_texts.h"
#include "ui/fonts.h"

namespace orvinda {

namespace {

constexpr int kDpi = 300;
constexpr double kMm = kDpi / 25.4;
constexpr double kMarginMm = 15;
constexpr double kThumbMm = 25;  // a snapshot's height in a row

QFont report_font(double points, bool bold = false) {
  QFont font = serif_font(bold);
  font.setPointSizeF(points);
  return font;
}

// Down the page; a block that does not fit starts the next page.
class Flow {
 public:
  Flow(QPainter& painter, QPdfWriter& pdf) : painter_(painter), pdf_(pdf) {}
  double width() const { return pdf_.width(); }
  double y() const { return y_; }
  void advance(double dy) { y_ += dy; }
  bool fits(double height) const { return y_ == 0 || y_ + height <= pdf_.height(); }
  bool newPage() {
    y_ = 0;
    return pdf_.newPage();
  }
  double height(const QString& text, const QFont& font, double w) const {
    painter_.setFont(font);
    return painter_.boundingRect(QRectF(0, 0, w, 1e6), Qt::TextWordWrap, text).height();
  }
  void text(const QString& text, const QFont& font, double x, double w) {
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    painter_.drawText(QRectF(x, y_, w, 1e6), Qt::TextWordWrap, text);
  }
  bool paragraph(const QString& text, const QFont& font) {
    const double h = height(text, font, width());
    if (!fits(h) && !newPage()) return false;
    this->text(text, font, 0, width());
    advance(h + 1.5 * kMm);
    return true;
  }
  QPainter& painter() { return painter_; }

 private:
  QPainter& painter_;
  QPdfWriter& pdf_;
  double y_ = 0;
};

struct Column {
  QString title;
  double share;  // of the width
};

// A table whose rows never break and whose header starts every page it is on.
bool draw_table(Flow& flow, const std::vector<Column>& columns,
                const std::vector<QStringList>& rows, const std::vector<QImage>& snapshots,
                int snapshot_column) {
  const QFont head = report_font(10, true);
  const QFont plain = report_font(10);
  std::vector<double> xs, ws;
  double x = 0;
  for (const Column& c : columns) {
    xs.push_back(x);
    ws.push_back(c.share * flow.width() - 2 * kMm);
    x += c.share * flow.width();
  }
  auto header_height = [&] {
    double h = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      h = std::max(h, flow.height(columns[i].title, head, ws[i]));
    }
    return h + 2 * kMm;
  };
  auto header = [&] {
    const double h = header_height();
    for (std::size_t i = 0; i < columns.size(); ++i)
      flow.text(columns[i].title, head, xs[i], ws[i]);
    flow.painter().setPen(QPen(Qt::black, 0.2 * kMm));
    flow.painter().drawLine(QPointF(0, flow.y() + h - kMm),
                            QPointF(flow.width(), flow.y() + h - kMm));
    flow.advance(h);
  };
  const double first = rows.empty() ? 0 : kThumbMm * kMm;
  if (!flow.fits(header_height() + first + 2 * kMm) && !flow.newPage()) return false;
  header();
  for (std::size_t r = 0; r < rows.size(); ++r) {
    double h = kThumbMm * kMm;
    for (std::size_t i = 0; i < columns.size(); ++i)
      h = std::max(h, flow.height(rows[r][i], plain, ws[i]));
    h += 2 * kMm;
    if (!flow.fits(h)) {
      if (!flow.newPage()) return false;
      header();
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (static_cast<int>(i) == snapshot_column && r < snapshots.size() &&
          !snapshots[r].isNull()) {
        const QImage& image = snapshots[r];
        const double th = kThumbMm * kMm;
        const double tw = th * image.width() / std::max(1, image.height());
        flow.painter().drawImage(QRectF(xs[i], flow.y(), tw, th), image);
      } else {
        flow.text(rows[r][i], plain, xs[i], ws[i]);
      }
    }
    flow.advance(h);
  }
  flow.advance(2 * kMm);
  return true;
}

bool draw_report(QIODevice& device, const LabReport& report) {
  const LabState& s = report.file.state;
  QPdfWriter pdf(&device);
  pdf.setResolution(kDpi);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                QPageLayout::Millimeter));
  pdf.setTitle(QStringLiteral("Лабораторная работа с осциллографом — вариант № %1").arg(s.code));
  pdf.setCreator(QStringLiteral("Фигуры Орвинда"));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  Flow flow(painter, pdf);
  const QFont title = report_font(15, true);
  const QFont heading = report_font(12, true);
  const QFont plain = report_font(11);
  bool ok = flow.paragraph(QStringLiteral("Лабораторная работа с осциллографом"), title) &&
            flow.paragraph(QStringLiteral("Студент: %1\nГруппа: %2\nДата: %3\nВариант № %4")
                               .arg(QString::fromStdString(s.name), QString::fromStdString(s.group),
                                    report.date)
                               .arg(s.code),
                           plain) &&
            flow.paragraph(QStringLiteral("1. Частота по фигуре"), heading);

  std::vector<QStringList> rows;
  for (std::size_t i = 0; i < s.frequency_rows.size(); ++i) {
    const FrequencyRow& r = s.frequency_rows[i];
    rows.push_back({QString::number(i + 1), QString(), QString::number(r.ng), QString::number(r.nv),
                    comma_number(r.dial_hz, 2), comma_number(r.fx_hz(), 2)});
  }
  ok = ok && draw_table(flow,
                        {{QStringLiteral("№"), 0.07},
                         {QStringLiteral("Фигура"), 0.25},
                         {QStringLiteral("Nг"), 0.12},
                         {QStringLiteral("Nв"), 0.12},
                         {QStringLiteral("fген, Гц"), 0.22},
                         {QStringLiteral("fx, Гц"), 0.22}},
                        rows, report.file.frequency_snapshots, 1);
  for (const QString& line : frequency_result_lines(s.frequency_rows)) {
    ok = ok && flow.paragraph(line, plain);
  }
  ok = ok && flow.paragraph(QStringLiteral("2. Сдвиг фаз методом эллипса"), heading);
  rows.clear();
  for (std::size_t i = 0; i < s.chord_rows.size(); ++i) {
    const ChordRow& r = s.chord_rows[i];
    const ChordReading p = phase_from_chords(r.b, r.a);
    rows.push_back({QString::number(i + 1), QString(), comma_number(r.b, 2), comma_number(r.a, 2),
                    comma_number(p.sin_phi0, 3), comma_number(p.phi0_deg, 1),
                    p.interval ? QStringLiteral("%1 … 90").arg(comma_number(p.low_deg, 1))
                               : comma_number(p.error_deg, 1)});
  }
  ok = ok && draw_table(flow,
                        {{QStringLiteral("№"), 0.07},
                         {QStringLiteral("Фигура"), 0.25},
                         {QStringLiteral("b, дел"), 0.12},
                         {QStringLiteral("a, дел"), 0.12},
                         {QStringLiteral("sin φ₀"), 0.13},
                         {QStringLiteral("φ₀, °"), 0.13},
                         {QStringLiteral("δφ, °"), 0.18}},
                        rows, report.file.chord_snapshots, 1);
  for (const QString& line : phase_result_lines(s.chord_rows, s.tilt)) {
    ok = ok && flow.paragraph(line, plain);
  }
  ok = ok && flow.paragraph(QStringLiteral("Проверки"), heading);
  if (s.checks.empty()) ok = ok && flow.paragraph(QStringLiteral("Работа не проверялась."), plain);
  for (const CheckRecord& c : s.checks) ok = ok && flow.paragraph(check_text(c), plain);
  if (!s.checks.empty()) ok = ok && flow.paragraph(hidden_text(report.variant), plain);
  return painter.end() && ok;
}

}  // namespace

QString write_lab_report(const QString& path, const LabReport& report) {
  return save_safely(path, [&](QSaveFile& file) { return draw_report(file, report); });
}

}  // namespace orvinda
