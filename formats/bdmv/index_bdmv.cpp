#include "formats/bdmv/index_bdmv.h"

#include <algorithm>

#include "core/report.h"
#include "core/display_text.h"
#include "formats/bdmv/bdmv_values.h"
#include "formats/common/file_header.h"

namespace mirdal {

namespace {

// First Playback, Top Menu and titles share one 12-byte layout: object type
// (and, for titles, access type) in the top bits of a 32-bit word, playback
// type in the top bits of a 16-bit word, then either a movie object
// reference and 4 zero bytes or a 5-character BD-J name and 1 zero byte.
// Every other bit is reserved and dropped.
void readEntry(FieldReader& r, std::uint8_t& objectType, std::uint8_t* accessType,
               std::uint8_t& playbackType, std::uint16_t& reference, std::string& name) {
  const std::uint32_t w = r.readU32();
  objectType = std::uint8_t(w >> 30);
  if (accessType) *accessType = std::uint8_t((w >> 28) & 3);
  playbackType = std::uint8_t(r.readU16() >> 14);
  if (objectType == std::uint8_t(ObjectType::HDMV)) {
    reference = r.readU16();
    r.skip(4);
  } else {
    // A BD-J entry has no object reference; 0 counts it as on.
    reference = 0;
    name = r.readString(5);
    r.skip(1);
  }
}

void putEntry(OutputBuffer& o, std::size_t off, std::uint8_t objectType, std::uint8_t accessType,
              std::uint8_t playbackType, std::uint16_t reference, const std::string& name) {
  o.putU32((std::uint32_t(objectType & 3) << 30) | (std::uint32_t(accessType & 3) << 28), off);
  o.putU16(std::uint32_t(playbackType & 3) << 14, off + 4);
  if (objectType == std::uint8_t(ObjectType::HDMV)) {
    o.putU16(reference, off + 6);
    o.putU32(0, off + 8);
  } else {
    o.putString(name, off + 6, 5);
    o.putU8(0, off + 11);
  }
}

// Exactly `width` bytes of a kept byte field, zero-padded or cut.
void putKept(OutputBuffer& o, const Bytes& b, std::size_t off, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) o.putU8(i < b.size() ? b[i] : 0, off + i);
}

}  // namespace

IndexParse parseIndex(const Bytes& data, IndexFile& out,
                      const std::function<void(std::size_t, std::size_t)>& onTitle) {
  out = IndexFile{};
  IndexParse res;
  FieldReader r(data);
  const FileHeader h = readFileHeader(r, "INDX");
  if (!h.accepted) {
    res.status = ReadStatus::Rejected;
    res.position = r.pos();
    return res;
  }
  out.typeIndicator = h.type;
  out.versionNumber = h.version;
  out.indexesStartAddress = r.readU32();
  out.extensionDataStartAddress = r.readU32();
  out.reserved = r.readBytes(24);
  out.appInfoBdmvLength = r.readU32();
  out.appInfoBdmvFlags = r.readU16();
  out.contentProviderData = r.readString(32);

  if (out.indexesStartAddress > r.pos()) {
    const std::size_t gap = out.indexesStartAddress - r.pos();
    out.indexesGap = r.readBytes(std::min(gap, r.remaining()));
  }
  if (r.pos() != out.indexesStartAddress) r.seek(out.indexesStartAddress);

  Indexes& ix = out.indexes;
  ix.length = r.readU32();
  readEntry(r, ix.firstPlayback.objectType, nullptr, ix.firstPlayback.playbackType,
            ix.firstPlayback.movieObjectReference, ix.firstPlayback.bdjObjectName);
  readEntry(r, ix.topMenu.objectType, nullptr, ix.topMenu.playbackType,
            ix.topMenu.movieObjectReference, ix.topMenu.bdjObjectName);

  const std::uint16_t n = r.readU16();
  res.numberOfTitles = n;
  if (n > kMaxTitles) {
    res.status = ReadStatus::Rejected;
    res.tooManyTitles = true;
    return res;
  }
  ix.titles.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    IndexTitle& t = ix.titles[i];
    t.titleNumber = unsigned(i + 1);
    readEntry(r, t.objectType, &t.accessType, t.playbackType, t.movieObjectReference,
              t.bdjObjectName);
    if (onTitle) onTitle(i + 1, n);
  }

  if (out.extensionDataStartAddress != 0 && !r.overrun())
    readExtensionData(r, out.extensionData);
  if (r.overrun()) res.status = ReadStatus::Truncated;
  return res;
}

