// The yardstick for the program's start: a bare main window of the same
// client size with a menu bar built the same way, and nothing else.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include "app/startup_probe.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Сложение колебаний"));
  QMenu* file = window.menuBar()->addMenu(QStringLiteral("&Файл"));
  for (const char* item : {"Справка 1", "Справка 2", "История"}) file->addAction(item);
  QMenu* experiment = window.menuBar()->addMenu(QStringLiteral("&Опыт"));
  for (const char* item :
       {"Примеры", "Амплитуды и фазы…", "Открыть опыт…", "Сохранить опыт…", "Сохранить рисунок…",
        "Печать…", "Развёртка колебаний", "Измерения", "Проверь себя…"}) {
    experiment->addAction(item);
  }
  QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Помощь"));
  for (const char* item : {"Инструкция", "Управление", "Авторы", "О программе"}) {
    help->addAction(item);
  }
  window.resize(640, 530 + window.menuBar()->sizeHint().height());
  orvinda::probe_startup_if_asked(window);
  window.show();
  return QApplication::exec();
}
