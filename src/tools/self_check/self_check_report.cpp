#include "tools/self_check/self_check_report.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "platform/safe_save.h"
#include "plot/plot_surface.h"
#include "tools/self_check/model/self_check_result.h"
#include "tools/self_check/self_check_explanation.h"
#include "tools/self_check/self_check_figure.h"
#include "tools/shared/experiment_picture.h"
#include "ui/fonts.h"
#include "ui/plot_look.h"

namespace orvinda {

namespace {

constexpr int kDpi = 300;
constexpr double kMm = kDpi / 25.4;  // device units per millimetre
constexpr double kMarginMm = 15;
constexpr double kFigureMm = 74;  // three tasks a page
constexpr double kGapMm = 5;

QString q(const std::string& text) { return QString::fromStdString(text); }

QFont report_font(double points, bool bold = false) {
  QFont font = serif_font(bold);
  font.setPointSizeF(points);
  return font;
}

// Draws down the page, starting a new one when a block does not fit.
class PageFlow {
 public:
  PageFlow(QPainter& painter, QPdfWriter& pdf)
      : painter_(painter), pdf_(pdf), width_(pdf.width()), height_(pdf.height()) {}

  double width() const { return width_; }
  double y() const { return y_; }
  void advance(double dy) { y_ += dy; }

  bool newPage() {
    y_ = 0;
    return pdf_.newPage();
  }

  // Room for a block of this height, on a new page if need be.
  bool reserve(double height) {
    if (y_ > 0 && y_ + height > height_) return newPage();
    return true;
  }

  double textHeight(const QString& text, const QFont& font, double width) const {
    painter_.setFont(font);
    return painter_.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap | Qt::AlignLeft, text)
        .height();
  }

  // A paragraph at x, width wide, at the flow's y plus dy; returns its height.
  double text(const QString& text, const QFont& font, double x, double width, double dy = 0) {
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    QRectF used;
    painter_.drawText(QRectF(x, y_ + dy, width, 1e6), Qt::TextWordWrap | Qt::AlignLeft, text,
                      &used);
    return used.height();
  }

