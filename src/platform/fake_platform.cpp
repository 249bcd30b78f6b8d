#include "platform/fake_platform.h"

#include <QDialog>
#include <QPainter>

#include "platform/dialog_extra.h"
#include "platform/print_margins.h"

namespace orvinda {

QString FakeSoundOutput::findDevice() {
  ++finds;
  return missing_reason;
}

bool FakeSoundOutput::start(Fill fill, double start_volume, std::function<void()> lost,
                            QString* why) {
  if (!missing_reason.isEmpty()) {
    if (why) *why = missing_reason;
    return false;
  }
  fill_ = std::move(fill);
  lost_ = std::move(lost);
  volume = start_volume;
  return true;
}

void FakeSoundOutput::setVolume(double v) { volume = v; }

void FakeSoundOutput::stop() {
  fill_ = nullptr;
  lost_ = nullptr;
}

std::vector<std::int16_t> FakeSoundOutput::pull(long long frames) {
  if (!fill_) return {};
  std::vector<std::int16_t> out(static_cast<std::size_t>(2 * frames));
  fill_(out.data(), frames);
  return out;
}

void FakeSoundOutput::loseDevice() {
  std::function<void()> lost = std::move(lost_);
  missing_reason = QStringLiteral("Звука нет: не найдено устройство вывода звука.");
  stop();
  if (lost) lost();
}

void FakePlatform::tone(int frequency_hz, int duration_ms) {
  tones.push_back({frequency_hz, duration_ms});
  if (while_tone_sounds) while_tone_sounds();
}

MessageAnswer FakePlatform::message_box(QWidget*, const QString& text, const QString& title,
                                        MessageButtons buttons) {
  messages.push_back({text, title, buttons});
  if (while_message_open) while_message_open();
  MessageAnswer answer = buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
  if (!answers.empty()) {
    answer = answers.front();
    answers.erase(answers.begin());
  }
  return answer;
}

bool FakePlatform::open_document(const QString& path) {
  opened_documents << path;
  return open_succeeds;
}

bool FakePlatform::start_editor(const QString& path) {
  started_editors << path;
  return editor_succeeds;
}

void FakePlatform::end_program() { ++end_program_calls; }

QString FakePlatform::save_file_name(QWidget*, const QString& title, const QStringList& filters,
                                     const QString& suggested_name, QString* chosen_filter,
                                     DialogExtra* extra) {
  file_dialogs.push_back({title, filters, suggested_name});
  if (extra && with_dialog_extra) with_dialog_extra(*extra);
  if (file_answers.isEmpty()) return QString();
  const QString answer = file_answers.takeFirst();
  if (chosen_filter) {
    // The filter that matches the answer's extension, as a user would pick it.
    for (const QString& filter : filters) {
      const QString suffix = answer.section(QLatin1Char('.'), -1).toLower();
      if (filter.contains(QStringLiteral("*.") + suffix)) *chosen_filter = filter;
    }
  }
  return answer;
}

QString FakePlatform::open_file_name(QWidget*, const QString& title, const QStringList& filters) {
  file_dialogs.push_back({title, filters, QString()});
  return file_answers.isEmpty() ? QString() : file_answers.takeFirst();
}

bool FakePlatform::run_dialog(QDialog& dialog) {
  dialog_titles << dialog.windowTitle();
  dialog.setResult(QDialog::Rejected);
  if (while_dialog_open) while_dialog_open(dialog);
  return dialog.result() == QDialog::Accepted;
}

void FakePlatform::print_preview(QWidget*, const QString& title, const PagePainter& paint,
                                 DialogExtra* extra) {
  print_titles << title;
  if (extra && with_dialog_extra) with_dialog_extra(*extra);
  // The paper at 96 dpi, its printable area inside the printer's margins.
  constexpr int kDpi = 96;
  constexpr double kDotsPerMm = kDpi / 25.4;
  const QSize size = QPageSize(paper).sizePixels(kDpi);
  printed_page = QImage(size, QImage::Format_RGB32);
  printed_page.fill(Qt::white);
  const double m = printer_margin_mm * kDotsPerMm;
  const QRectF sheet(QPointF(0, 0), QSizeF(size));
  const QRectF printable = sheet.adjusted(m, m, -m, -m);
  QPainter painter(&printed_page);
  painter.translate(printable.topLeft());
  paint(painter, page_area(sheet, printable, kDotsPerMm));
}

QVariant FakePlatform::setting(const QString& key, const QVariant& fallback) const {
  return settings.value(key, fallback);
}

void FakePlatform::set_setting(const QString& key, const QVariant& value) {
  settings.insert(key, value);
}

}  // namespace orvinda
