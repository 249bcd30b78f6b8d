#include "platform/audio/tone_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>
#include <cmath>
#include <numbers>

namespace orvinda {

namespace {

constexpr int kSampleRate = 44100;
constexpr double kFadeSeconds = 0.005;  // no click at either end
constexpr int kLatencySlackMs = 120;

QByteArray sine_samples(int frequency_hz, int duration_ms) {
  const int count = kSampleRate * duration_ms / 1000;
  const int fade = static_cast<int>(kSampleRate * kFadeSeconds);
  QByteArray data(count * 2, Qt::Uninitialized);
  auto* out = reinterpret_cast<qint16*>(data.data());
  for (int i = 0; i < count; ++i) {
    double gain = 0.4;
    if (i < fade) gain *= static_cast<double>(i) / fade;
    if (count - 1 - i < fade) gain *= static_cast<double>(count - 1 - i) / fade;
    const double s = std::sin(2 * std::numbers::pi * frequency_hz * i / kSampleRate);
    out[i] = qToLittleEndian(static_cast<qint16>(std::lround(s * gain * 32767)));
  }
  return data;
}

}  // namespace

bool play_tone(int frequency_hz, int duration_ms) {
  if (duration_ms <= 0) return true;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  QAudioFormat format;
  format.setSampleRate(kSampleRate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  if (device.isNull() || !device.isFormatSupported(format)) return false;

  QByteArray samples = sine_samples(frequency_hz, duration_ms);
  QBuffer buffer(&samples);
  buffer.open(QIODevice::ReadOnly);
  QAudioSink sink(device, format);
  QEventLoop loop;
  bool ended = false;
  QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&](QAudio::State state) {
    if (state == QAudio::IdleState || state == QAudio::StoppedState) {
      ended = true;
      loop.quit();
    }
  });
  // Some devices report the end late; the output latency is well within
  // this slack, so the caller never waits much longer than the tone.
  QTimer::singleShot(duration_ms + kLatencySlackMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  sink.start(&buffer);
  if (sink.error() != QAudio::NoError) return false;
  if (!ended) loop.exec(QEventLoop::ExcludeUserInputEvents);
  sink.stop();
  return true;
}

}  // namespace orvinda
