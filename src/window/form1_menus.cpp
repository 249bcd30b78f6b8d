// The menus: documents, the instruction, the Authors window and the About box.

#include <QDir>
#include <QLabel>

#include "platform/document_lookup.h"
#include "platform/platform.h"
#include "window/about_text.h"
#include "window/form1.h"
#include "window/form2.h"

namespace orvinda {

void Form1::mnuFilespravka_Click() { openDocument(QStringLiteral("spravka.pdf")); }
void Form1::mnuFilespravka2_Click() { openDocument(QStringLiteral("spravka2.pdf")); }
void Form1::mnuFilesHistory1_Click() { openDocument(QStringLiteral("Orvinda.pdf")); }
void Form1::mnuHelpUprav_Click() { openDocument(QStringLiteral("uprav.pdf")); }
void Form1::mnuHelpInstruction_Click() { openDocument(QStringLiteral("instruction.txt")); }

void Form1::openDocument(const QString& file_name) {
  const DocumentLookup found = find_document(file_name, document_folders_);
  QString failure;
  if (found.path.isEmpty()) {
    failure = QStringLiteral("Файл «%1» не найден.\r\nИскали в папках:\r\n%2")
                  .arg(file_name, found.searched.join(QStringLiteral("\r\n")));
  } else {
    const bool is_text = file_name.endsWith(QStringLiteral(".txt"));
    const bool opened =
        is_text ? platform_.start_editor(found.path) : platform_.open_document(found.path);
    if (!opened) {
      failure = QStringLiteral(
                    "Не удалось открыть файл «%1»:\r\nна компьютере не нашлось "
                    "программы, которая открывает такие файлы.")
                    .arg(QDir::toNativeSeparators(found.path));
    }
  }
  if (!failure.isEmpty()) {
    platform_.message_box(this, failure, QStringLiteral("Ошибка"), MessageButtons::Ok);
  }
}

void Form1::mnuHelpAbout_Click() {
  platform_.message_box(this, about_text(), QStringLiteral("О ПРОГРАММЕ"), MessageButtons::Ok);
}

void Form1::mnuHelpAvtors_Click() {
  if (!form2_) form2_ = new Form2();
  form2_->Label1->setText(Form2::credits());
  const QRect main = frameGeometry();
  // Before its first showing the window has no frame yet; it will get the
  // same decoration as this one.
  const QSize authors = form2_->isVisible() ? form2_->frameGeometry().size()
                                            : form2_->size() + (main.size() - geometry().size());
  form2_->move((main.width() - authors.width()) / 2 + main.left(),
               (main.height() - authors.height()) / 2 + main.top());
  form2_->show();
  form2_->raise();
}

}  // namespace orvinda
