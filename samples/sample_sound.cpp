// Three button sounds written with the engine's sound writer: a mono click,
// a stereo two-note chime and a mono low beep, all 16-bit 48 kHz.
#include "sample_sound.h"

#include <cmath>
#include <numbers>

#include "formats/sound/sound_bdmv.h"

namespace {

using mirdal::SoundEntry;

struct Voice {
  double hz;
  double decayPerSecond;  // exponential fade
};

// Frames of one sine voice per channel, big-endian samples interleaved.
SoundEntry tone(std::uint8_t configuration, double seconds, std::initializer_list<Voice> channels) {
  SoundEntry e;
  e.channelConfiguration = configuration;
  const int frames = int(seconds * 48000);
  for (int i = 0; i < frames; ++i) {
    const double t = i / 48000.0;
    for (const Voice& v : channels) {
      const double a = 0.5 * std::exp(-v.decayPerSecond * t) * std::sin(2 * std::numbers::pi * v.hz * t);
      const auto s = std::int16_t(std::lround(a * 32767));
      e.data.push_back(std::uint8_t(std::uint16_t(s) >> 8));
      e.data.push_back(std::uint8_t(s));
    }
  }
  e.length = std::uint32_t(e.data.size());
  return e;
}

}  // namespace

mirdal::Bytes sampleSoundFile() {
  mirdal::SoundFile snd = mirdal::newSound();
  mirdal::SilentReporter quiet;
  mirdal::insertSoundEntry(snd, 0, tone(mirdal::kSoundMono, 0.04, {{2000, 120}}), quiet);
  mirdal::insertSoundEntry(snd, 1, tone(mirdal::kSoundStereo, 0.3, {{880, 9}, {1320, 9}}), quiet);
  mirdal::insertSoundEntry(snd, 2, tone(mirdal::kSoundMono, 0.15, {{440, 12}}), quiet);
  return mirdal::composeSound(snd);
}
