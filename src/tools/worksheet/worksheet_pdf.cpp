#include "tools/worksheet/worksheet_pdf.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "platform/safe_save.h"
#include "plot/plot_surface.h"
#include "tools/shared/experiment_picture.h"
#include "tools/worksheet/worksheet_figure.h"
#include "ui/fonts.h"
#include "ui/plot_look.h"

namespace orvinda {

namespace {

constexpr int kDpi = 300;
constexpr double kMm = kDpi / 25.4;  // device units per millimetre
constexpr double kKeyRowGapMm = 2;

QFont sheet_font(double points, bool bold = false) {
  QFont font = serif_font(bold);
  font.setPointSizeF(points);
  return font;
}

QRectF device_rect(const SheetBox& box) {
  return QRectF(box.x * kMm, box.y * kMm, box.width * kMm, box.height * kMm);
}

QString title_of(const Worksheet& sheet) {
  return sheet.code ? QStringLiteral("Лист заданий — вариант № %1").arg(*sheet.code)
                    : QStringLiteral("Лист заданий");
}

void draw_page_header(QPainter& painter, const Worksheet& sheet, int page, int pages) {
  const SheetBox c = sheet_content();
  painter.setPen(Qt::black);
  painter.setFont(sheet_font(14, true));
  const QRectF first(c.x * kMm, c.y * kMm, c.width * kMm, 8 * kMm);
  painter.drawText(first, Qt::AlignLeft | Qt::AlignVCenter, title_of(sheet));
  painter.setFont(sheet_font(10));
  painter.drawText(first, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("лист %1 из %2").arg(page).arg(pages));
  painter.setFont(sheet_font(11));
  const QRectF second(c.x * kMm, (c.y + 9) * kMm, c.width * kMm, 7 * kMm);
  painter.drawText(
      second, Qt::AlignLeft | Qt::AlignVCenter,
      QStringLiteral("Фамилия, имя: ______________________________    Класс: ________"));
  painter.setFont(sheet_font(9));
  painter.drawText(second, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("Нужное подчеркните."));
}

QString third_line(const WorksheetItem& item) {
  return third_question(item) == ThirdQuestion::kDirection
             ? QStringLiteral("Направление: по часовой стрелке / против часовой стрелки / отрезок")
             : QStringLiteral("Фигура: замкнутая / незамкнутая");
}

void draw_cell(QPainter& painter, const Worksheet& sheet, std::size_t index, int slot) {
  const CellLayout cell = cell_layout(sheet.per_page, slot);
  const WorksheetItem& item = sheet.items[index];
  const double points = sheet.per_page >= 4 ? 9.5 : 11;

  painter.setPen(Qt::black);
  painter.setFont(sheet_font(points + 1, true));
  painter.drawText(device_rect(cell.number), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Задание %1").arg(index + 1));

  // The figure from its drawing list, as the screen would show it.
  PlotSurface surface;
  style_plot_surface(&surface);
  surface.resize(ExperimentPicture::kPlotSide, ExperimentPicture::kPlotSide);
  draw_worksheet_figure(surface, item);
  const QRectF figure = device_rect(cell.figure);
  painter.fillRect(figure, Qt::white);
  surface.drawing().replay(painter, figure);
  painter.setPen(QPen(QColor(160, 160, 160), 0.25 * kMm));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(figure);

  painter.setPen(Qt::black);
  painter.setFont(sheet_font(points));
  const QRectF answers = device_rect(cell.answers).adjusted(0, 1.5 * kMm, 0, 0);
  const QString text = QStringLiteral("ωx : ωy = ________    Δφ = ________\n") + third_line(item);
  painter.drawText(answers, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
}

// The key flows down its pages; false when a page could not be begun.
bool draw_key(QPainter& painter, QPdfWriter& pdf, const Worksheet& sheet) {
  const SheetBox c = sheet_content();
  const QString heading = sheet.code ? QStringLiteral("Ответы — вариант № %1").arg(*sheet.code)
                                     : QStringLiteral("Ответы");
  painter.setPen(Qt::black);
  painter.setFont(sheet_font(14, true));
  painter.drawText(QRectF(c.x * kMm, c.y * kMm, c.width * kMm, 8 * kMm),
                   Qt::AlignLeft | Qt::AlignVCenter, heading);
  double y = (c.y + 12) * kMm;
  const QFont font = sheet_font(11);
  painter.setFont(font);
  for (const QString& line : worksheet_key_lines(sheet)) {
    const QRectF room(c.x * kMm, y, c.width * kMm, 1e6);
    const double height =
        painter.boundingRect(room, Qt::TextWordWrap | Qt::AlignLeft, line).height();
    if (y + height > c.bottom() * kMm) {
      if (!pdf.newPage()) return false;
      y = c.y * kMm;
      painter.setFont(font);
    }
    painter.drawText(QRectF(c.x * kMm, y, c.width * kMm, height), Qt::TextWordWrap | Qt::AlignLeft,
                     line);
    y += height + kKeyRowGapMm * kMm;
  }
  return true;
}

bool draw_worksheet(QIODevice& device, const Worksheet& sheet) {
  QPdfWriter pdf(&device);
  pdf.setResolution(kDpi);
  // The margins are the layout's own, measured from the paper's edge.
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  pdf.setTitle(title_of(sheet));
  pdf.setCreator(QStringLiteral("Фигуры Орвинда"));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  painter.setRenderHint(QPainter::Antialiasing, true);
  const int count = static_cast<int>(sheet.items.size());
  const int pages = figure_pages(count, sheet.per_page);
  bool drawn = true;
  for (int page = 0; drawn && page < pages; ++page) {
    if (page > 0) drawn = pdf.newPage();
    if (!drawn) break;
    draw_page_header(painter, sheet, page + 1, pages);
    for (int slot = 0; slot < sheet.per_page; ++slot) {
      const int index = page * sheet.per_page + slot;
      if (index >= count) break;
      draw_cell(painter, sheet, static_cast<std::size_t>(index), slot);
    }
  }
  if (drawn && sheet.key) {
    if (pages > 0) drawn = pdf.newPage();
    if (drawn) drawn = draw_key(painter, pdf, sheet);
  }
  return painter.end() && drawn;
}

}  // namespace

QStringList worksheet_key_lines(const Worksheet& sheet) {
  QStringList lines;
  for (std::size_t i = 0; i < sheet.items.size(); ++i) {
    const KeyEntry key = item_key(sheet.items[i]);
    lines << QStringLiteral("%1. %2; %3; %4")
                 .arg(i + 1)
                 .arg(QString::fromStdString(key.ratio), QString::fromStdString(key.phases),
                      QString::fromStdString(key.third));
  }
  return lines;
}

QString write_worksheet(const QString& path, const Worksheet& sheet) {
  return save_safely(path, [&](QSaveFile& file) { return draw_worksheet(file, sheet); });
}

}  // namespace orvinda
