// Index and movie-object files laid out by hand for the format tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace mirdal::test {

// One 12-byte entry of the Indexes block (First Playback, Top Menu, title).
struct IndexEntryBytes {
  int objectType = 1;
  int accessType = 0;
  int playbackType = 0;
  std::uint16_t reference = 0;
  std::string name;  // BD-J entries
};

inline void putIndexEntry(ByteBuilder& b, const IndexEntryBytes& e) {
  b.u32((std::uint32_t(e.objectType) << 30) | (std::uint32_t(e.accessType) << 28));
  b.u16(std::uint32_t(e.playbackType) << 14);
  if (e.objectType == 1) b.u16(e.reference).u32(0);
  else b.str(e.name, 5).u8(0);
}

// A complete index.bdmv. extension: the ExtensionData bytes, empty for none.
inline ByteBuilder indexFile(const std::string& version, const IndexEntryBytes& fp,
                             const IndexEntryBytes& tm, const std::vector<IndexEntryBytes>& titles,
                             const std::vector<std::uint8_t>& extension = {},
                             const std::string& content = "") {
  const std::uint32_t indexesLength = 26 + 12 * std::uint32_t(titles.size());
  ByteBuilder b;
  b.str("INDX").str(version, 4).u32(78);
  b.u32(extension.empty() ? 0 : 78 + 4 + indexesLength);
  b.zeros(24).u32(34).u16(0).str(content, 32);
  b.u32(indexesLength);
  putIndexEntry(b, fp);
  putIndexEntry(b, tm);
  b.u16(std::uint32_t(titles.size()));
  for (const auto& t : titles) putIndexEntry(b, t);
  b.bytes(extension);
  return b;
}

struct CommandBytes {
  std::uint32_t op, dst, src;
};

struct ObjectBytes {
  std::uint16_t flags = 0;
  std::vector<CommandBytes> commands;
};

inline std::uint32_t movieObjectsLength(const std::vector<ObjectBytes>& objects) {
  std::uint32_t n = 6;
  for (const auto& o : objects) n += 4 + 12 * std::uint32_t(o.commands.size());
  return n;
}

// A complete MovieObject.bdmv.
inline ByteBuilder movieObjectFile(const std::string& version, const std::vector<ObjectBytes>& objects,
                                   const std::vector<std::uint8_t>& extension = {}) {
  const std::uint32_t length = movieObjectsLength(objects);
  ByteBuilder b;
  b.str("MOBJ").str(version, 4).u32(extension.empty() ? 0 : 44 + length).zeros(28);
  b.u32(length).u32(0).u16(std::uint32_t(objects.size()));
  for (const auto& o : objects) {
    b.u16(o.flags).u16(std::uint32_t(o.commands.size()));
    for (const auto& c : o.commands) b.u32(c.op).u32(c.dst).u32(c.src);
  }
  b.bytes(extension);
  return b;
}

// An ExtensionData block with entries (ID1, ID2, data bytes) whose data
// blocks follow the entry table directly.
struct ExtEntryBytes {
  std::uint16_t id1, id2;
  std::vector<std::uint8_t> data;
};

inline std::vector<std::uint8_t> extensionData(const std::vector<ExtEntryBytes>& entries,
                                               const std::vector<std::uint8_t>& trailer = {}) {
  const std::uint32_t table = 12 + 12 * std::uint32_t(entries.size());
  std::uint32_t total = 0;
  for (const auto& e : entries) total += std::uint32_t(e.data.size());
  ByteBuilder b;
  b.u32(table - 4 + total).u32(table).u24(0).u8(std::uint32_t(entries.size()));
  std::uint32_t at = table;
  for (const auto& e : entries) {
    b.u16(e.id1).u16(e.id2).u32(at).u32(std::uint32_t(e.data.size()));
    at += std::uint32_t(e.data.size());
  }
  for (const auto& e : entries) b.bytes(e.data);
  b.bytes(trailer);
  return b.data();
}

}  // namespace mirdal::test
