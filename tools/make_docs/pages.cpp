#include "tools/make_docs/pages.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace orvinda::docs {

namespace {

constexpr double kMarginCm = 2.0;

// One piece of the top level of the document: a block or a table, with its
// lines (a table's rows) in document coordinates.
struct Piece {
  QTextBlock block;
  QTextTable* table = nullptr;
  std::vector<QRectF> lines;
  bool keep = false;
  bool picture = false;
  int key = 0;  // where the piece begins, to remember it across layouts
};

double page_height(const QTextDocument& doc) { return doc.pageSize().height(); }

// The height between the top and the bottom margin, in the layout's units.
double text_height(const QTextDocument& doc) {
  const double margin = doc.rootFrame()->frameFormat().bottomMargin() *
                        doc.documentLayout()->paintDevice()->logicalDpiY() / 96.0;
  return page_height(doc) - 2 * margin;
}

// A page but the last may leave this much of its text height empty.
constexpr double kMostEmpty = 0.2;

int page_of(const QTextDocument& doc, double y) {
  return static_cast<int>(std::floor((y + 0.5) / page_height(doc)));
}

std::vector<Piece> pieces(QTextDocument& doc) {
  QAbstractTextDocumentLayout* layout = doc.documentLayout();
  std::vector<Piece> out;
  for (QTextFrame::iterator it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
    Piece piece;
    if (QTextFrame* frame = it.currentFrame()) {
      auto* table = qobject_cast<QTextTable*>(frame);
      if (!table) continue;
      piece.table = table;
      piece.key = table->firstPosition();
      for (int r = 0; r < table->rows(); ++r) {
        QRectF row;
        for (int c = 0; c < table->columns(); ++c) {
          const QTextTableCell cell = table->cellAt(r, c);
          if (!cell.isValid()) continue;
          row |= layout->blockBoundingRect(cell.firstCursorPosition().block());
          row |= layout->blockBoundingRect(cell.lastCursorPosition().block());
        }
        piece.lines.push_back(row);
      }
    } else {
      const QTextBlock block = it.currentBlock();
      if (block.text().trimmed().isEmpty()) continue;
      piece.block = block;
      piece.key = block.position();
      piece.keep = block.blockFormat().headingLevel() > 0 || block.userState() == kKeepWithNext;
      piece.picture = block.text().contains(QChar::ObjectReplacementCharacter);
      // Qt lays a document out lazily, up to the block asked about.
      layout->blockBoundingRect(block);
      const QTextLayout* text = block.layout();
      for (int i = 0; i < text->lineCount(); ++i) {
        piece.lines.push_back(text->lineAt(i).rect().translated(text->position()));
      }
    }
    if (!piece.lines.empty()) out.push_back(piece);
  }
  return out;
}

int first_page(const QTextDocument& doc, const Piece& p) {
  return page_of(doc, p.lines.front().top());
}
int last_page(const QTextDocument& doc, const Piece& p) {
  return page_of(doc, p.lines.back().top());
}

// The line of a piece that must share a page with a kept piece before it:
// a table's first row under its header, a paragraph's second line, or a
// short block's last.
double lead_line_top(const Piece& p) {
  if (p.table) return p.lines[std::min<std::size_t>(1, p.lines.size() - 1)].top();
  if (p.lines.size() >= 3) return p.lines[1].top();
  return p.lines.back().top();
}

QString describe(const Piece& p) {
  if (p.table) return QStringLiteral("a table");
  return QStringLiteral("«%1»").arg(p.block.text().left(40));
}

// Why piece i cannot stay where it is, or an empty text.
QString trouble(const QTextDocument& doc, const std::vector<Piece>& ps, std::size_t i) {
  const Piece& p = ps[i];
  // A reader compares a table's rows with each other; they stay on one page.
  // Its last row may itself run over the foot, so the table's bottom decides.
  if (p.table && page_of(doc, p.lines.back().bottom() - 1) != first_page(doc, p)) {
    return QStringLiteral("a table cut");
  }
  if (first_page(doc, p) != last_page(doc, p)) {
    if (p.picture) return QStringLiteral("a picture cut");
    const int first = first_page(doc, p);
    const int last = last_page(doc, p);
    const auto on_first = std::count_if(p.lines.begin(), p.lines.end(), [&](const QRectF& r) {
      return page_of(doc, r.top()) == first;
    });
    const auto on_last = std::count_if(p.lines.begin(), p.lines.end(), [&](const QRectF& r) {
      return page_of(doc, r.top()) == last;
    });
    if (on_first == 1) return QStringLiteral("one line at the foot of a page");
    if (on_last == 1) return QStringLiteral("one line at the head of a page");
  }
  if (p.keep && i + 1 < ps.size() &&
      page_of(doc, p.lines.back().top()) != page_of(doc, lead_line_top(ps[i + 1]))) {
    return QStringLiteral("parted from what follows");
  }
  return {};
}

bool starts_page(const QTextDocument& doc, const std::vector<Piece>& ps, std::size_t i) {
  return i == 0 || last_page(doc, ps[i - 1]) < first_page(doc, ps[i]);
}

void break_before(const Piece& p) {
  if (p.table) {
    QTextTableFormat format = p.table->format();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    p.table->setFormat(format);
    return;
  }
  QTextCursor cursor(p.block);
  QTextBlockFormat format = p.block.blockFormat();
  format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  cursor.setBlockFormat(format);
}

double margin_pixels(const QPagedPaintDevice& device) {
  return kMarginCm / 2.54 * device.logicalDpiY();
}

}  // namespace

