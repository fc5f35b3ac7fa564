#include "audio/sound_wav.h"

#include "core/report.h"
#include "core/save.h"
#include "formats/common/disc_file.h"

namespace mirdal {

SoundEntry soundEntryFromWav(const Bytes& file, const WavData& wav) {
  SoundEntry e;
  e.channelConfiguration = wav.format.channels == 1 ? kSoundMono : kSoundStereo;
  e.samplingFrequency = kSound48kHz;
  e.bitsPerSample = kSound16Bits;
  const std::size_t length = wav.dataLength & ~std::size_t(1);
  const auto first = file.begin() + std::ptrdiff_t(wav.dataOffset);
  e.data.assign(first, first + std::ptrdiff_t(length));
  swapSampleBytes(e.data);
  e.length = std::uint32_t(e.data.size());
  return e;
}

bool loadSound(SoundFile& snd, std::size_t at, const std::string& wavPath, Reporter& rep) {
  rep.setStatusPanel(fileNameOf(wavPath), 1);
  Bytes file;
  if (!readDiscFile(wavPath, file, rep)) return false;
  WavData wav;
  const WavCheck check = checkSoundWav(file, wav);
  if (check != WavCheck::Ok) {
    rep.logError(wavCheckMessage(check));
    rep.sleepMs(3000);
    return false;
  }
  if (wav.dataCut)
    rep.log("  " + fileNameOf(wavPath) + ": the data chunk ends early; " + std::to_string(wav.dataLength) +
        " bytes taken");
  return insertSoundEntry(snd, at, soundEntryFromWav(file, wav), rep);
}

Bytes mkWav(const SoundFile& snd, std::size_t index) {
  if (index >= snd.entries.size()) return {};
  const SoundEntry& e = snd.entries[index];
  return wavImage(e.channelConfiguration == kSoundStereo ? 2 : 1, e.data);
}

bool exportSound(const SoundFile& snd, std::size_t index, const std::string& path, Reporter& rep) {
  if (index >= snd.entries.size()) {
    rep.logError("There is no sound entry " + std::to_string(index));
    return false;
  }
  std::string error;
  if (!writeFileAtomic(path, mkWav(snd, index), &error)) {
    rep.logError("Cannot write " + path + " (" + error + ")");
    return false;
  }
  return true;
}

std::optional<SoundFile> createSound(const std::string& wavPath, Reporter& rep) {
  SoundFile snd = newSound();
  if (!loadSound(snd, 0, wavPath, rep)) return std::nullopt;
  return snd;
}

}  // namespace mirdal
