#pragma once
// Where things go on a worksheet's A4 page, in millimetres from the paper's
// top left corner: a header, then the figures in a grid of cells, each cell
// with its number, a square for the figure and the answer lines below it.

#include <array>

namespace orvinda {

inline constexpr double kPaperWidthMm = 210;  // A4
inline constexpr double kPaperHeightMm = 297;
inline constexpr double kSheetMarginMm = 15;
inline constexpr double kHeaderMm = 22;   // the code and the name/class line
inline constexpr double kNumberMm = 7;    // a figure's number above it
inline constexpr double kAnswersMm = 17;  // the answer lines below it
inline constexpr double kCellGapMm = 6;

inline constexpr std::array<int, 4> kPerPageChoices = {1, 2, 4, 6};
inline constexpr int kDefaultPerPage = 6;

struct SheetBox {
  double x = 0, y = 0, width = 0, height = 0;
  double right() const { return x + width; }
  double bottom() const { return y + height; }
};

struct CellLayout {
  SheetBox number;
  SheetBox figure;  // a square, centred in its cell
  SheetBox answers;
};

bool per_page_offered(int per_page);

// Pages for the figures, per_page a page (none for no figures).
int figure_pages(int figures, int per_page);

// The page inside the margins, and the part of it below the header.
SheetBox sheet_content();
SheetBox figure_area();

// The cell of the figure in slot 0 ... per_page - 1 of a page, filled row by
// row: one column for 1 and 2 a page, two for 4 and 6.
CellLayout cell_layout(int per_page, int slot);

}  // namespace orvinda
