#include "audio/sound_wav.h"

#include "core/report.h"
#include "core/save.h"
#include "formats/disc_file.h"

namespace mirdal {

TSoundEntries soundEntryFromWav(const Bytes& file, const WavData& wav) {
  TSoundEntries e;
  e.channel_configuration = wav.format.channels == 1 ? kSoundMono : kSoundStereo;
  e.sampling_frequency = kSound48kHz;
  e.bits_per_sample = kSound16Bits;
  const std::size_t length = wav.data_length & ~std::size_t(1);
  const auto first = file.begin() + std::ptrdiff_t(wav.data_offset);
  e.data.assign(first, first + std::ptrdiff_t(length));
  swapSampleBytes(e.data);
  e.length = std::uint32_t(e.data.size());
  return e;
}

bool loadSound(TSND& snd, std::size_t at, const std::string& wavPath) {
  slog(fileNameOf(wavPath), 1);
  Bytes file;
  if (!readDiscFile(wavPath, file)) return false;
  WavData wav;
  const WavCheck check = checkSoundWav(file, wav);
  if (check != WavCheck::Ok) {
    erlog(wavCheckMessage(check));
    reporter().sleepMs(3000);
    return false;
  }
  if (wav.data_cut)
    log("  " + fileNameOf(wavPath) + ": the data chunk ends early; " + std::to_string(wav.data_length) +
        " bytes taken");
  return insertSoundEntry(snd, at, soundEntryFromWav(file, wav));
}

Bytes mkWav(const TSND& snd, std::size_t index) {
  if (index >= snd.entries.size()) return {};
  const TSoundEntries& e = snd.entries[index];
  return wavImage(e.channel_configuration == kSoundStereo ? 2 : 1, e.data);
}

bool exportSound(const TSND& snd, std::size_t index, const std::string& path) {
  if (index >= snd.entries.size()) {
    erlog("There is no sound entry " + std::to_string(index));
    return false;
  }
  std::string error;
  if (!writeFileAtomic(path, mkWav(snd, index), &error)) {
    erlog("Cannot write " + path + " (" + error + ")");
    return false;
  }
  return true;
}

std::optional<TSND> createSound(const std::string& wavPath) {
  TSND snd = newSound();
  if (!loadSound(snd, 0, wavPath)) return std::nullopt;
  return snd;
}

}  // namespace mirdal
