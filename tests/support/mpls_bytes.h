// Playlist files laid out by hand for the playlist tests: each structure is
// built from its body, and its length field is the body's size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace mirdal::test {

using Raw = std::vector<std::uint8_t>;

inline Raw withLength16(const Raw& body) {
  return ByteBuilder().u16(std::uint32_t(body.size())).bytes(body).data();
}
inline Raw withLength32(const Raw& body) {
  return ByteBuilder().u32(std::uint32_t(body.size())).bytes(body).data();
}
inline Raw cat(std::initializer_list<Raw> parts) {
  Raw out;
  for (const Raw& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A 16-byte stream: entry type 1 with a PID, attributes with coding type
// and one attribute byte and a language (or zeros).
inline Raw plainStream(std::uint16_t pid, std::uint8_t coding, std::uint8_t attr, const std::string& lang) {
  return ByteBuilder().u8(9).u8(1).u16(pid).zeros(6).u8(5).u8(coding).u8(attr).str(lang, 3).data();
}
inline Raw videoStream(std::uint16_t pid, std::uint8_t formatRate) {
  return ByteBuilder().u8(9).u8(1).u16(pid).zeros(6).u8(5).u8(0x1B).u8(formatRate).zeros(3).data();
}
inline Raw clipRef(const std::string& name, std::uint8_t stc) {
  return ByteBuilder().str(name, 5).str("M2TS", 4).u8(stc).data();
}

// STN body after its length: reserved word, the seven counts, five
// reserved bytes and the streams.
inline Raw stn(std::initializer_list<int> counts, const Raw& streams) {
  ByteBuilder b;
  b.u16(0);
  for (int c : counts) b.u8(std::uint32_t(c));
  b.zeros(5).bytes(streams);
  return withLength16(b.data());
}

struct PlayItemBytes {
  std::string clip = "00001";
  std::uint16_t flags = 1;  // multi-angle bit 4, connection condition
  std::uint32_t in = 0, out = 450000;
  std::uint8_t randomAccess = 0;
  Raw angleBlock;  // count, flags and entries 1..n-1 when multi-angle
  Raw stnTable = stn({1, 1, 0, 0, 0, 0, 0}, cat({videoStream(0x1011, 0x61), plainStream(0x1100, 0x81, 0x61, "eng")}));
};

inline Raw playItem(const PlayItemBytes& p) {
  ByteBuilder b;
  b.str(p.clip, 5).str("M2TS", 4).u16(p.flags).u8(0).u32(p.in).u32(p.out);
  b.u32(0).u32(0).u8(p.randomAccess).u8(0).u16(0).bytes(p.angleBlock).bytes(p.stnTable);
  return withLength16(b.data());
}

inline Raw playListSection(const std::vector<Raw>& items, const std::vector<Raw>& subpaths) {
  ByteBuilder b;
  b.u16(0).u16(std::uint32_t(items.size())).u16(std::uint32_t(subpaths.size()));
  for (const Raw& i : items) b.bytes(i);
  for (const Raw& s : subpaths) b.bytes(s);
  return withLength32(b.data());
}

struct MarkBytes {
  std::uint8_t type = 1;
  std::uint16_t item = 0;
  std::uint32_t time = 0;
};

inline Raw markSection(const std::vector<MarkBytes>& marks) {
  ByteBuilder b;
  b.u16(std::uint32_t(marks.size()));
  for (const MarkBytes& k : marks) b.u8(0).u8(k.type).u16(k.item).u32(k.time).u16(0xFFFF).u32(0);
  return withLength32(b.data());
}

struct PlaylistBytes {
  std::string version = "0200";
  Raw appInfoExtra;  // bytes after the flags word
  Raw gapBeforePlayList;
  Raw playList = playListSection({playItem({})}, {});
  Raw gapBeforeMarks;
  bool hasMarks = true;
  Raw marks = markSection({});
  Raw gapBeforeExt;
  Raw ext;  // an ExtensionData block, empty for none
  std::uint16_t appFlags = 0;
};

inline ByteBuilder playlistFile(const PlaylistBytes& p) {
  const std::uint32_t appLen = 14 + std::uint32_t(p.appInfoExtra.size());
  const std::uint32_t pl = 44 + appLen + std::uint32_t(p.gapBeforePlayList.size());
  std::uint32_t at = pl + std::uint32_t(p.playList.size());
  std::uint32_t plm = 0;
  if (p.hasMarks) {
    plm = at + std::uint32_t(p.gapBeforeMarks.size());
    at = plm + std::uint32_t(p.marks.size());
  }
  const std::uint32_t ext = p.ext.empty() ? 0 : at + std::uint32_t(p.gapBeforeExt.size());
  ByteBuilder b;
  b.str("MPLS").str(p.version, 4).u32(pl).u32(plm).u32(ext).zeros(20);
  b.u32(appLen).u8(0).u8(1).u16(0).u32(0).u32(0).u16(p.appFlags).bytes(p.appInfoExtra);
  b.bytes(p.gapBeforePlayList).bytes(p.playList);
  if (p.hasMarks) b.bytes(p.gapBeforeMarks).bytes(p.marks);
  if (!p.ext.empty()) b.bytes(p.gapBeforeExt).bytes(p.ext);
  return b;
}

}  // namespace mirdal::test
