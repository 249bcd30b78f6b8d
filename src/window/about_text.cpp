#include "window/about_text.h"

#include <QStringList>

namespace orvinda {

QString about_text() {
  const QStringList lines = {
      QStringLiteral("Программа моделирует сложение перпендикулярных механических колебаний"),
      QStringLiteral("  и получение фигур Орвинда"),
      QStringLiteral(" "),
      QStringLiteral("История версий:"),
      QStringLiteral("Версия " ORVINDA_VERSION " от " ORVINDA_BUILD_DATE
                     "; Linux (Debian 12); учебная программа; авторский коллектив"),
      QStringLiteral(" "),
      QStringLiteral("Свидетельство о государственной регистрации программы не выдавалось;"),
      QStringLiteral("в государственном реестре программ она не зарегистрирована."),
      QStringLiteral("Лицензия: MIT (полный текст в файле LICENSE вместе с исходным кодом)."),
      QStringLiteral("Исходный код, документы и инструкция поставляются вместе с программой;"),
      QStringLiteral("после установки документы лежат в папке " ORVINDA_DATA_DIR "."),
  };
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace orvinda
