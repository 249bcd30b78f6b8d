#include "platform/qt_platform.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/audio_loader.h"
#include "platform/dialog_extra.h"
#include "platform/print_margins.h"
#include "platform/sound_output.h"

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

// The program's remembered settings: the folder of the last file dialog,
// what the windows keep (the projector view), the choices of its dialogs
// and what the tools keep.
QSettings& settings() {
  static QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("orvinda"),
                         QStringLiteral("orvinda"));
  return store;
}

QString last_folder() {
  const QString folder = settings().value(QStringLiteral("folders/last")).toString();
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
  return QDir::homePath();
}

void remember_folder_of(const QString& path) {
  if (path.isEmpty()) return;
  settings().setValue(QStringLiteral("folders/last"), QFileInfo(path).absolutePath());
  settings().sync();
}

// Qt's own dialog, so that its texts come from Qt's Russian translation.
QFileDialog* file_dialog(QWidget* parent, const QString& title, const QStringList& filters) {
  auto* dialog = new QFileDialog(parent, title, last_folder());
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->setNameFilters(filters);
  dialog->setAttribute(Qt::WA_DeleteOnClose, false);
  return dialog;
}

}  // namespace

QString QtPlatform::save_file_name(QWidget* parent, const QString& title,
                                   const QStringList& filters, const QString& suggested_name,
                                   QString* chosen_filter, DialogExtra* extra) {
  std::unique_ptr<QFileDialog> dialog(file_dialog(parent, title, filters));
  // Qt's own dialog lays out in a grid: the extra row goes below its fields.
  if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()); grid && extra) {
    grid->addWidget(extra, grid->rowCount(), 0, 1, -1);
  }
  // The extra belongs to the caller, not to the dialog that is deleted.
  const auto release = qScopeGuard([extra] {
    if (extra) extra->setParent(nullptr);
  });
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->selectFile(suggested_name);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return QString();
  QString path = dialog->selectedFiles().constFirst();
  const QString filter = dialog->selectedNameFilter();
  if (chosen_filter) *chosen_filter = filter;
  // A name typed without an extension gets the chosen filter's.
  if (QFileInfo(path).suffix().isEmpty()) {
    const int star = filter.indexOf(QStringLiteral("*."));
    if (star >= 0) {
      const QString suffix =
          filter.mid(star + 1).section(QLatin1Char(')'), 0, 0).section(' ', 0, 0);
      path += suffix;
    }
  }
  remember_folder_of(path);
  return path;
}

QString QtPlatform::open_file_name(QWidget* parent, const QString& title,
                                   const QStringList& filters) {
  std::unique_ptr<QFileDialog> dialog(file_dialog(parent, title, filters));
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return QString();
  const QString path = dialog->selectedFiles().constFirst();
  remember_folder_of(path);
  return path;
}

bool QtPlatform::run_dialog(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

void QtPlatform::print_preview(QWidget* parent, const QString& title, const PagePainter& paint,
                               DialogExtra* extra) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                         QPageLayout::Millimeter);
  printer.setDocName(title);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(title);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* p) {
    // The painter's origin is the corner of the printable area; the margins
    // are kept whatever paper and printer the user chose since.
    const int dpi = p->resolution();
    const QRectF paper = p->pageLayout().fullRectPixels(dpi);
    const QRectF printable = p->pageLayout().paintRectPixels(dpi);
    QPainter painter(p);
    paint(painter, page_area(paper, printable, dpi / 25.4));
  });
  if (extra) {
    if (preview.layout()) preview.layout()->addWidget(extra);
    if (auto* widget = preview.findChild<QPrintPreviewWidget*>()) {
      QObject::connect(extra, &DialogExtra::changed, widget, &QPrintPreviewWidget::updatePreview);
    }
  }
  preview.exec();
  // The extra belongs to the caller.
  if (extra) extra->setParent(nullptr);
}

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

const AudioModule* QtPlatform::audio() {
  if (!audio_looked_for_) {
    audio_looked_for_ = true;
    audio_ = load_audio_module(default_audio_module_folders());
  }
  return audio_;
}

void QtPlatform::tone(int frequency_hz, int duration_ms) {
  play_tone(audio(), frequency_hz, duration_ms);
}

SoundOutput& QtPlatform::sound_output() {
  if (!sound_) sound_ = make_sound_output(audio());
  return *sound_;
}

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

QVariant QtPlatform::setting(const QString& key, const QVariant& fallback) const {
  return settings().value(key, fallback);
}

void QtPlatform::set_setting(const QString& key, const QVariant& value) {
  settings().setValue(key, value);
  settings().sync();
}

std::int64_t QtPlatform::clock_ns() {
  static const QElapsedTimer started = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
  }();
  return started.nsecsElapsed();
}

}  // namespace orvinda
