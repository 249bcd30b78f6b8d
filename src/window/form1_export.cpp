// Pictures out of the window: saving the plot to a file and printing it.

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "platform/platform.h"
#include "platform/save_failure.h"
#include "plot/device.h"
#include "plot/picture_sheet.h"
#include "plot/plot_surface.h"
#include "tools/experiment/experiment_files.h"
#include "tools/export/picture_export.h"
#include "tools/export/picture_options_box.h"
#include "tools/export/picture_settings.h"
#include "tools/shared/start_marks.h"
#include "ui/fonts.h"
#include "window/form1.h"

namespace orvinda {

namespace {
const QString kError = QStringLiteral("Ошибка");
}

QString Form1::experimentComment() const {
  return QString::fromStdString(experiment_files_->comment());
}

std::unique_ptr<PictureSheet> Form1::pictureSheet(const PictureOptions& options) const {
  SheetText text;
  if (options.values) {
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
  }
  if (options.title) text.title = options.title_text.simplified();
  return std::make_unique<PictureSheet>(
      *Picture1, options.device ? device_.get() : nullptr, text, serif_font(),
      options.arrow ? start_marks(*Picture1, motionParameters()) : DrawingList());
}

void Form1::mnuExperimentSavePicture_Click() {
  commitEditing();  // what was typed counts first
  const QStringList filters = {QStringLiteral("Рисунок PNG (*.png)"),
                               QStringLiteral("Рисунок SVG (*.svg)"),
                               QStringLiteral("Документ PDF (*.pdf)")};
  QString filter;
  PictureOptionsBox options(remembered_picture_options(platform_), experimentComment());
  const QString path = platform_.save_file_name(this, QStringLiteral("Сохранить рисунок"), filters,
                                                QStringLiteral("фигура.png"), &filter, &options);
  if (path.isEmpty()) return;
  remember_picture_options(platform_, options.options());
  const std::optional<PictureFormat> format = picture_format_for(path);
  QString reason;
  if (!format) {
    reason = QStringLiteral("рисунок сохраняется в файлы .png, .svg или .pdf");
  } else {
    reason = write_picture(path, *format, *pictureSheet(options.options()));
  }
  if (!reason.isEmpty()) {
    platform_.message_box(this, save_failure_message(QStringLiteral("рисунок"), path, reason),
                          kError, MessageButtons::Ok);
  }
}

void Form1::mnuExperimentPrint_Click() {
  commitEditing();  // what was typed counts first
  PictureOptionsBox options(remembered_picture_options(platform_), experimentComment());
  platform_.print_preview(
      this, QStringLiteral("Печать рисунка"),
      [this, &options](QPainter& painter, const QRectF& page) {
        const std::unique_ptr<PictureSheet> sheet = pictureSheet(options.options());
        // As large as the page allows, centred at the top.
        const double height_for_width = sheet->heightFor(1);
        double width = page.width();
        if (width * height_for_width > page.height()) {
          width = page.height() / height_for_width;
        }
        const QRectF target(page.left() + (page.width() - width) / 2, page.top(), width,
                            width * height_for_width);
        painter.setRenderHint(QPainter::Antialiasing, true);
        sheet->paint(painter, target);
      },
      &options);
  remember_picture_options(platform_, options.options());
}

}  // namespace orvinda
