#include "window/form2.h"

#include <QLabel>
#include <QPixmap>

#include "ui/app_setup.h"
#include "ui/fonts.h"

namespace orvinda {

namespace {
// Twips to pixels at 96 dots per inch.
int px(int twips) { return twips / 15; }
}  // namespace

Form2::Form2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Авторы"));
  setWindowIcon(program_icon());
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(sans_font());
  setFixedSize(px(3330), px(4455));
  setModal(false);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(px(480), px(120), px(2250), px(2700));
  Image1->setPixmap(QPixmap(QStringLiteral(":/authors.png")));
  Image1->setScaledContents(true);
  Image1->setAccessibleName(QStringLiteral("Фигура Орвинда"));

  Label1 = new QLabel(QStringLiteral("Label1"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(px(120), px(3000), px(3135), px(1215));
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setTextFormat(Qt::PlainText);
}

QString Form2::credits() {
  const QString lines[6] = {
      QStringLiteral("Программа: авторский коллектив, 2026"),
      QStringLiteral("Учёные степени авторов не указаны   "),
      QStringLiteral("Должности: разработчики программы   "),
      QStringLiteral("Организация: авторский коллектив    "),
      QStringLiteral("Город и страна не указаны           "),
      QStringLiteral("Связь: через раздел задач проекта"),
  };
  QString text;
  for (int i = 0; i < 6; ++i) {
    if (i) text += QStringLiteral("\r\n");
    text += lines[i];
  }
  return text;
}

}  // namespace orvinda