 private:
  QPainter& painter_;
  QPdfWriter& pdf_;
  double width_, height_;
  double y_ = 0;
};

QString verdict(bool right) { return right ? QStringLiteral("верно") : QStringLiteral("неверно"); }

// A name left empty is a line to fill in by hand.
QString filled(const QString& text, int blank) {
  const QString trimmed = text.trimmed();
  return trimmed.isEmpty() ? QString(blank, QLatin1Char('_')) : trimmed;
}

bool draw_list(PageFlow& flow, const SelfCheckRecord& record, const SeriesResult& result) {
  const QFont title = report_font(16, true);
  const QFont bold = report_font(10, true);
  const QFont plain = report_font(10);
  flow.advance(flow.text(QStringLiteral("Проверь себя — вариант № %1").arg(record.code), title, 0,
                         flow.width()));
  flow.advance(2 * kMm);
  const QString who = QStringLiteral("Ученик: %1      Класс: %2")
                          .arg(filled(record.student, 30), filled(record.class_name, 8));
  flow.advance(flow.text(who, report_font(12), 0, flow.width()));
  flow.advance(2 * kMm);
  flow.advance(flow.text(q(result.score), report_font(13, true), 0, flow.width()));
  flow.advance(6 * kMm);

  // №, the two answers, the three parts' verdicts and the task's.
  constexpr int kColumns = 7;
  const double number_w = 9 * kMm, part_w = 19 * kMm, verdict_w = 17 * kMm;
  const double answer_w = (flow.width() - number_w - 3 * part_w - verdict_w) / 2;
  double xs[kColumns], ws[kColumns];
  const double widths[kColumns] = {number_w, answer_w, answer_w, part_w, part_w, part_w, verdict_w};
  double x = 0;
  for (int i = 0; i < kColumns; ++i) {
    xs[i] = x;
    ws[i] = widths[i] - 2 * kMm;
    x += widths[i];
  }
  auto row = [&](const QStringList& cells, const QFont& font) {
    double height = 0;
    for (int i = 0; i < kColumns; ++i) {
      height = std::max(height, flow.textHeight(cells[i], font, ws[i]));
    }
    if (!flow.reserve(height + 2 * kMm)) return false;
    for (int i = 0; i < kColumns; ++i) flow.text(cells[i], font, xs[i], ws[i]);
    flow.advance(height + 2 * kMm);
    return true;
  };
  if (!row({QStringLiteral("№"), QStringLiteral("Ваш ответ"), QStringLiteral("Правильный ответ"),
            QStringLiteral("ωx : ωy"), QStringLiteral("Δφ"), QStringLiteral("Третий ответ"),
            QStringLiteral("Итог")},
           bold)) {
    return false;
  }
  for (const ResultRow& r : result.rows) {
    const auto part = [&r](bool right) { return r.answered ? verdict(right) : QString(); };
    const QString whole = r.right
                              ? verdict(true)
                              : QStringLiteral("%1 из %2").arg(r.parts.count()).arg(kPartsPerTask);
    const QStringList cells{QString::number(r.number),
                            q(r.given),
                            q(r.right_answer),
                            part(r.parts.ratio),
                            part(r.parts.phase),
                            part(r.parts.third),
                            whole};
    if (!row(cells, plain)) return false;
  }
  return true;
}

bool draw_task(QPainter& painter, PageFlow& flow, const SelfCheckRecord& record, std::size_t i) {
  const Task& task = record.tasks[i];
  const std::optional<Answer> answer = i < record.answers.size() ? record.answers[i] : std::nullopt;
  const TaskExplanation e = explain_task(task, answer);

  const QFont heading = report_font(12, true);
  const QFont plain = report_font(10);
  const QString title = QStringLiteral("Задание %1 — %2")
                            .arg(i + 1)
                            .arg(!answer   ? QStringLiteral("нет ответа")
                                 : e.right ? QStringLiteral("верно")
                                           : QStringLiteral("неверно"));
  QStringList lines;
  if (!e.given.isEmpty()) lines << e.given;
  lines << e.reasons << e.reading << e.right_answer << e.parameters;
  const QString body = lines.join(QLatin1Char('\n'));

  const double figure = kFigureMm * kMm;
  const double text_x = figure + kGapMm * kMm;
  const double text_w = flow.width() - text_x;
  const double title_h = flow.textHeight(title, heading, flow.width()) + 2 * kMm;
  const double body_h = flow.textHeight(body, plain, text_w);
  if (!flow.reserve(title_h + std::max(figure, body_h) + 6 * kMm)) return false;

  flow.text(title, heading, 0, flow.width());
  flow.advance(title_h);

  // The figure as the window shows it after grading, from its drawing list.
  PlotSurface surface;
  style_plot_surface(&surface);
  surface.resize(ExperimentPicture::kPlotSide, ExperimentPicture::kPlotSide);
  draw_self_check_figure(surface, task, true);
  const QRectF target(0, flow.y(), figure, figure);
  painter.fillRect(target, Qt::white);
  surface.drawing().replay(painter, target);
  painter.setPen(QPen(QColor(160, 160, 160), 0.25 * kMm));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(target);

  flow.text(body, plain, text_x, text_w);
  flow.advance(std::max(figure, body_h) + 6 * kMm);
  return true;
}

bool draw_report(QIODevice& device, const SelfCheckRecord& record) {
  QPdfWriter pdf(&device);
  pdf.setResolution(kDpi);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                QPageLayout::Millimeter));
  pdf.setTitle(QStringLiteral("Проверь себя — вариант № %1").arg(record.code));
  pdf.setCreator(QStringLiteral("Фигуры Орвинда"));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  painter.setRenderHint(QPainter::Antialiasing, true);
  PageFlow flow(painter, pdf);
  bool drawn = draw_list(flow, record, series_result(record.tasks, record.answers));
  // The figures begin on a page of their own.
  if (drawn && !record.tasks.empty()) drawn = flow.newPage();
  for (std::size_t i = 0; drawn && i < record.tasks.size(); ++i) {
    drawn = draw_task(painter, flow, record, i);
  }
  return painter.end() && drawn;
}

}  // namespace

QString write_self_check_report(const QString& path, const SelfCheckRecord& record) {
  return save_safely(path, [&](QSaveFile& file) { return draw_report(file, record); });
}

}  // namespace orvinda
