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

struct TExtensionDataEntry {
  std::uint16_t ID1 = 0;
  std::uint16_t ID2 = 0;
  std::uint32_t ext_data_start_address = 0;
  std::uint32_t ext_data_length = 0;

  bool operator==(const TExtensionDataEntry&) const = default;
};

struct TExtensionData {
  std::uint32_t length = 0;  // 0: the file has no ExtensionData
  std::uint32_t data_block_start_address = 0;
  std::uint8_t number_of_ext_data_entries = 0;
  std::vector<TExtensionDataEntry> entries;
  Bytes data;  // from the end of the entry table to the end of the file

  bool operator==(const TExtensionData&) const = default;
};

// Reads a block at the reader's position. Returns false when the file ends
// inside the header or the entry table (the reader is then overrun; the block
// holds what could be read).
bool ReadExtensionData(FieldReader& r, TExtensionData& ed);

// Appends the block exactly as held: nothing is recomputed.
void WriteExtensionData(OutputBuffer& out, const TExtensionData& ed);

// Appends length, start address, the three zero bytes, the entry count and
// the entry table (everything but the data part), without flushing.
void addExtensionDataHead(OutputBuffer& out, const TExtensionData& ed);

// Caption beside a file's ExtensionData button.
std::string ExtDatCap(const TExtensionData& ed);

}  // namespace mirdal
