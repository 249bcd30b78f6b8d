#pragma once
// A platform that records every call instead of sounding, showing or opening
// anything. Answers to message boxes come from a queue (Yes/Ok when empty);
// a hook may run while a "modal" box is open.

#include <QImage>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/platform.h"
#include "platform/sound_output.h"

namespace orvinda {

// A sound output that plays nothing: a test pulls the frames a device would
// take, and may take the device away.
class FakeSoundOutput : public SoundOutput {
 public:
  QString findDevice() override;
  bool start(Fill fill, double volume, std::function<void()> lost, QString* why) override;
  void setVolume(double volume) override;
  void stop() override;
  bool playing() const override { return static_cast<bool>(fill_); }

  // What the device would take next: frames stereo frames, left first.
  // Empty while nothing plays.
  std::vector<std::int16_t> pull(long long frames);
  // The device goes away: a playing output stops and says so.
  void loseDevice();

  QString missing_reason;  // set: there is no device, for this reason
  int finds = 0;
  double volume = -1;

 private:
  Fill fill_;
  std::function<void()> lost_;
};

class FakePlatform : public Platform {
 public:
  struct Tone {
    int frequency_hz;
    int duration_ms;
  };
  struct Message {
    QString text;
    QString title;
    MessageButtons buttons;
  };

  void tone(int frequency_hz, int duration_ms) override;
  SoundOutput& sound_output() override { return sound; }
  MessageAnswer message_box(QWidget* parent, const QString& text, const QString& title,
                            MessageButtons buttons) override;
  bool open_document(const QString& path) override;
  bool start_editor(const QString& path) override;
  void end_program() override;
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
  QVariantMap settings;  // what set_setting wrote, or a test put there first
  std::int64_t clock_ns() override { return clock_now_ns; }
  void advance_clock(double seconds) { clock_now_ns += static_cast<std::int64_t>(seconds * 1e9); }

  struct FileDialog {
    QString title;
    QStringList filters;
    QString suggested_name;
  };
  std::vector<FileDialog> file_dialogs;
  QStringList file_answers;  // paths the dialogs return, from the front; empty: cancelled
  QStringList print_titles;
  // What the last print preview drew: the whole sheet of paper at 96 dpi,
  // with the printer's own margins around the printable area.
  QImage printed_page;
  QPageSize::PageSizeId paper = QPageSize::A4;
  double printer_margin_mm = 4;
  // Runs while a file or print dialog shows its extra controls: the user's
  // changes to them. After it, a print preview is drawn again.
  std::function<void(DialogExtra&)> with_dialog_extra;

  FakeSoundOutput sound;

  std::vector<Tone> tones;
  std::vector<Message> messages;
  QStringList opened_documents;
  QStringList started_editors;
  int end_program_calls = 0;

  // Titles of the dialogs run. The hook plays the user: it fills the dialog
  // and presses its buttons; without one the dialog is cancelled.
  QStringList dialog_titles;
  std::function<void(QDialog&)> while_dialog_open;

  std::vector<MessageAnswer> answers;        // taken from the front
  std::function<void()> while_message_open;  // runs inside message_box
  std::function<void()> while_tone_sounds;   // runs inside tone
  std::int64_t clock_now_ns = 0;
  bool open_succeeds = true;
  bool editor_succeeds = true;
};

}  // namespace orvinda
