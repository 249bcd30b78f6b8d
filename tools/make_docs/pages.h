#pragma once
// The documents on A4 pages: formulas that no line break enters, and page
// breaks chosen so that nothing is cut off from what it belongs to. Qt's
// rich text knows no "keep with next" and no widow control, so the layout is
// read back and a page break put before whatever would be cut.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QTextDocument;

namespace orvinda::docs {

// The mark a block carries through "-qt-user-state" (the one value of its
// own that Qt's HTML reader keeps for a block): stay on the page where the
// next block begins. Headings stay with what follows them anyway.
inline constexpr int kKeepWithNext = 1;

// <f>…</f> becomes a span no line break enters: blanks turn into no-break
// spaces and a word joiner follows every "/", "|" and "-". In the rest of the
// body a word joiner follows every "/", so that "м/с" and "π/2" stay whole.
QString protect_formulas(const QString& html);

// Lays doc out on the device's pages with margins of 2 cm.
void set_up_pages(QTextDocument& doc, QPagedPaintDevice& device);

// Makes the document afresh from its HTML. Every layout that is read back is
// a fresh document's: Qt lays an edited document out again lazily, and after
// an edit it may leave the blocks further on without lines.
using DocumentMaker = std::function<std::unique_ptr<QTextDocument>()>;

struct PagedDocument {
  std::unique_ptr<QTextDocument> doc;  // laid out on the device, breaks in place
  QStringList problems;                // what the page breaks could not mend
  QStringList lost;                    // blocks the layout left without lines; none ever should be
};

// Adds page breaks, first to last, so that no heading or kept block ends a
// page without the start of what follows it, no paragraph leaves a single
// line at the foot or the head of a page, and no block with a picture and no
// table is cut.
PagedDocument lay_out_pages(const DocumentMaker& make, QPagedPaintDevice& device);

// A page (but the last) whose foot is empty for more than a fifth of its height.
struct PageGap {
  int page = 0;                // from 1
  double empty = 0;            // part of the page's text height
  bool before_figure = false;  // the next page starts with a picture
};
std::vector<PageGap> page_gaps(QTextDocument& doc);

// Paints every page, with its number at the bottom right.
void paint_pages(QTextDocument& doc, QPagedPaintDevice& device);

}  // namespace orvinda::docs
