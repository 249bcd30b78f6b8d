// Writes the accompanying documents at build time:
//   make_docs pdf INPUT.html OUTPUT.pdf   an A4 document from an HTML text
//   make_docs text INPUT.txt OUTPUT.txt   a plain text with its values filled in
//   make_docs html INPUT.html OUTPUT.html the HTML as it is laid out, to look into
//   make_docs screenshot OUTPUT.png       the main window as it opens
//   make_docs icon INPUT.svg OUTPUT.png SIDE
// Before the HTML is laid out, the numbers the program computes are filled in
// from the model (values.h) and formulas in <f>…</f> are protected from line
// breaks; page breaks then keep headings, lead-ins, pictures and tables with
// what belongs to them (pages.h).
// Pictures are named in the HTML by their own URLs:
//   figure:?wx=1&wy=2&dphi=0.25[&ax=1&ay=1&px=400]   a figure, dphi in units of pi;
//       &phix=P           the horizontal initial phase, P pi (else 0)
//       &from=T&turns=N   only N turns of x from turn T
//       &arrow=0          without the start dot and the arrow
//       &hline=Y&vline=X  counting lines at Y ay and X ax, passes marked
//       &ellipse=1        the chord b, the height a and the top tangency
//   screenshot:[?marked=1]                            the main window, with
//                                                     numbered controls
//   phase:[?phi=2.2]                                  the initial-phase diagram

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QUrl>
#include <QUrlQuery>
#include <cmath>
#include <cstdio>
#include <memory>

#include "platform/fake_platform.h"
#include "plot/plot_surface.h"
#include "tools/make_docs/figures.h"
#include "tools/make_docs/pages.h"
#include "tools/make_docs/values.h"
#include "ui/app_setup.h"
#include "window/form1.h"

namespace {

using orvinda::docs::FigureShape;

void fail(const QString& message) { std::fprintf(stderr, "make_docs: %s\n", qPrintable(message)); }

// The numbers uprav.html refers to, placed at the top-left corner of each control.
void mark_controls(QImage& image, const orvinda::Form1& form) {
  const struct {
    const QWidget* widget;
    int number;
  } marks[] = {
      {form.menuBar(), 1}, {form.Label10, 2},  {form.Label11, 3}, {form.Picture1, 4},
      {form.CmdOK, 5},     {form.HScroll1, 6}, {form.Label21, 7},
  };
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  QFont font(QStringLiteral("Liberation Sans"));
  font.setBold(true);
  font.setPixelSize(11);
  p.setFont(font);
  for (const auto& m : marks) {
    QPointF corner = m.widget->mapTo(&form, QPoint(0, 0));
    if (m.widget == form.menuBar()) {
      // Just after the last menu, however many there are.
      const QList<QAction*> menus = form.menuBar()->actions();
      const int right = menus.isEmpty() ? 0 : form.menuBar()->actionGeometry(menus.last()).right();
      corner += QPointF(right + 6, 2);
    }
    if (m.widget == form.Picture1) corner += QPointF(12, 30);
    if (m.widget == form.Label10 || m.widget == form.Label11 || m.widget == form.CmdOK) {
      corner += QPointF(-19, (m.widget->height() - 18) / 2.0);
    }
    if (m.widget == form.HScroll1) corner += QPointF(24, -1);
    if (m.widget == form.Label21) corner += QPointF(m.widget->width() / 2.0 + 10, 0);
    const QRectF circle(corner + QPointF(1, 1), QSizeF(16, 16));
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(0, 90, 200));
    p.drawEllipse(circle);
    p.setPen(Qt::white);
    p.drawText(circle, Qt::AlignCenter, QString::number(m.number));
  }
}

QImage window_screenshot(bool marked) {
  orvinda::FakePlatform platform;
  orvinda::Form1 form(platform);
  form.show();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  QImage image = form.grab().toImage();
  if (marked) mark_controls(image, form);
  form.hide();
  return image;
}

// Resolves the pictures the texts ask for; everything else as usual.
class Document : public QTextDocument {
 public:
  explicit Document(bool* failed) : failed_(failed) {}

