// sound.bdmv and WAV files laid out by hand for the sound tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace mirdal::test {

struct SoundEntryBytes {
  int channels;  // configuration code: 1 mono, 3 stereo
  std::uint32_t start;
  std::vector<std::uint8_t> data;
};

// n bytes counting up from `seed`, so that misplaced data shows.
inline std::vector<std::uint8_t> pattern(std::size_t n, int seed) {
  std::vector<std::uint8_t> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = std::uint8_t(seed + i * 7);
  return v;
}

// A sound.bdmv with the entries' data at the given starts (gaps zero),
// followed by `extension` (its address written when not empty).
inline ByteBuilder soundFile(const std::string& version, const std::vector<SoundEntryBytes>& entries,
                             const std::vector<std::uint8_t>& extension = {}) {
  const std::uint32_t n = std::uint32_t(entries.size());
  const std::uint32_t dataStart = 46 + 10 * n;
  std::size_t dataEnd = 0;
  for (const auto& e : entries) dataEnd = std::max<std::size_t>(dataEnd, e.start + e.data.size());
  ByteBuilder b;
  b.str("BCLK").str(version).u32(dataStart).u32(extension.empty() ? 0 : std::uint32_t(dataStart + dataEnd));
  b.zeros(24).u32(2 + 10 * n).u8(0).u8(n);
  for (const auto& e : entries)
    b.u8(std::uint32_t(e.channels) << 4 | 1).u8(0x40).u32(e.start).u32(std::uint32_t(e.data.size()));
  std::vector<std::uint8_t> area(dataEnd, 0);
  for (const auto& e : entries) std::copy(e.data.begin(), e.data.end(), area.begin() + e.start);
  b.bytes(area).bytes(extension);
  return b;
}

// Little-endian fields of a RIFF file.
inline ByteBuilder& le16(ByteBuilder& b, std::uint32_t v) { return b.u8(v).u8(v >> 8); }
inline ByteBuilder& le32(ByteBuilder& b, std::uint32_t v) { return le16(le16(b, v), v >> 16); }

struct WavShape {
  std::uint16_t formatTag = 1;
  std::uint16_t channels = 1;
  std::uint32_t rate = 48000;
  std::uint16_t bits = 16;
  std::uint32_t fmtSize = 16;
  // Chunks between "fmt " and "data": identifier and size (bytes are zero,
  // an odd size gets its pad byte).
  std::vector<std::pair<std::string, std::uint32_t>> extraChunks;
  bool withData = true;
  std::vector<std::uint8_t> samples;  // little-endian
  std::uint32_t claimedDataSize = 0;  // 0: the real size
};

inline ByteBuilder wavFile(const WavShape& s) {
  ByteBuilder b;
  b.str("RIFF");
  le32(b, 0).str("WAVE").str("fmt ");
  le32(b, s.fmtSize);
  le16(b, s.formatTag);
  le16(b, s.channels);
  le32(b, s.rate);
  le32(b, s.rate * s.channels * s.bits / 8);
  le16(b, s.channels * s.bits / 8);
  le16(b, s.bits);
  b.zeros(s.fmtSize - 16);
  for (const auto& [id, size] : s.extraChunks) {
    b.str(id, 4);
    le32(b, size).zeros(size + (size & 1));
  }
  if (s.withData) {
    b.str("data");
    le32(b, s.claimedDataSize ? s.claimedDataSize : std::uint32_t(s.samples.size())).bytes(s.samples);
  }
  // The RIFF size: everything after its own field.
  std::vector<std::uint8_t> bytes = b.data();
  const std::uint32_t riff = std::uint32_t(bytes.size() - 8);
  for (int i = 0; i < 4; ++i) bytes[4 + i] = std::uint8_t(riff >> (8 * i));
  ByteBuilder out;
  out.bytes(bytes);
  return out;
}

}  // namespace mirdal::test
