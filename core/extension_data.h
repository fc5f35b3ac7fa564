// The ExtensionData block: the optional trailer of index.bdmv,
// MovieObject.bdmv, playlists, clip information files and sound.bdmv.
// Header and entry table are kept as fields, everything behind the table as
// raw bytes, so an unedited block is written back byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/fields.h"

namespace mirdal {

struct ExtensionDataEntry {
  std::uint16_t id1 = 0;
  std::uint16_t id2 = 0;
  std::uint32_t extDataStartAddress = 0;
  std::uint32_t extDataLength = 0;

  bool operator==(const ExtensionDataEntry&) const = default;
};

struct ExtensionData {
  std::uint32_t length = 0;  // 0: the file has no ExtensionData
  std::uint32_t dataBlockStartAddress = 0;
  std::uint8_t numberOfExtDataEntries = 0;
  std::vector<ExtensionDataEntry> entries;
  Bytes data;  // from the end of the entry table to the end of the file

  bool operator==(const ExtensionData&) const = default;
};

// Reads a block at the reader's position. Returns false when the file ends
// inside the header or the entry table (the reader is then overrun; the block
// holds what could be read).
bool readExtensionData(FieldReader& r, ExtensionData& ed);

// Appends the block exactly as held: nothing is recomputed.
void writeExtensionData(OutputBuffer& out, const ExtensionData& ed);

// Appends length, start address, the three zero bytes, the entry count and
// the entry table (everything but the data part), without flushing.
void addExtensionDataHead(OutputBuffer& out, const ExtensionData& ed);

// Caption beside a file's ExtensionData button.
std::string extensionDataCaption(const ExtensionData& ed);

}  // namespace mirdal
