// sound.bdmv: the menu sounds of a disc (button clicks and jingles), kept in
// AUXDATA as uncompressed 16-bit 48 kHz PCM.
//
// Layout (big-endian): "BCLK", version, SoundData start address,
// ExtensionData start address, 24 reserved bytes, the SoundIndex (its length,
// a reserved byte, the entry count, 10 bytes per entry), then the sound data
// (each entry's samples big-endian, channels interleaved, each entry at a
// multiple of 4 from the SoundData start), then the optional ExtensionData.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/extension_data.h"
#include "core/fields.h"
#include "core/save.h"
#include "formats/common/disc_file.h"
#include "formats/sound/sound_values.h"

namespace mirdal {

inline constexpr std::size_t kMaxSoundEntries = 255;  // the count is one byte
inline constexpr std::uint32_t kSoundIndexOffset = 40;
inline constexpr std::uint32_t kSoundEntrySize = 10;
inline constexpr std::uint8_t kSoundMono = std::uint8_t(ChannelConfiguration::Mono);
inline constexpr std::uint8_t kSoundStereo = std::uint8_t(ChannelConfiguration::Stereo);
inline constexpr std::uint8_t kSound48kHz = std::uint8_t(SoundSampling::Khz48);
inline constexpr std::uint8_t kSound16Bits = std::uint8_t(SoundSampleBits::b16);
inline constexpr const char* kSoundFileName = "sound.bdmv";

struct SoundEntry {
  std::uint8_t channelConfiguration = kSoundMono;
  std::uint8_t samplingFrequency = kSound48kHz;
  std::uint8_t bitsPerSample = kSound16Bits;
  std::uint32_t start = 0;   // from the SoundData start; recomputed on save
  std::uint32_t length = 0;  // bytes of data; always data.size()
  Bytes data;                // 16-bit samples, big-endian, as in the file

  bool operator==(const SoundEntry&) const = default;
};

struct SoundFile {
  std::string typeIndicator = "BCLK";
  std::string versionNumber = "0200";
  std::uint32_t soundDataStartAddress = 46;  // 46 + 10 × n
  std::uint32_t extensionDataStartAddress = 0;  // 0: no ExtensionData
  std::uint32_t soundIndexLength = 2;  // 2 + 10 × n
  std::vector<SoundEntry> entries;     // the entry count is entries.size()
  ExtensionData extensionData;

  bool operator==(const SoundFile&) const = default;
};

struct SoundParse {
  ReadStatus status = ReadStatus::Ok;
  std::size_t position = 0;  // rejected: the position after type and version
};

// Parses a whole file. Starts from an empty record; a file whose type is not
// "BCLK" or whose version is not "0100" or "0200" is Rejected with no
// entries. An entry whose data reaches past the end of the file keeps what
// the file holds (Truncated).
SoundParse parseSound(const Bytes& data, SoundFile& out);

// Where each entry starts on save: entry 0 at 0, each next one behind the
// previous one's data, moved up to a multiple of 4.
std::vector<std::uint32_t> soundEntryStarts(const SoundFile& snd);

// The file image: header, SoundIndex with the recomputed starts, the data
// of each entry padded with zero bytes to a multiple of 4, then the
// ExtensionData block when the model has one (its start address is where it
// lands). SoundData start and SoundIndex length follow the entry count.
Bytes composeSound(const SoundFile& snd);

// The file image as saved: the model's starts and addresses follow what
// composeSound writes.
void layoutSound(SoundFile& snd);

// The load step: "Reading sound.bdmv", then " Found [b]n[/b] sound entries"
// (or "entry" for one or none); a wrong header or a short file is reported
// through logError.
SoundParse readSoundFile(const std::string& path, SoundFile& snd, Reporter& rep);

// The save step of every writer (saveDiscFile). Returns false when the file
// was not written.
bool saveSound(const SoundFile& snd, const SaveRequest& req, Reporter& rep);

// The model "Create sound.bdmv" starts from: "BCLK" "0200", no entries, no
// ExtensionData.
SoundFile newSound();

// Inserts an entry at position `at` (0 .. n); the counts and addresses of
// the header follow. Refused with an logError line when the file already holds
// 255 sounds or would grow past what a reader loads.
bool insertSoundEntry(SoundFile& snd, std::size_t at, SoundEntry entry, Reporter& rep);

// Removes entry `index`; the counts and addresses follow. False when there
// is no such entry.
bool deleteSoundEntry(SoundFile& snd, std::size_t index);

// The ExtensionData editor's OK: the model takes the block; whether it has
// one decides the ExtensionData start address of the next save.
void applyExtensionData(SoundFile& snd, const ExtensionData& ed);

}  // namespace mirdal
