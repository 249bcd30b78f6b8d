#include "ui/app_setup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTranslator>

#include "plot/resources.h"
#include "ui/fonts.h"

namespace orvinda {

QIcon program_icon() {
  ensure_resources();
  QIcon icon;
  QSvgRenderer renderer(QStringLiteral(":/orvinda.svg"));
  for (int side : {16, 24, 32, 48, 64, 128, 256}) {
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
