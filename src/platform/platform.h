#pragma once
// What the program takes from the desktop: a tone, the sound output, modal
// message boxes, opening documents, starting the text editor, remembered
// settings and ending the program.
// The window gets one at construction; tests give it the recording fake.

#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <functional>

class QDialog;
class QPainter;
class QWidget;

namespace orvinda {

class DialogExtra;
class SoundOutput;

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class Platform {
 public:
  virtual ~Platform() = default;

  // Sounds frequency_hz for duration_ms and returns when the tone has ended.
  virtual void tone(int frequency_hz, int duration_ms) = 0;

  // The stereo output for continuous sound; the same one for the program's
  // whole life. It looks for a device only when asked.
  virtual SoundOutput& sound_output() = 0;

  // A modal box without an icon; for YesNo, Yes is the default button.
  virtual MessageAnswer message_box(QWidget* parent, const QString& text, const QString& title,
                                    MessageButtons buttons) = 0;

  // Hands a document to the desktop's "open" action; false when it could not.
  virtual bool open_document(const QString& path) = 0;

  // Starts the text editor on a file without waiting for it; false when it
  // could not be started.
  virtual bool start_editor(const QString& path) = 0;

  // Ends the program at once. The fake returns; the real one does not.
  virtual void end_program() = 0;

  // Qt's own file dialogs, in Russian, starting in the program's one
  // remembered folder, which a choice updates. filters: "Рисунок PNG (*.png)"
  // and the like; the chosen one comes back in chosen_filter. Empty when the
  // user cancels. extra, when given, is shown in the dialog below its fields.
  virtual QString save_file_name(QWidget* parent, const QString& title, const QStringList& filters,
                                 const QString& suggested_name, QString* chosen_filter,
                                 DialogExtra* extra = nullptr) = 0;
  virtual QString open_file_name(QWidget* parent, const QString& title,
                                 const QStringList& filters) = 0;

  // Runs one of the program's own dialogs modally; true when it was
  // accepted. The fake runs a test's hook instead, so dialogs are filled
  // and answered without a nested event loop.
  virtual bool run_dialog(QDialog& dialog) = 0;

  // The print preview, then Qt's print dialog. paint draws one page into the
  // page's area inside the margins (see print_margins.h), in the painter's
  // coordinates. extra, when given, is shown beside the preview, which is
  // drawn again when it changes.
  using PagePainter = std::function<void(QPainter& painter, const QRectF& page)>;
  virtual void print_preview(QWidget* parent, const QString& title, const PagePainter& paint,
                             DialogExtra* extra = nullptr) = 0;

  // The program's few remembered settings; the fake keeps them in memory.
  // fallback (an invalid value unless given) when the key was never written.
  virtual QVariant setting(const QString& key, const QVariant& fallback = QVariant()) const = 0;
  virtual void set_setting(const QString& key, const QVariant& value) = 0;

  // A steady clock for what runs in real time: nanoseconds from any start,
  // never going back. The fake's moves only when a test advances it.
  virtual std::int64_t clock_ns() = 0;
};

}  // namespace orvinda
