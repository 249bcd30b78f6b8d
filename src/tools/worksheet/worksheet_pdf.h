#pragma once
// A worksheet as a PDF of A4 pages: a header with the variant code and a
// line for the student's name and class, the numbered figures with their
// answer lines, and a last page with the answers.

#include <QString>
#include <optional>
#include <vector>

#include "tools/worksheet/model/worksheet_item.h"
#include "tools/worksheet/model/worksheet_layout.h"

namespace orvinda {

struct Worksheet {
  std::optional<int> code;  // a self-check variant's
  std::vector<WorksheetItem> items;
  int per_page = kDefaultPerPage;
  bool key = true;
};

// The answer key's lines, one per figure: "3. ωx : ωy = 1 : 2; Δφ = 0 или π; замкнутая".
QStringList worksheet_key_lines(const Worksheet& sheet);

// Writes through a temporary file that replaces an old one only when
// complete. The reason in Russian when it failed, else empty.
QString write_worksheet(const QString& path, const Worksheet& sheet);

}  // namespace orvinda
