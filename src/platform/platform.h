#pragma once
// What the program takes from the desktop: a tone, modal message boxes,
// opening documents, starting the text editor and ending the program.
// The window gets one at construction; tests give it the recording fake.

#include <QString>

class QWidget;

namespace orvinda {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class Platform {
 public:
  virtual ~Platform() = default;

  // Sounds frequency_hz for duration_ms and returns when the tone has ended.
  virtual void tone(int frequency_hz, int duration_ms) = 0;

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
};

}  // namespace orvinda
