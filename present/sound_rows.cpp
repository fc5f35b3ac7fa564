#include "present/sound_rows.h"

namespace mirdal {

namespace {

// Bytes of one hundredth of a second: 4 bytes a stereo frame, 2 a mono one.
std::uint64_t bytesPerHundredth(std::uint8_t channelConfiguration) {
  return channelConfiguration == kSoundMono ? 960 : 1920;
}

// length / unit rounded to the nearest integer, halves to even.
std::uint64_t hundredths(std::uint64_t length, std::uint8_t channelConfiguration) {
  const std::uint64_t unit = bytesPerHundredth(channelConfiguration);
  const std::uint64_t q = length / unit;
  const std::uint64_t r = length % unit;
  if (r * 2 > unit || (r * 2 == unit && q % 2 == 1)) return q + 1;
  return q;
}

}  // namespace

std::string soundChannelText(std::uint8_t channelConfiguration) {
  if (channelConfiguration == kSoundMono) return "Mono";
  if (channelConfiguration == kSoundStereo) return "Stereo";
  return "-";
}

std::string soundDurationText(std::uint64_t length, std::uint8_t channelConfiguration) {
  const std::uint64_t h = hundredths(length, channelConfiguration);
  std::string s = std::to_string(h / 100);
  if (const std::uint64_t frac = h % 100; frac != 0) {
    s += "." + zeroPadded(frac, 2);
    if (s.back() == '0') s.pop_back();
  }
  return s + " s";
}

double soundDurationSeconds(std::uint64_t length, std::uint8_t channelConfiguration) {
  return double(hundredths(length, channelConfiguration)) / 100.0;
}

std::array<std::string, 5> soundRow(const SoundFile& snd, std::size_t entry) {
  const SoundEntry& e = snd.entries.at(entry);
  return {zeroPadded(entry, 3), soundChannelText(e.channelConfiguration),
          e.samplingFrequency == kSound48kHz ? "48kHz" : "-", e.bitsPerSample == kSound16Bits ? "16" : "-",
          soundDurationText(e.length, e.channelConfiguration)};
}

std::string soundRowStatus(const SoundFile& snd, std::size_t entry, char separator) {
  if (snd.entries.empty() || entry >= snd.entries.size()) return "";
  const SoundEntry& e = snd.entries[entry];
  const SoundEntry& last = snd.entries.back();
  const std::uint64_t total = std::uint64_t(last.start) + last.length;
  return "Data start: " + hexText(e.start, 8) + " (" + groupedDecimal(e.start, separator) + ")  Length: " +
         hexText(e.length, 8) + " (" + groupedDecimal(e.length, separator) + ")  Total data length: " +
         hexText(total, 8) + "(" + groupedDecimal(total, separator) + ")";
}

std::string soundEntryFileName(std::size_t entry) { return "sound_" + zeroPadded(entry, 3) + ".wav"; }

}  // namespace mirdal
