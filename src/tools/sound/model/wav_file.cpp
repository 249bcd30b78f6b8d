#include "tools/sound/model/wav_file.h"

#include <vector>

#include "tools/sound/model/sound_generator.h"

namespace orvinda {

namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;

void put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xff);
  out += static_cast<char>((value >> 8) & 0xff);
}

void put32(std::string& out, unsigned long value) {
  put16(out, value & 0xffff);
  put16(out, (value >> 16) & 0xffff);
}

}  // namespace

std::string wav_header(long long frames) {
  const unsigned long data_bytes = static_cast<unsigned long>(frames) * kChannels * kBytesPerSample;
  std::string out = "RIFF";
  put32(out, 36 + data_bytes);
  out += "WAVEfmt ";
  put32(out, 16);
  put16(out, 1);  // integer samples
  put16(out, kChannels);
  put32(out, kSoundRate);
  put32(out, static_cast<unsigned long>(kSoundRate) * kChannels * kBytesPerSample);
  put16(out, kChannels * kBytesPerSample);
  put16(out, 8 * kBytesPerSample);
  out += "data";
  put32(out, data_bytes);
  return out;
}

std::string wav_file(const SoundPlan& plan, int seconds) {
  const long long frames = static_cast<long long>(kSoundRate) * seconds;
  std::string out = wav_header(frames);
  out.reserve(out.size() + static_cast<std::size_t>(frames) * kChannels * kBytesPerSample);
  SoundGenerator generator;
  generator.setPlan(plan);
  std::vector<std::int16_t> block(2 * kSoundRate / 10);
  for (long long done = 0; done < frames;) {
    const long long now =
        std::min<long long>(frames - done, static_cast<long long>(block.size()) / 2);
    generator.fill(block.data(), now);
    for (long long i = 0; i < 2 * now; ++i) put16(out, static_cast<std::uint16_t>(block[i]));
    done += now;
  }
  return out;
}

}  // namespace orvinda
