#include "ui/app_setup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTranslator>

#include "plot/resources.h"
#include "ui/fonts.h"

namespace orvinda {

namespace {

QIcon* cached_icon = nullptr;

void forget_icon() {
  delete cached_icon;
  cached_icon = nullptr;
}

QIcon render_icon() {
  ensure_resources();
  QIcon icon;
  QSvgRenderer renderer(QStringLiteral(":/orvinda.svg"));
  // Every size here travels to the window manager with each window; larger
  // ones come from the installed scalable icon.
  for (int side : {16, 24, 32, 48, 64, 128}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QIcon program_icon() {
  // Drawn once: every window asks for it, the main window at start.
  if (!cached_icon) {
    cached_icon = new QIcon(render_icon());
    qAddPostRoutine(forget_icon);
  }
  return *cached_icon;
}

void prepare_application(QApplication& app) {
  install_font_substitutes();
  app.setApplicationName(QStringLiteral("orvinda"));
  app.setWindowIcon(program_icon());

  // The program speaks Russian whatever the desktop's language.
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase_ru", "qt_ru"}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QString::fromLatin1(name), dir)) {
      QCoreApplication::installTranslator(translator);
    } else {
      delete translator;
    }
  }
}

}  // namespace orvinda
