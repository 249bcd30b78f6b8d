#include "platform/fake_platform.h"

namespace orvinda {

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

}  // namespace orvinda