  QVariant loadResource(int type, const QUrl& name) override {
    if (type != QTextDocument::ImageResource) return QTextDocument::loadResource(type, name);
    // The page breaks are found on fresh documents; each picture is drawn once.
    static QHash<QUrl, QImage> drawn;
    if (const auto it = drawn.constFind(name); it != drawn.constEnd()) {
      addResource(type, name, *it);
      return *it;
    }
    QImage image;
    if (name.scheme() == QLatin1String("figure")) {
      const QUrlQuery q(name.query());
      auto number = [&q](const char* key, double fallback) {
        bool ok = false;
        const double v = q.queryItemValue(QString::fromLatin1(key)).toDouble(&ok);
        return ok ? v : fallback;
      };
      FigureShape shape;
      shape.wx_part = static_cast<int>(number("wx", 1));
      shape.wy_part = static_cast<int>(number("wy", 1));
      shape.dphi_pi = number("dphi", 0);
      shape.ax = number("ax", 1);
      shape.ay = number("ay", 1);
      shape.phix_pi = number("phix", 0);
      shape.from_turn = number("from", 0);
      shape.turns = number("turns", 0);
      shape.start_and_arrow = number("arrow", 1) != 0;
      if (q.hasQueryItem(QStringLiteral("hline"))) shape.count_y = number("hline", 0);
      if (q.hasQueryItem(QStringLiteral("vline"))) shape.count_x = number("vline", 0);
      shape.ellipse_method = number("ellipse", 0) != 0;
      if (shape.wx_part < 1 || shape.wy_part < 1 || shape.ax <= 0 || shape.ay <= 0) {
        fail(QStringLiteral("bad figure %1").arg(name.toString()));
        *failed_ = true;
        return {};
      }
      image = orvinda::docs::figure_image(shape, static_cast<int>(number("px", 400)));
    } else if (name.scheme() == QLatin1String("screenshot")) {
      const QUrlQuery q(name.query());
      image = window_screenshot(q.hasQueryItem(QStringLiteral("marked")));
    } else if (name.scheme() == QLatin1String("phase")) {
      const QUrlQuery q(name.query());
      orvinda::docs::PhaseDiagram diagram;
      bool ok = false;
      const double phi = q.queryItemValue(QStringLiteral("phi")).toDouble(&ok);
      if (ok) diagram.phase = phi;
      image = orvinda::docs::phase_diagram_image(diagram, 800);
    } else {
      return QTextDocument::loadResource(type, name);
    }
    drawn.insert(name, image);
    addResource(type, name, image);
    return image;
  }

 private:
  bool* failed_;
};

int write_pdf(const QString& input, const QString& output) {
  QFile file(input);
  if (!file.open(QIODevice::ReadOnly)) {
    fail(QStringLiteral("cannot read %1").arg(input));
    return 1;
  }
  const orvinda::docs::Substitution values =
      orvinda::docs::substitute_values(QString::fromUtf8(file.readAll()));
  for (const QString& problem : values.problems) fail(QStringLiteral("%1: %2").arg(input, problem));
  if (!values.problems.isEmpty()) return 1;

  // Written beside the target first, so a failed run leaves no half file.
  const QString partial = output + QStringLiteral(".part");
  bool failed = false;
  {
    QPdfWriter writer(partial);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("Фигуры Орвинда"));

    bool unresolved = false;
    const QString html = orvinda::docs::protect_formulas(values.text);
    const QUrl base = QUrl::fromLocalFile(QFileInfo(input).absoluteFilePath());
    auto make = [&]() -> std::unique_ptr<QTextDocument> {
      auto doc = std::make_unique<Document>(&unresolved);
      QFont font(QStringLiteral("Liberation Serif"));
      font.setPointSizeF(12);
      doc->setDefaultFont(font);
      doc->setBaseUrl(base);
      doc->setHtml(html);
      return doc;
    };
    orvinda::docs::PagedDocument paged = orvinda::docs::lay_out_pages(make, writer);
    QTextDocument& doc = *paged.doc;
    for (const QString& lost : paged.lost) {
      fail(QStringLiteral("%1: the layout lost «%2»").arg(output, lost));
      unresolved = true;
    }
    writer.setTitle(doc.metaInformation(QTextDocument::DocumentTitle));
    for (const QString& problem : paged.problems) {
      std::fprintf(stderr, "make_docs: warning: %s: %s\n", qPrintable(output), qPrintable(problem));
    }
    for (const orvinda::docs::PageGap& gap : orvinda::docs::page_gaps(doc)) {
      std::fprintf(stderr, "make_docs: warning: %s: page %d is %d%% empty%s\n", qPrintable(output),
                   gap.page, static_cast<int>(gap.empty * 100),
                   gap.before_figure ? " before a figure" : "");
    }
    orvinda::docs::paint_pages(doc, writer);
    failed = unresolved;
  }
  if (failed) {
    QFile::remove(partial);
    return 1;
  }
  QFile::remove(output);
  if (!QFile::rename(partial, output)) {
    fail(QStringLiteral("cannot write %1").arg(output));
    return 1;
  }
  return 0;
}

