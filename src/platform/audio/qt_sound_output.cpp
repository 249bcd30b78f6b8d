#include "platform/audio/qt_sound_output.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>
#include <mutex>

namespace orvinda {

namespace {

constexpr int kRate = 48000;
constexpr int kBytesPerFrame = 4;
// Small enough that a change is heard within 100 ms, large enough to ride
// over a busy moment of the window.
constexpr int kBufferMs = 40;

QAudioFormat stereo_format() {
  QAudioFormat format;
  format.setSampleRate(kRate);
  format.setChannelCount(2);
  format.setChannelConfig(QAudioFormat::ChannelConfigStereo);
  format.setSampleFormat(QAudioFormat::Int16);
  return format;
}

}  // namespace

// The sink reads from this as it needs frames; the backend may do so from
// its own thread, so fill is called under a lock that stop() takes too.
class QtSoundOutput::Source : public QIODevice {
 public:
  explicit Source(Fill fill) : fill_(std::move(fill)) {}

  void detach() {
    const std::lock_guard lock(mutex_);
    fill_ = nullptr;
  }

 protected:
  qint64 readData(char* data, qint64 size) override {
    const qint64 frames = size / kBytesPerFrame;
    const std::lock_guard lock(mutex_);
    if (!fill_) {
      std::fill(data, data + frames * kBytesPerFrame, 0);
    } else {
      fill_(reinterpret_cast<std::int16_t*>(data), frames);
    }
    return frames * kBytesPerFrame;
  }
  qint64 writeData(const char*, qint64) override { return -1; }
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override { return 1 << 20; }

 private:
  std::mutex mutex_;
  Fill fill_;
};

QtSoundOutput::QtSoundOutput() = default;

QtSoundOutput::~QtSoundOutput() { stop(); }

QString QtSoundOutput::findDevice() {
  if (found_) return *found_;
  devices_ = std::make_unique<QMediaDevices>();
  device_ = QMediaDevices::defaultAudioOutput();
  if (device_.isNull()) {
    found_ = QStringLiteral("Звука нет: не найдено устройство вывода звука.");
  } else if (!device_.isFormatSupported(stereo_format())) {
    found_ = QStringLiteral("Звука нет: устройство вывода не принимает стерео 48 кГц, 16 бит.");
  } else {
    found_ = QString();
  }
  // A device that goes away while the sound plays stops it.
  QObject::connect(devices_.get(), &QMediaDevices::audioOutputsChanged, devices_.get(), [this] {
    if (!sink_) return;
    for (const QAudioDevice& d : QMediaDevices::audioOutputs()) {
      if (d.id() == device_.id()) return;
    }
    deviceLost();
  });
  return *found_;
}

bool QtSoundOutput::start(Fill fill, double volume, std::function<void()> lost, QString* why) {
  stop();
  const QString problem = findDevice();
  if (!problem.isEmpty()) {
    if (why) *why = problem;
    return false;
  }
  source_ = std::make_unique<Source>(std::move(fill));
  source_->open(QIODevice::ReadOnly);
  sink_ = std::make_unique<QAudioSink>(device_, stereo_format());
  sink_->setBufferSize(kRate * kBytesPerFrame * kBufferMs / 1000);
  sink_->setVolume(volume);
  lost_ = std::move(lost);
  QObject::connect(sink_.get(), &QAudioSink::stateChanged, sink_.get(), [this](QAudio::State) {
    if (sink_ && (sink_->error() == QAudio::OpenError || sink_->error() == QAudio::FatalError)) {
      // Not from inside the sink's own signal: stopping deletes it.
      QTimer::singleShot(0, devices_.get(), [this] {
        if (sink_) deviceLost();
      });
    }
  });
  sink_->start(source_.get());
  if (sink_->error() != QAudio::NoError) {
    stop();
    if (why) *why = QStringLiteral("Звук не удалось включить: устройство вывода не открылось.");
    return false;
  }
  return true;
}

void QtSoundOutput::setVolume(double volume) {
  if (sink_) sink_->setVolume(volume);
}

void QtSoundOutput::stop() {
  if (source_) source_->detach();
  if (sink_) {
    sink_->disconnect();
    sink_->stop();
  }
  sink_.reset();
  source_.reset();
  lost_ = nullptr;
}

bool QtSoundOutput::playing() const { return sink_ != nullptr; }

void QtSoundOutput::deviceLost() {
  std::function<void()> lost = std::move(lost_);
  stop();
  if (lost) lost();
}

}  // namespace orvinda
