// WAV import: any input is checked without reading outside it; an accepted
// file gives a sound entry whose WAV image passes the same checks and
// carries the same samples back.
#include <cstddef>
#include <cstdint>

#include "audio/sound_wav.h"
#include "audio/wave_source.h"
#include "fuzz_check.h"
#include "tests/support/recording_reporter.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  WavData player;
  if (findWavData(in, player)) FUZZ_CHECK(player.dataOffset + player.dataLength <= in.size());
  // The player reads any WAV image to its end, in buffers of any size.
  WaveSource source;
  if (source.load(in)) {
    source.play();
    std::uint8_t buf[61];
    std::size_t total = 0;
    while (std::size_t n = source.read(buf, 1 + size % 61)) total += n;
    FUZZ_CHECK(total <= size);
  }
  WavData wav;
  if (checkSoundWav(in, wav) != WavCheck::Ok) return 0;
  FUZZ_CHECK(wav.dataOffset + wav.dataLength <= in.size());
  SoundFile snd = newSound();
  FUZZ_CHECK(insertSoundEntry(snd, 0, soundEntryFromWav(in, wav), mirdal::test::testReporter()));
  const Bytes image = mkWav(snd, 0);
  WavData again;
  FUZZ_CHECK(checkSoundWav(image, again) == WavCheck::Ok);
  FUZZ_CHECK(again.format.channels == wav.format.channels);
  FUZZ_CHECK(soundEntryFromWav(image, again).data == snd.entries[0].data);
  return 0;
}