QString protect_formulas(const QString& html) {
  static const QRegularExpression formula(QStringLiteral("<f>(.*?)</f>"),
                                          QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  // Text between tags, with its breaks taken away: everywhere after a slash
  // ("м/с", "π/2"), and in a formula also at blanks, bars and hyphens.
  auto each_text = [](const QString& part, const auto& change) {
    QString out;
    qsizetype at = 0;
    QRegularExpressionMatchIterator tags = tag.globalMatch(part);
    while (tags.hasNext()) {
      const QRegularExpressionMatch t = tags.next();
      out += change(part.mid(at, t.capturedStart() - at));
      out += t.captured(0);
      at = t.capturedEnd();
    }
    out += change(part.mid(at));
    return out;
  };
  auto joined = [](QString t, std::initializer_list<const char*> marks) {
    for (const char* c : marks) {
      t.replace(QLatin1String(c), QLatin1String(c) + QStringLiteral("&#x2060;"));
    }
    return t;
  };
  const qsizetype body = std::max<qsizetype>(0, html.indexOf(QLatin1String("<body")));
  QString out = html.left(body);
  qsizetype from = body;
  QRegularExpressionMatchIterator it = formula.globalMatch(html, body);
  auto plain = [&](const QString& t) { return joined(t, {"/"}); };
  auto in_formula = [&](QString t) {
    t.replace(blanks, QStringLiteral("&nbsp;"));
    return joined(t, {"/", "|", "-"});
  };
  while (it.hasNext()) {
    const QRegularExpressionMatch m = it.next();
    out += each_text(html.mid(from, m.capturedStart() - from), plain);
    out += QStringLiteral("<span style=\"white-space: nowrap\">");
    out += each_text(m.captured(1), in_formula);
    out += QStringLiteral("</span>");
    from = m.capturedEnd();
  }
  out += each_text(html.mid(from), plain);
  return out;
}

void set_up_pages(QTextDocument& doc, QPagedPaintDevice& device) {
  doc.documentLayout()->setPaintDevice(&device);
  // Frame margins are given at the screen's resolution and scaled to the
  // device by the layout, as the rest of the HTML's pixel sizes.
  const double margin = margin_pixels(device) * 96.0 / device.logicalDpiY();
  QTextFrameFormat format = doc.rootFrame()->frameFormat();
  format.setMargin(0);
  format.setPadding(0);
  format.setTopMargin(margin);
  format.setBottomMargin(margin);
  format.setLeftMargin(margin);
  format.setRightMargin(margin);
  doc.rootFrame()->setFrameFormat(format);
  doc.setPageSize(QSizeF(device.width(), device.height()));
}

PagedDocument lay_out_pages(const DocumentMaker& make, QPagedPaintDevice& device) {
  PagedDocument out;
  QSet<int> breaks;    // where the pieces that start a new page begin
  QSet<int> given_up;  // pieces a break cannot help
  for (int round = 0; round < 500; ++round) {
    out.doc = make();
    QTextDocument& doc = *out.doc;
    // The breaks go in before anything is laid out.
    for (QTextFrame::iterator it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
      Piece piece;
      if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
        piece.table = table;
        piece.key = table->firstPosition();
      } else if (!it.currentFrame()) {
        piece.block = it.currentBlock();
        piece.key = piece.block.position();
      } else {
        continue;
      }
      if (breaks.contains(piece.key)) break_before(piece);
    }
    set_up_pages(doc, device);
    const std::vector<Piece> ps = pieces(doc);
    bool moved = false;
    for (std::size_t i = 0; i < ps.size() && !moved; ++i) {
      if (given_up.contains(ps[i].key)) continue;
      const QString why = trouble(doc, ps, i);
      if (why.isEmpty()) continue;
      std::size_t start = i;
      while (start > 0 && ps[start - 1].keep) --start;
      if (starts_page(doc, ps, start)) {
        out.problems << QStringLiteral("page %1: %2 %3, and it already starts its page")
                            .arg(first_page(doc, ps[i]) + 1)
                            .arg(describe(ps[i]), why);
        given_up.insert(ps[i].key);
        continue;
      }
      breaks.insert(ps[start].key);
      moved = true;
    }
    if (!moved) break;
  }
  // A block left without lines would be missing from the pages unseen.
  for (QTextBlock b = out.doc->begin(); b.isValid(); b = b.next()) {
    out.doc->documentLayout()->blockBoundingRect(b);
    if (!b.text().trimmed().isEmpty() && b.layout()->lineCount() == 0) {
      out.lost << b.text().left(40);
    }
  }
  return out;
}

