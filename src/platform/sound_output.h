#pragma once
// A stereo output that plays what the program gives it, as long as it is
// on: 48 kHz, 16 bits, left then right. The output asks for frames as it
// needs them, a few tens of milliseconds ahead.

#include <QString>
#include <cstdint>
#include <functional>

namespace orvinda {

class SoundOutput {
 public:
  using Fill = std::function<void(std::int16_t* interleaved, long long frames)>;

  virtual ~SoundOutput() = default;

  // Looks for a device, the first time only (it can take a while, so not at
  // start-up); empty when there is one, else why not, in Russian.
  virtual QString findDevice() = 0;

  // Starts playing what fill gives, at volume 0 … 1. lost runs once when the
  // device goes away or fails while playing; the output has stopped by then.
  // False, with the reason in Russian in why, when it could not start.
  virtual bool start(Fill fill, double volume, std::function<void()> lost, QString* why) = 0;
  virtual void setVolume(double volume) = 0;
  virtual void stop() = 0;
  virtual bool playing() const = 0;
};

}  // namespace orvinda
