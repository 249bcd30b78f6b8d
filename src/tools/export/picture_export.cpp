#include "tools/export/picture_export.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

#include "platform/safe_save.h"
#include "plot/picture_sheet.h"

namespace orvinda {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr int kVectorDpi = 300;  // the vector files' own unit: 1/300 inch

int vector_width() {
  return static_cast<int>(std::lround(kPictureWidthMm / kMmPerInch * kVectorDpi));
}

bool write_png(QSaveFile& file, const PictureSheet& sheet, int width) {
  const int height = static_cast<int>(std::ceil(sheet.heightFor(width)));
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  // Still 148 mm wide when printed at its own resolution.
  const int dots_per_metre = static_cast<int>(std::lround(width / (kPictureWidthMm / 1000)));
  image.setDotsPerMeterX(dots_per_metre);
  image.setDotsPerMeterY(dots_per_metre);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    sheet.paint(painter, QRectF(0, 0, width, height));
  }
  QImageWriter writer(&file, "png");
  return writer.write(image);
}

bool write_svg(QSaveFile& file, const PictureSheet& sheet) {
  const int width = vector_width();
  const int height = static_cast<int>(std::ceil(sheet.heightFor(width)));
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setResolution(kVectorDpi);
  svg.setSize(QSize(width, height));
  svg.setViewBox(QRectF(0, 0, width, height));
  svg.setTitle(QStringLiteral("Фигура Орвинда"));
  svg.setDescription(QStringLiteral("Сложение перпендикулярных механических колебаний"));
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  sheet.paint(painter, QRectF(0, 0, width, height));
  return painter.end();
}

bool write_pdf(QSaveFile& file, const PictureSheet& sheet) {
  const double height_mm = sheet.heightFor(kPictureWidthMm);
  QPdfWriter pdf(&file);
  pdf.setResolution(kVectorDpi);
  pdf.setPageLayout(
      QPageLayout(QPageSize(QSizeF(kPictureWidthMm, height_mm), QPageSize::Millimeter),
                  QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  pdf.setTitle(QStringLiteral("Фигура Орвинда"));
  pdf.setCreator(QStringLiteral("Фигуры Орвинда"));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  const double width = pdf.width();
  sheet.paint(painter, QRectF(0, 0, width, sheet.heightFor(width)));
  return painter.end();
}

}  // namespace

std::optional<PictureFormat> picture_format_for(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("png")) return PictureFormat::Png;
  if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
  if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
  return std::nullopt;
}

QString write_picture(const QString& path, PictureFormat format, const PictureSheet& sheet,
                      int png_width) {
  return save_safely(path, [&](QSaveFile& file) {
    switch (format) {
      case PictureFormat::Png: return write_png(file, sheet, png_width);
      case PictureFormat::Svg: return write_svg(file, sheet);
      case PictureFormat::Pdf: return write_pdf(file, sheet);
    }
    return false;
  });
}

}  // namespace orvinda
