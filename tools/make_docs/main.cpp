// Writes the accompanying documents at build time:
//   make_docs pdf INPUT.html OUTPUT.pdf   an A4 document from an HTML text
//   make_docs screenshot OUTPUT.png       the main window as it opens
//   make_docs icon INPUT.svg OUTPUT.png SIDE
// Pictures are named in the HTML by their own URLs:
//   figure:?wx=1&wy=2&dphi=0.25[&ax=1&ay=1&px=400]   a figure, dphi in units of pi
//   screenshot:[?marked=1]                            the main window, with
//                                                     numbered controls
//   phase:                                            the initial-phase diagram

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QUrl>
#include <QUrlQuery>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "platform/fake_platform.h"
#include "plot/plot_surface.h"
#include "tools/make_docs/figures.h"
#include "window/app_setup.h"
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
    if (m.widget == form.menuBar()) corner += QPointF(110, 2);
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

// The point (c, u/w) of the initial conditions, its distance A from the
// origin and its angle phi.
QImage phase_diagram(int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  const double unit = side / 2.6;
  const QPointF o(side * 0.42, side * 0.58);
  auto at = [&](double x, double y) { return o + QPointF(x * unit, -y * unit); };
  const double w = side / 320.0;

  QFont font(QStringLiteral("Liberation Serif"));
  font.setPixelSize(static_cast<int>(side / 16));
  font.setItalic(true);
  p.setFont(font);

  p.setPen(QPen(Qt::black, 1.5 * w));
  auto arrow = [&](QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot((to - from).x(), (to - from).y());
    const QPointF n(-d.y(), d.x());
    const double a = 12 * w;
    const QPointF head[3] = {to, to - d * a + n * a * 0.4, to - d * a - n * a * 0.4};
    p.setBrush(p.pen().color());
    p.drawPolygon(head, 3);
    p.setBrush(Qt::NoBrush);
  };
  arrow(at(-1.25, 0), at(1.45, 0));
  arrow(at(0, -0.9), at(0, 1.3));
  p.drawText(at(1.2, -0.2), QStringLiteral("c"));
  p.drawText(at(0.08, 1.2), QStringLiteral("u/ω"));

  const double phi = 2.2;  // a point of the second quarter
  const double a = 1.0;
  const QPointF point = at(a * std::cos(phi), a * std::sin(phi));
  p.setPen(QPen(QColor(150, 150, 150), w, Qt::DashLine));
  p.drawEllipse(o, a * unit, a * unit);
  p.drawLine(point, at(a * std::cos(phi), 0));
  p.drawLine(point, at(0, a * std::sin(phi)));
  p.setPen(QPen(QColor(0, 0, 160), 2 * w));
  p.drawLine(o, point);
  p.setBrush(QColor(200, 0, 0));
  p.setPen(Qt::NoPen);
  p.drawEllipse(point, 5 * w, 5 * w);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(200, 0, 0), 1.5 * w));
  const double r = 0.28 * unit;
  const int sixteenths = static_cast<int>(phi / std::numbers::pi * 180 * 16);
  p.drawArc(QRectF(o.x() - r, o.y() - r, 2 * r, 2 * r), 0, sixteenths);
  p.setPen(Qt::black);
  p.drawText(at(0.22, 0.3), QStringLiteral("φ"));
  p.drawText(at(-0.55, 0.45), QStringLiteral("A"));
  p.drawText(at(std::cos(phi) - 0.3, std::sin(phi) + 0.12), QStringLiteral("(c, u/ω)"));
  p.end();
  return image;
}

// Resolves the pictures the texts ask for; everything else as usual.
class Document : public QTextDocument {
 public:
  QVariant loadResource(int type, const QUrl& name) override {
    if (type != QTextDocument::ImageResource) return QTextDocument::loadResource(type, name);
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
      if (shape.wx_part < 1 || shape.wy_part < 1 || shape.ax <= 0 || shape.ay <= 0) {
        fail(QStringLiteral("bad figure %1").arg(name.toString()));
        failed = true;
        return {};
      }
      image = orvinda::docs::figure_image(shape, static_cast<int>(number("px", 400)));
    } else if (name.scheme() == QLatin1String("screenshot")) {
      const QUrlQuery q(name.query());
      image = window_screenshot(q.hasQueryItem(QStringLiteral("marked")));
    } else if (name.scheme() == QLatin1String("phase")) {
      image = phase_diagram(800);
    } else {
      return QTextDocument::loadResource(type, name);
    }
    addResource(type, name, image);
    return image;
  }
  bool failed = false;
};

int write_pdf(const QString& input, const QString& output) {
  QFile file(input);
  if (!file.open(QIODevice::ReadOnly)) {
    fail(QStringLiteral("cannot read %1").arg(input));
    return 1;
  }
  const QString html = QString::fromUtf8(file.readAll());

  Document doc;
  QFont font(QStringLiteral("Liberation Serif"));
  font.setPointSizeF(12);
  doc.setDefaultFont(font);
  doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(input).absoluteFilePath()));
  doc.setHtml(html);

  // Written beside the target first, so a failed run leaves no half file.
  const QString partial = output + QStringLiteral(".part");
  {
    QPdfWriter writer(partial);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    writer.setTitle(doc.metaInformation(QTextDocument::DocumentTitle));
    writer.setCreator(QStringLiteral("Фигуры Орвинда"));
    doc.print(&writer);
  }
  if (doc.failed) {
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
               "       make_docs screenshot OUTPUT.png\n"
               "       make_docs icon INPUT.svg OUTPUT.png SIDE\n");
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  // The window in a PDF is drawn at twice its size so that print stays sharp.
  if (argc > 1 && qstrcmp(argv[1], "pdf") == 0) qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  orvinda::prepare_application(app);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 3) return usage();
  const QString& mode = args.at(1);
  if (mode == QLatin1String("pdf") && args.size() == 4) return write_pdf(args.at(2), args.at(3));
  if (mode == QLatin1String("screenshot") && args.size() == 3) {
    return save_image(window_screenshot(false), args.at(2));
  }
  if (mode == QLatin1String("icon") && args.size() == 5) {
    return write_icon(args.at(2), args.at(3), args.at(4).toInt());
  }
  return usage();
}
