// WAV files of 16-bit PCM: the image of a sound entry and the parsing of a
// file given for import or handed to the player.
//
// A WAV file is a RIFF file of type "WAVE": a 12-byte header, then chunks of
// an 8-byte header (identifier, little-endian size) and their bytes, padded
// to an even size. The "fmt " chunk gives the sample format, the "data"
// chunk holds the samples, little-endian, channels interleaved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/fields.h"

namespace mirdal {

inline constexpr std::uint32_t kWavSampleRate = 48000;
inline constexpr std::size_t kWavHeaderSize = 44;
inline constexpr const char* kWaveFormatError = "Wave format error! (Mandatory 48 kHz, 16 bit, PCM)";

struct WavFormat {
  std::uint16_t formatTag = 1;  // 1: PCM
  std::uint16_t channels = 1;
  std::uint32_t sampleRate = kWavSampleRate;
  std::uint32_t byteRate = 2 * kWavSampleRate;
  std::uint16_t blockAlign = 2;
  std::uint16_t bitsPerSample = 16;

  bool operator==(const WavFormat&) const = default;
};

// Where the samples of a parsed file are: `dataLength` bytes from
// `dataOffset`, always inside the file.
struct WavData {
  WavFormat format;
  std::size_t dataOffset = 0;
  std::size_t dataLength = 0;
  // The data chunk claims more bytes than the file holds (a recording cut
  // short); dataLength is what is there.
  bool dataCut = false;
};

enum class WavCheck {
  Ok,
  FormatError,  // not RIFF/WAVE/"fmt ", not PCM, not 48 kHz or not 16 bits
  Channels,     // neither mono nor stereo
  NoData,       // no "data" chunk before the end of the file
};

// The checks of a sound import: "RIFF" at 0, "WAVE" at 8, "fmt " at 12,
// format tag 1, 48 000 samples a second and 16 bits per sample, one or two
// channels; then the "data" chunk, searched from the end of the fmt chunk.
// Nothing is read outside `file`.
WavCheck checkSoundWav(const Bytes& file, WavData& out);

// The log text of a failed check ("" for Ok).
std::string wavCheckMessage(WavCheck c);

// The player's reading: any RIFF "WAVE" file with a format chunk before its
// data chunk, whatever its format. False when there is none.
bool findWavData(const Bytes& file, WavData& out);

// Swaps the two bytes of every 16-bit sample (little- to big-endian and
// back); a last odd byte stays as it is.
void swapSampleBytes(Bytes& samples);

// The 44-byte header of 16-bit 48 kHz PCM with `channels` channels and
// `dataLength` bytes of samples.
Bytes wavHeader(std::uint16_t channels, std::uint32_t dataLength);

// A whole WAV image: the header, then the samples given big-endian (as a
// sound entry holds them) turned little-endian.
Bytes wavImage(std::uint16_t channels, const Bytes& bigEndianSamples);

}  // namespace mirdal
