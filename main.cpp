#include <QApplication>

#include "platform/qt_platform.h"
#include "window/app_setup.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  orvinda::prepare_application(app);
  orvinda::QtPlatform platform;
  orvinda::Form1 form(platform);
  form.show();
  return QApplication::exec();
}