int write_text(const QString& input, const QString& output, bool html) {
  QFile file(input);
  if (!file.open(QIODevice::ReadOnly)) {
    fail(QStringLiteral("cannot read %1").arg(input));
    return 1;
  }
  const orvinda::docs::Substitution values =
      orvinda::docs::substitute_values(QString::fromUtf8(file.readAll()), html);
  for (const QString& problem : values.problems) fail(QStringLiteral("%1: %2").arg(input, problem));
  if (!values.problems.isEmpty()) return 1;
  const QString text = html ? orvinda::docs::protect_formulas(values.text) : values.text;
  QSaveFile out(output);
  if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0 || !out.commit()) {
    fail(QStringLiteral("cannot write %1").arg(output));
    return 1;
  }
  return 0;
}

int save_image(const QImage& image, const QString& output) {
  if (image.isNull() || !image.save(output, "PNG")) {
    fail(QStringLiteral("cannot write %1").arg(output));
    return 1;
  }
  return 0;
}

int write_icon(const QString& input, const QString& output, int side) {
  QSvgRenderer renderer(input);
  if (!renderer.isValid() || side <= 0) {
    fail(QStringLiteral("cannot read %1").arg(input));
    return 1;
  }
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  renderer.render(&painter);
  painter.end();
  return save_image(image, output);
}

int usage() {
  std::fprintf(stderr,
               "usage: make_docs pdf INPUT.html OUTPUT.pdf\n"
               "       make_docs text INPUT.txt OUTPUT.txt\n"
               "       make_docs html INPUT.html OUTPUT.html\n"
               "       make_docs screenshot OUTPUT.png\n"
               "       make_docs icon INPUT.svg OUTPUT.png SIDE\n");
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  // The window in a PDF is drawn at twice its size so that print stays sharp.
  if (argc > 1 && qstrcmp(argv[1], "pdf") == 0) qputenv("QT_SCALE_FACTOR", "2");
  // The window is shown as a Russian system prints its numbers ("0,785"), as
  // the documents' text quotes them; Qt reads the separator from these names.
  if (argc > 1 && (qstrcmp(argv[1], "pdf") == 0 || qstrcmp(argv[1], "screenshot") == 0)) {
    qputenv("LC_NUMERIC", "ru_RU.UTF-8");
    if (qEnvironmentVariableIsSet("LC_ALL")) qputenv("LC_ALL", "ru_RU.UTF-8");
  }
  QApplication app(argc, argv);
  orvinda::prepare_application(app);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 3) return usage();
  const QString& mode = args.at(1);
  if (mode == QLatin1String("pdf") && args.size() == 4) return write_pdf(args.at(2), args.at(3));
  if (mode == QLatin1String("text") && args.size() == 4) {
    return write_text(args.at(2), args.at(3), false);
  }
  if (mode == QLatin1String("html") && args.size() == 4) {
    return write_text(args.at(2), args.at(3), true);
  }
  if (mode == QLatin1String("screenshot") && args.size() == 3) {
    return save_image(window_screenshot(false), args.at(2));
  }
  if (mode == QLatin1String("icon") && args.size() == 5) {
    return write_icon(args.at(2), args.at(3), args.at(4).toInt());
  }
  return usage();
}
