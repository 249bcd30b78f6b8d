#include "platform/qt_platform.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

#include "platform/tone_player.h"

namespace orvinda {

namespace {

// Each line of our texts stays one line on screen; the stock box wraps
// anything wider than a fixed limit.
class UnwrappedMessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
      label->setWordWrap(false);
      label->setMinimumWidth(label->sizeHint().width());
      setFixedSize(sizeHint());
      if (QWidget* owner = parentWidget()) {
        move(owner->window()->frameGeometry().center() - QPoint(width() / 2, height() / 2));
      }
    }
  }
};

}  // namespace

void QtPlatform::tone(int frequency_hz, int duration_ms) { play_tone(frequency_hz, duration_ms); }

MessageAnswer QtPlatform::message_box(QWidget* parent, const QString& text, const QString& title,
                                      MessageButtons buttons) {
  UnwrappedMessageBox box(parent);
  box.setIcon(QMessageBox::NoIcon);
  box.setWindowTitle(title);
  box.setText(text);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  if (buttons == MessageButtons::Ok) {
    QPushButton* ok = box.addButton(QStringLiteral("ОК"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return MessageAnswer::Ok;
  }
  QPushButton* yes = box.addButton(QStringLiteral("&Да"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&Нет"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
}

bool QtPlatform::open_document(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtPlatform::start_editor(const QString& path) {
#ifdef Q_OS_WIN
  return QProcess::startDetached(QStringLiteral("notepad.exe"), {path});
#else
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#endif
}

void QtPlatform::end_program() {
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace orvinda
