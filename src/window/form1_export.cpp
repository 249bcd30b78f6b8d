// Pictures out of the window: saving the plot to a file and printing it.

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "platform/platform.h"
#include "platform/save_failure.h"
#include "plot/device.h"
#include "plot/picture_sheet.h"
#include "plot/plot_surface.h"
#include "tools/export/picture_export.h"
#include "ui/fonts.h"
#include "window/form1.h"

namespace orvinda {

namespace {
const QString kError = QStringLiteral("Ошибка");
}

std::unique_ptr<PictureSheet> Form1::pictureSheet() const {
  SheetText text;
  text.left_heading = Label10->text();
  for (const auto& [prompt, box] :
       {std::pair{Label1, Text1}, std::pair{Label2, Text2}, std::pair{Label3, Text3},
        std::pair{Label4, Text4}, std::pair{Label5, Text5}, std::pair{Label6, Text6}}) {
    text.left << prompt->text() + box->text();
  }
  text.right_heading = Label11->text();
  for (const QLabel* label : {Label12, Label13, Label14, Label15, Label16, Label17, Label18}) {
    text.right << label->text();
  }
  return std::make_unique<PictureSheet>(*Picture1, device_.get(), text, serif_font());
}

void Form1::mnuExperimentSavePicture_Click() {
  commitEditing();  // what was typed counts first
  const QStringList filters = {QStringLiteral("Рисунок PNG (*.png)"),
                               QStringLiteral("Рисунок SVG (*.svg)"),
                               QStringLiteral("Документ PDF (*.pdf)")};
  QString filter;
  const QString path = platform_.save_file_name(this, QStringLiteral("Сохранить рисунок"), filters,
                                                QStringLiteral("фигура.png"), &filter);
  if (path.isEmpty()) return;
  const std::optional<PictureFormat> format = picture_format_for(path);
  QString reason;
  if (!format) {
    reason = QStringLiteral("рисунок сохраняется в файлы .png, .svg или .pdf");
  } else {
    reason = write_picture(path, *format, *pictureSheet());
  }
  if (!reason.isEmpty()) {
    platform_.message_box(this, save_failure_message(QStringLiteral("рисунок"), path, reason),
                          kError, MessageButtons::Ok);
  }
}

void Form1::mnuExperimentPrint_Click() {
  commitEditing();  // what was typed counts first
  const std::unique_ptr<PictureSheet> sheet = pictureSheet();
  platform_.print_preview(this, QStringLiteral("Печать рисунка"),
                          [&sheet](QPainter& painter, const QRectF& page) {
                            // As large as the page allows, centred at the top.
                            const double height_for_width = sheet->heightFor(1);
                            double width = page.width();
                            if (width * height_for_width > page.height()) {
                              width = page.height() / height_for_width;
                            }
                            const QRectF target(page.left() + (page.width() - width) / 2,
                                                page.top(), width, width * height_for_width);
                            painter.setRenderHint(QPainter::Antialiasing, true);
                            sheet->paint(painter, target);
                          });
}

}  // namespace orvinda
