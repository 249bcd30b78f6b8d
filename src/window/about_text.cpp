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
                     ", Linux (Debian 12), учебная программа, авторский коллектив"),
      QStringLiteral(" "),
      QStringLiteral("Свидетельство о государственной регистрации: не выдавалось"),
      QStringLiteral("В государственном реестре программ: не зарегистрирована"),
      QStringLiteral("Лицензия: MIT (текст в файле LICENSE)"),
      QStringLiteral("Исходный код и документы поставляются вместе с программой"),
      QStringLiteral("Документы: папка программы и " ORVINDA_DATA_DIR),
  };
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace orvinda
