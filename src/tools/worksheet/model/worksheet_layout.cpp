#include "tools/worksheet/model/worksheet_layout.h"

#include <algorithm>

namespace orvinda {

namespace {

struct Grid {
  int columns;
  int rows;
};

Grid grid_for(int per_page) {
  switch (per_page) {
    case 1: return {1, 1};
    case 2: return {1, 2};
    case 4: return {2, 2};
    default: return {2, 3};
  }
}

}  // namespace

bool per_page_offered(int per_page) {
  return std::find(kPerPageChoices.begin(), kPerPageChoices.end(), per_page) !=
         kPerPageChoices.end();
}

int figure_pages(int figures, int per_page) {
  if (figures <= 0 || per_page <= 0) return 0;
  return (figures + per_page - 1) / per_page;
}

SheetBox sheet_content() {
  return {kSheetMarginMm, kSheetMarginMm, kPaperWidthMm - 2 * kSheetMarginMm,
          kPaperHeightMm - 2 * kSheetMarginMm};
}

SheetBox figure_area() {
  const SheetBox c = sheet_content();
  return {c.x, c.y + kHeaderMm, c.width, c.height - kHeaderMm};
}

CellLayout cell_layout(int per_page, int slot) {
  const Grid g = grid_for(per_page);
  const SheetBox area = figure_area();
  const double cell_w = (area.width - (g.columns - 1) * kCellGapMm) / g.columns;
  const double cell_h = (area.height - (g.rows - 1) * kCellGapMm) / g.rows;
  const int column = slot % g.columns;
  const int row = slot / g.columns;
  const SheetBox cell{area.x + column * (cell_w + kCellGapMm), area.y + row * (cell_h + kCellGapMm),
                      cell_w, cell_h};
  const double side = std::max(0.0, std::min(cell_w, cell_h - kNumberMm - kAnswersMm));
  CellLayout layout;
  layout.number = {cell.x, cell.y, cell.width, kNumberMm};
  layout.figure = {cell.x + (cell.width - side) / 2, cell.y + kNumberMm, side, side};
  layout.answers = {cell.x, layout.figure.bottom(), cell.width, kAnswersMm};
  return layout;
}

}  // namespace orvinda
