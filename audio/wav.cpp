#include "audio/wav.h"

#include <algorithm>
#include <cstring>

namespace mirdal {

namespace {

std::uint16_t le16(const Bytes& b, std::size_t at) { return std::uint16_t(b[at] | (b[at + 1] << 8)); }

std::uint32_t le32(const Bytes& b, std::size_t at) { return std::uint32_t(le16(b, at)) | (std::uint32_t(le16(b, at + 2)) << 16); }

bool idAt(const Bytes& b, std::size_t at, const char* id) {
  return at + 4 <= b.size() && std::memcmp(b.data() + at, id, 4) == 0;
}

void putLe16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = std::uint8_t(v);
  b[at + 1] = std::uint8_t(v >> 8);
}

void putLe32(Bytes& b, std::size_t at, std::uint32_t v) {
  putLe16(b, at, v);
  putLe16(b, at + 2, v >> 16);
}

void putId(Bytes& b, std::size_t at, const char* id) { std::memcpy(b.data() + at, id, 4); }

// The format fields of a "fmt " chunk whose bytes begin at `at`.
WavFormat formatAt(const Bytes& b, std::size_t at) {
  WavFormat f;
  f.formatTag = le16(b, at);
  f.channels = le16(b, at + 2);
  f.sampleRate = le32(b, at + 4);
  f.byteRate = le32(b, at + 8);
  f.blockAlign = le16(b, at + 12);
  f.bitsPerSample = le16(b, at + 14);
  return f;
}

// Walks the chunks from `at` until one named `id`; its bytes are kept in
// out (clamped to the file). Sizes are 64-bit so that no size wraps the
// position back into the file.
bool findChunk(const Bytes& b, std::uint64_t at, const char* id, WavData& out) {
  while (at + 8 <= b.size()) {
    const std::uint32_t size = le32(b, std::size_t(at) + 4);
    if (idAt(b, std::size_t(at), id)) {
      out.dataOffset = std::size_t(at + 8);
      const std::uint64_t available = b.size() - out.dataOffset;
      out.dataCut = size > available;
      out.dataLength = std::size_t(std::min<std::uint64_t>(size, available));
      return true;
    }
    at += 8 + std::uint64_t(size) + (size & 1);
  }
  return false;
}

}  // namespace

WavCheck checkSoundWav(const Bytes& file, WavData& out) {
  out = WavData{};
  if (file.size() < 38 || !idAt(file, 0, "RIFF") || !idAt(file, 8, "WAVE") || !idAt(file, 12, "fmt "))
    return WavCheck::FormatError;
  out.format = formatAt(file, 20);
  if (out.format.formatTag != 1 || out.format.sampleRate != kWavSampleRate || out.format.bitsPerSample != 16)
    return WavCheck::FormatError;
  // Any other channel count would be stored as stereo and play as noise.
  if (out.format.channels != 1 && out.format.channels != 2) return WavCheck::Channels;
  const std::uint32_t fmtSize = le32(file, 16);
  if (!findChunk(file, 20 + std::uint64_t(fmtSize) + (fmtSize & 1), "data", out)) return WavCheck::NoData;
  return WavCheck::Ok;
}

std::string wavCheckMessage(WavCheck c) {
  switch (c) {
    case WavCheck::Ok: return "";
    case WavCheck::FormatError: return kWaveFormatError;
    case WavCheck::Channels: return "Wave format error! (Mandatory mono or stereo)";
    case WavCheck::NoData: return "Wave file has no data chunk";
  }
  return "";
}

bool findWavData(const Bytes& file, WavData& out) {
  out = WavData{};
  if (file.size() < 12 || !idAt(file, 0, "RIFF") || !idAt(file, 8, "WAVE")) return false;
  WavData fmt;
  if (!findChunk(file, 12, "fmt ", fmt) || fmt.dataLength < 16) return false;
  out.format = formatAt(file, fmt.dataOffset);
  const std::uint64_t next = fmt.dataOffset + std::uint64_t(fmt.dataLength) + (fmt.dataLength & 1);
  return findChunk(file, next, "data", out);
}

void swapSampleBytes(Bytes& samples) {
  for (std::size_t i = 0; i + 1 < samples.size(); i += 2) std::swap(samples[i], samples[i + 1]);
}

Bytes wavHeader(std::uint16_t channels, std::uint32_t dataLength) {
  Bytes h(kWavHeaderSize, 0);
  const std::uint32_t blockAlign = 2u * channels;
  putId(h, 0, "RIFF");
  // An odd data chunk is followed by a pad byte, counted in the RIFF size.
  putLe32(h, 4, std::uint32_t(kWavHeaderSize - 8 + dataLength + (dataLength & 1)));
  putId(h, 8, "WAVE");
  putId(h, 12, "fmt ");
  putLe32(h, 16, 16);
  putLe16(h, 20, 1);
  putLe16(h, 22, channels);
  putLe32(h, 24, kWavSampleRate);
  putLe32(h, 28, kWavSampleRate * blockAlign);
  putLe16(h, 32, blockAlign);
  putLe16(h, 34, 16);
  putId(h, 36, "data");
  putLe32(h, 40, dataLength);
  return h;
}

Bytes wavImage(std::uint16_t channels, const Bytes& bigEndianSamples) {
  Bytes image = wavHeader(channels, std::uint32_t(bigEndianSamples.size()));
  const std::size_t at = image.size();
  image.insert(image.end(), bigEndianSamples.begin(), bigEndianSamples.end());
  for (std::size_t i = at; i + 1 < image.size(); i += 2) std::swap(image[i], image[i + 1]);
  if (bigEndianSamples.size() & 1) image.push_back(0);
  return image;
}

}  // namespace mirdal
