#pragma once
// Writing a picture of the plot to a PNG, SVG or PDF file, 148 mm wide.

#include <QString>
#include <optional>

namespace orvinda {

class PictureSheet;

enum class PictureFormat { Png, Svg, Pdf };

// By the file's extension, in any case; none for any other.
std::optional<PictureFormat> picture_format_for(const QString& path);

inline constexpr double kPictureWidthMm = 148;
inline constexpr int kDefaultPngWidth = 1748;  // 148 mm at 300 dpi

// Writes the sheet through a temporary file that replaces the old one only
// when complete. Returns the reason in Russian when it failed, else empty.
QString write_picture(const QString& path, PictureFormat format, const PictureSheet& sheet,
                      int png_width = kDefaultPngWidth);

}  // namespace orvinda
