#pragma once
// The platform on a real desktop, through Qt.

#include <memory>

#include "platform/platform.h"

namespace orvinda {

struct AudioModule;

class QtPlatform : public Platform {
 public:
  QtPlatform();
  ~QtPlatform() override;
  void tone(int frequency_hz, int duration_ms) override;
  SoundOutput& sound_output() override;
  MessageAnswer message_box(QWidget* parent, const QString& text, const QString& title,
                            MessageButtons buttons) override;
  bool open_document(const QString& path) override;
  bool start_editor(const QString& path) override;
  [[noreturn]] void end_program() override;
  QString save_file_name(QWidget* parent, const QString& title, const QStringList& filters,
                         const QString& suggested_name, QString* chosen_filter,
                         DialogExtra* extra = nullptr) override;
  QString open_file_name(QWidget* parent, const QString& title,
                         const QStringList& filters) override;
  bool run_dialog(QDialog& dialog) override;
  void print_preview(QWidget* parent, const QString& title, const PagePainter& paint,
                     DialogExtra* extra = nullptr) override;
  QVariant setting(const QString& key, const QVariant& fallback = QVariant()) const override;
  void set_setting(const QString& key, const QVariant& value) override;
  std::int64_t clock_ns() override;

 private:
  const AudioModule* audio();

  bool audio_looked_for_ = false;
  const AudioModule* audio_ = nullptr;  // loaded on the first sound
  std::unique_ptr<SoundOutput> sound_;  // made when first asked for
};

}  // namespace orvinda
