#include "formats/index_bdmv.h"

#include <algorithm>

#include "core/report.h"
#include "core/display_text.h"
#include "formats/bdmv_values.h"
#include "formats/file_header.h"

namespace mirdal {

namespace {

// First Playback, Top Menu and titles share one 12-byte layout: object type
// (and, for titles, access type) in the top bits of a 32-bit word, playback
// type in the top bits of a 16-bit word, then either a movie object
// reference and 4 zero bytes or a 5-character BD-J name and 1 zero byte.
// Every other bit is reserved and dropped.
void readEntry(FieldReader& r, std::uint8_t& objectType, std::uint8_t* accessType,
               std::uint8_t& playbackType, std::uint16_t& reference, std::string& name) {
  const std::uint32_t w = r.readlong();
  objectType = std::uint8_t(w >> 30);
  if (accessType) *accessType = std::uint8_t((w >> 28) & 3);
  playbackType = std::uint8_t(r.readword() >> 14);
  if (objectType == std::uint8_t(ObjectType::HDMV)) {
    reference = r.readword();
    r.skip(4);
  } else {
    // A BD-J entry has no object reference; 0 counts it as on.
    reference = 0;
    name = r.readstring(5);
    r.skip(1);
  }
}

void putEntry(OutputBuffer& o, std::size_t off, std::uint8_t objectType, std::uint8_t accessType,
              std::uint8_t playbackType, std::uint16_t reference, const std::string& name) {
  o.putlong((std::uint32_t(objectType & 3) << 30) | (std::uint32_t(accessType & 3) << 28), off);
  o.putword(std::uint32_t(playbackType & 3) << 14, off + 4);
  if (objectType == std::uint8_t(ObjectType::HDMV)) {
    o.putword(reference, off + 6);
    o.putlong(0, off + 8);
  } else {
    o.putstring(name, off + 6, 5);
    o.putbyte(0, off + 11);
  }
}

// Exactly `width` bytes of a kept byte field, zero-padded or cut.
void putKept(OutputBuffer& o, const Bytes& b, std::size_t off, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) o.putbyte(i < b.size() ? b[i] : 0, off + i);
}

}  // namespace

IndexParse parseIndex(const Bytes& data, TINDX& out,
                      const std::function<void(std::size_t, std::size_t)>& onTitle) {
  out = TINDX{};
  IndexParse res;
  FieldReader r(data);
  const FileHeader h = readFileHeader(r, "INDX");
  if (!h.accepted) {
    res.status = ReadStatus::Rejected;
    res.position = r.pos();
    return res;
  }
  out.type_indicator = h.type;
  out.version_number = h.version;
  out.Indexes_start_address = r.readlong();
  out.ExtensionData_start_address = r.readlong();
  out.reserved = r.readbytes(24);
  out.app_info_bdmv_length = r.readlong();
  out.app_info_bdmv_flags = r.readword();
  out.content_provider_data = r.readstring(32);

  if (out.Indexes_start_address > r.pos()) {
    const std::size_t gap = out.Indexes_start_address - r.pos();
    out.indexes_gap = r.readbytes(std::min(gap, r.remaining()));
  }
  if (r.pos() != out.Indexes_start_address) r.seek(out.Indexes_start_address);

  TIndexes& ix = out.indexes;
  ix.length = r.readlong();
  readEntry(r, ix.first_playback.object_type, nullptr, ix.first_playback.playback_type,
            ix.first_playback.movie_object_reference, ix.first_playback.bdj_object_name);
  readEntry(r, ix.top_menu.object_type, nullptr, ix.top_menu.playback_type,
            ix.top_menu.movie_object_reference, ix.top_menu.bdj_object_name);

  const std::uint16_t n = r.readword();
  res.numberOfTitles = n;
  if (n > kMaxTitles) {
    res.status = ReadStatus::Rejected;
    res.tooManyTitles = true;
    return res;
  }
  ix.titles.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    TIndexesTitle& t = ix.titles[i];
    t.title_number = unsigned(i + 1);
    readEntry(r, t.object_type, &t.access_type, t.playback_type, t.movie_object_reference,
              t.bdj_object_name);
    if (onTitle) onTitle(i + 1, n);
  }

  if (out.ExtensionData_start_address != 0 && !r.overrun())
    ReadExtensionData(r, out.extension_data);
  if (r.overrun()) res.status = ReadStatus::Truncated;
  return res;
}