Bytes composeIndex(const IndexFile& idx) {
  // The Indexes block follows the header (and any kept gap) directly. When
  // the held start address says otherwise (a block overlapping the header),
  // the address written is where the block really is, and a non-zero
  // ExtensionData address moves with it.
  const std::uint32_t at = kIndexesOffset + std::uint32_t(idx.indexesGap.size());
  std::uint32_t indexesAddress = idx.indexesStartAddress;
  std::uint32_t extAddress = idx.extensionDataStartAddress;
  if (indexesAddress != at) {
    // A shift that wrapped to 0 would drop the block: keep the held value.
    if (extAddress != 0 && extAddress + (at - indexesAddress) != 0) extAddress += at - indexesAddress;
    indexesAddress = at;
  }

  OutputBuffer o;
  o.setBlock(kIndexesOffset);
  o.putString(idx.typeIndicator, 0, 4);
  o.putString(idx.versionNumber, 4, 4);
  o.putU32(indexesAddress, 8);
  o.putU32(extAddress, 12);
  putKept(o, idx.reserved, 16, 24);
  o.putU32(idx.appInfoBdmvLength, 40);
  o.putU16(idx.appInfoBdmvFlags, 44);
  o.putString(idx.contentProviderData, 46, 32);
  o.writeBlock();

  if (!idx.indexesGap.empty()) {
    o.setBlock(idx.indexesGap.size());
    o.putBytes(idx.indexesGap, 0);
    o.writeBlock();
  }

  const Indexes& ix = idx.indexes;
  o.setBlock(30);
  o.putU32(ix.length, 0);
  const IndexEntry& fp = ix.firstPlayback;
  const IndexEntry& tm = ix.topMenu;
  putEntry(o, 4, fp.objectType, 0, fp.playbackType, fp.movieObjectReference, fp.bdjObjectName);
  putEntry(o, 16, tm.objectType, 0, tm.playbackType, tm.movieObjectReference, tm.bdjObjectName);
  o.putU16(std::uint32_t(ix.titles.size()), 28);
  o.writeBlock();

  o.setBlock(12 * ix.titles.size());
  for (std::size_t i = 0; i < ix.titles.size(); ++i) {
    const IndexTitle& t = ix.titles[i];
    putEntry(o, 12 * i, t.objectType, t.accessType, t.playbackType, t.movieObjectReference,
             t.bdjObjectName);
  }
  o.writeBlock();

  if (idx.extensionDataStartAddress != 0) writeExtensionData(o, idx.extensionData);
  return o.takeFile();
}

IndexParse readIndexFile(const std::string& path, IndexFile& idx, Reporter& rep) {
  const std::string name = fileNameOf(path);
  Bytes data;
  if (!openDiscFile(path, name, data, rep)) {
    idx = IndexFile{};
    IndexParse res;
    res.status = ReadStatus::Unreadable;
    return res;
  }
  const IndexParse res = parseIndex(data, idx, [&rep](std::size_t i, std::size_t n) {
    rep.setStatusPanel(std::to_string(i) + "/" + std::to_string(n), 1);
  });
  if (res.tooManyTitles) {
    rep.log("Error in " + name + " (number of title: " + std::to_string(res.numberOfTitles) + ")");
    return res;
  }
  if (res.status == ReadStatus::Rejected) {
    rep.logError(name + " format error at $" + hexText(res.position, 8));
    return res;
  }
  if (res.status == ReadStatus::Truncated) reportEndsEarly(name, data.size(), rep);
  rep.log("  Found [b]" + std::to_string(idx.indexes.titles.size()) + "[/b] titles, [b]" +
      std::to_string(idx.extensionData.numberOfExtDataEntries) + "[/b] extended entry.");
  return res;
}

bool saveIndex(const IndexFile& idx, const SaveRequest& req, Reporter& rep) {
  return saveDiscFile(req, composeIndex(idx), rep);
}

}  // namespace mirdal