std::vector<PageGap> page_gaps(QTextDocument& doc) {
  const std::vector<Piece> ps = pieces(doc);
  const double height = page_height(doc);
  const double margin = (height - text_height(doc)) / 2;
  std::vector<PageGap> gaps;
  for (std::size_t i = 1; i < ps.size(); ++i) {
    if (!starts_page(doc, ps, i)) continue;
    const int page = first_page(doc, ps[i]) - 1;
    const double foot = (page + 1) * height - margin;
    const double empty = (foot - ps[i - 1].lines.back().bottom()) / text_height(doc);
    if (empty > kMostEmpty) gaps.push_back({page + 1, empty, ps[i].picture});
  }
  return gaps;
}

void paint_pages(QTextDocument& doc, QPagedPaintDevice& device) {
  QPainter painter(&device);
  const QSizeF page = doc.pageSize();
  const double margin = margin_pixels(device);
  QAbstractTextDocumentLayout* layout = doc.documentLayout();
  const int pages = doc.pageCount();
  for (int i = 0; i < pages; ++i) {
    if (i > 0) device.newPage();
    painter.save();
    painter.translate(0, -i * page.height());
    const QRectF view(0, i * page.height(), page.width(), page.height());
    painter.setClipRect(view);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = view;
    context.palette.setColor(QPalette::Text, Qt::black);
    layout->draw(&painter, context);
    painter.restore();

    painter.setFont(doc.defaultFont());
    const QFontMetricsF metrics(painter.font(), &device);
    const QString number = QString::number(i + 1);
    painter.drawText(
        QPointF(page.width() - margin - metrics.horizontalAdvance(number),
                page.height() - margin + metrics.ascent() + 5.0 * device.logicalDpiY() / 72.0),
        number);
  }
}

}  // namespace orvinda::docs