Bytes composeIndex(const TINDX& idx) {
  // The Indexes block follows the header (and any kept gap) directly. When
  // the held start address says otherwise (a block overlapping the header),
  // the address written is where the block really is, and a non-zero
  // ExtensionData address moves with it.
  const std::uint32_t at = kIndexesOffset + std::uint32_t(idx.indexes_gap.size());
  std::uint32_t indexesAddress = idx.Indexes_start_address;
  std::uint32_t extAddress = idx.ExtensionData_start_address;
  if (indexesAddress != at) {
    // A shift that wrapped to 0 would drop the block: keep the held value.
    if (extAddress != 0 && extAddress + (at - indexesAddress) != 0) extAddress += at - indexesAddress;
    indexesAddress = at;
  }

  OutputBuffer o;
  o.setBlock(kIndexesOffset);
  o.putstring(idx.type_indicator, 0, 4);
  o.putstring(idx.version_number, 4, 4);
  o.putlong(indexesAddress, 8);
  o.putlong(extAddress, 12);
  putKept(o, idx.reserved, 16, 24);
  o.putlong(idx.app_info_bdmv_length, 40);
  o.putword(idx.app_info_bdmv_flags, 44);
  o.putstring(idx.content_provider_data, 46, 32);
  o.writeblock();

  if (!idx.indexes_gap.empty()) {
    o.setBlock(idx.indexes_gap.size());
    o.putbytes(idx.indexes_gap, 0);
    o.writeblock();
  }

  const TIndexes& ix = idx.indexes;
  o.setBlock(30);
  o.putlong(ix.length, 0);
  const TIndexEntry& fp = ix.first_playback;
  const TIndexEntry& tm = ix.top_menu;
  putEntry(o, 4, fp.object_type, 0, fp.playback_type, fp.movie_object_reference, fp.bdj_object_name);
  putEntry(o, 16, tm.object_type, 0, tm.playback_type, tm.movie_object_reference, tm.bdj_object_name);
  o.putword(std::uint32_t(ix.titles.size()), 28);
  o.writeblock();

  o.setBlock(12 * ix.titles.size());
  for (std::size_t i = 0; i < ix.titles.size(); ++i) {
    const TIndexesTitle& t = ix.titles[i];
    putEntry(o, 12 * i, t.object_type, t.access_type, t.playback_type, t.movie_object_reference,
             t.bdj_object_name);
  }
  o.writeblock();

  if (idx.ExtensionData_start_address != 0) WriteExtensionData(o, idx.extension_data);
  return o.takeFile();
}

IndexParse readIndexFile(const std::string& path, TINDX& idx) {
  const std::string name = fileNameOf(path);
  Bytes data;
  if (!openDiscFile(path, name, data)) {
    idx = TINDX{};
    IndexParse res;
    res.status = ReadStatus::Unreadable;
    return res;
  }
  const IndexParse res = parseIndex(data, idx, [](std::size_t i, std::size_t n) {
    slog(std::to_string(i) + "/" + std::to_string(n), 1);
  });
  if (res.tooManyTitles) {
    log("Error in " + name + " (number of title: " + std::to_string(res.numberOfTitles) + ")");
    return res;
  }
  if (res.status == ReadStatus::Rejected) {
    erlog(name + " format error at $" + hexText(res.position, 8));
    return res;
  }
  if (res.status == ReadStatus::Truncated) reportEndsEarly(name, data.size());
  log("  Found [b]" + std::to_string(idx.indexes.titles.size()) + "[/b] titles, [b]" +
      std::to_string(idx.extension_data.number_of_ext_data_entries) + "[/b] extended entry.");
  return res;
}

bool indexsave(const TINDX& idx, const SaveRequest& req, Reporter& rep) {
  return saveDiscFile(req, composeIndex(idx), rep);
}

}  // namespace mirdal
