#pragma once
// The sound output through Qt Multimedia: an audio sink that pulls frames.

#include <QAudioDevice>
#include <QPointer>
#include <memory>
#include <optional>

#include "platform/sound_output.h"

class QAudioSink;
class QMediaDevices;

namespace orvinda {

class QtSoundOutput : public SoundOutput {
 public:
  QtSoundOutput();
  ~QtSoundOutput() override;

  QString findDevice() override;
  bool start(Fill fill, double volume, std::function<void()> lost, QString* why) override;
  void setVolume(double volume) override;
  void stop() override;
  bool playing() const override;

 private:
  class Source;
  void deviceLost();

  std::optional<QString> found_;  // the answer of the first look
  QAudioDevice device_;
  std::unique_ptr<QMediaDevices> devices_;
  std::unique_ptr<Source> source_;
  std::unique_ptr<QAudioSink> sink_;
  std::function<void()> lost_;
};

}  // namespace orvinda
