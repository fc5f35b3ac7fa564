#include "formats/clip/clpi_edit.h"

#include "core/display_text.h"
#include "formats/common/stream_codes.h"

#include <algorithm>

namespace mirdal {

namespace {

constexpr std::size_t kMaxListEntries = 255;

std::uint32_t moved(std::uint32_t v, std::int64_t delta) { return std::uint32_t(std::int64_t(v) + delta); }

std::int64_t atcBlockSize(const ClipInfo& ci) {
  return 2 + std::int64_t(kAtcDeltaEntrySize) * std::int64_t(ci.atcDeltaEntries.size());
}

std::int64_t fontBlockSize(const ClipInfo& ci) {
  return 2 + std::int64_t(kFontFileEntrySize) * std::int64_t(ci.fontFiles.size());
}

std::size_t insertAt(std::size_t size, std::optional<std::size_t> after) {
  if (size == 0 || !after) return 0;
  return std::min(*after + 1, size);
}

}  // namespace

void moveSectionsAfterClipInfo(ClipInfoFile& c, std::int64_t delta) {
  c.clipInfo.length = moved(c.clipInfo.length, delta);
  c.sequenceInfoStartAddress = moved(c.sequenceInfoStartAddress, delta);
  c.programInfoStartAddress = moved(c.programInfoStartAddress, delta);
  c.cpiStartAddress = moved(c.cpiStartAddress, delta);
  c.clipMarkStartAddress = moved(c.clipMarkStartAddress, delta);
  if (c.extensionDataStartAddress != 0)
    c.extensionDataStartAddress = moved(c.extensionDataStartAddress, delta);
}

void setAtcDeltaFlag(ClipInfoFile& c, bool on) {
  if (c.clipInfo.isAtcDelta == on) return;
  c.clipInfo.isAtcDelta = on;
  const std::int64_t size = atcBlockSize(c.clipInfo);
  moveSectionsAfterClipInfo(c, on ? size : -size);
}

std::optional<std::size_t> insertAtcDelta(ClipInfoFile& c, std::optional<std::size_t> after) {
  auto& list = c.clipInfo.atcDeltaEntries;
  if (list.size() >= kMaxListEntries) return std::nullopt;
  const std::size_t at = insertAt(list.size(), after);
  list.insert(list.begin() + std::ptrdiff_t(at), AtcDeltaEntry{0, "00000", "m2ts"});
  if (c.clipInfo.isAtcDelta) moveSectionsAfterClipInfo(c, kAtcDeltaEntrySize);
  return at;
}

bool deleteAtcDelta(ClipInfoFile& c, std::size_t row) {
  auto& list = c.clipInfo.atcDeltaEntries;
  if (row >= list.size()) return false;
  list.erase(list.begin() + std::ptrdiff_t(row));
  if (c.clipInfo.isAtcDelta) moveSectionsAfterClipInfo(c, -std::int64_t(kAtcDeltaEntrySize));
  return true;
}

bool setAtcDeltaCell(ClipInfoFile& c, std::size_t row, int column, const std::string& text) {
  auto& list = c.clipInfo.atcDeltaEntries;
  if (row >= list.size() || text.find(' ') != std::string::npos) return false;
  AtcDeltaEntry& e = list[row];
  const AtcDeltaEntry before = e;
  if (column == 0) {
    std::uint32_t v = 0;
    for (char ch : text) {
      const int d = hexDigitValue(ch);
      if (d < 0) {
        v = 0;
        break;
      }
      v = v << 4 | unsigned(d);
    }
    e.atcDelta = v;
  } else if (column == 1) {
    e.followingClipName = text.substr(0, 5);
  }
  return !(e == before);
}

std::optional<std::size_t> insertFontFile(ClipInfoFile& c, std::optional<std::size_t> after,
                                          const std::string& name) {
  auto& list = c.clipInfo.fontFiles;
  if (list.size() >= kMaxListEntries) return std::nullopt;
  const std::size_t at = insertAt(list.size(), after);
  list.insert(list.begin() + std::ptrdiff_t(at), name.substr(0, 5));
  if (c.clipInfo.applicationType == kTextSubtitleApplication)
    moveSectionsAfterClipInfo(c, kFontFileEntrySize);
  return at;
}

bool deleteFontFile(ClipInfoFile& c, std::size_t row) {
  auto& list = c.clipInfo.fontFiles;
  if (row >= list.size()) return false;
  list.erase(list.begin() + std::ptrdiff_t(row));
  if (c.clipInfo.applicationType == kTextSubtitleApplication)
    moveSectionsAfterClipInfo(c, -std::int64_t(kFontFileEntrySize));
  return true;
}

bool setFontFileName(ClipInfoFile& c, std::size_t row, const std::string& name) {
  auto& list = c.clipInfo.fontFiles;
  if (row >= list.size() || name.find(' ') != std::string::npos) return false;
  list[row] = name.substr(0, 5);
  return true;
}

void setApplicationType(ClipInfoFile& c, std::uint8_t type) {
  const bool wasText = c.clipInfo.applicationType == kTextSubtitleApplication;
  const bool isText = type == kTextSubtitleApplication;
  c.clipInfo.applicationType = type;
  if (wasText != isText) {
    const std::int64_t size = fontBlockSize(c.clipInfo);
    moveSectionsAfterClipInfo(c, isText ? size : -size);
  }
}

void setClipExtensionData(ClipInfoFile& c, const ExtensionData& ed) {
  c.extensionData = ed;
  const bool empty = ed.length == 0 && ed.entries.empty();
  c.extensionDataStartAddress = empty ? 0 : c.clipMarkStartAddress + c.clipMarkLength + 4;
}

}  // namespace mirdal

namespace mirdal {

void fitClipLayout(ClipInfoFile& c) {
  // As the writer does: a flag without entries writes no block.
  if (c.clipInfo.atcDeltaEntries.empty()) c.clipInfo.isAtcDelta = false;
  c.clipInfo.length = clipInfoLength(c.clipInfo);
  const std::uint32_t seq = c.sequenceInfo.length = sequenceInfoContentLength(c.sequenceInfo);
  for (ProgramSequence& ps : c.programInfo.programSequences)
    for (ProgramStream& s : ps.streams)
      if (codingKind(s.streamCodingType) != StreamKind::Unknown) s.codingInfoLength = 21;
  const std::uint32_t prog = c.programInfo.length = programInfoContentLength(c.programInfo);
  Cpi& cpi = c.cpi;
  if (!cpi.entries.empty() || cpi.length != 0) {
    cpi.maps.resize(cpi.entries.size());
    for (std::size_t i = 0; i < cpi.entries.size(); ++i) {
      EpMapForPid& m = cpi.maps[i];
      EpStreamEntry& e = cpi.entries[i];
      e.numberOfEpCoarseEntries = std::uint16_t(m.coarse.size());
      e.numberOfEpFineEntries = std::uint32_t(m.fine.size());
      m.epFineTableStartAddress = 4 + 8 * std::uint32_t(m.coarse.size());
    }
    for (std::size_t i = 0; i < cpi.entries.size(); ++i) cpi.entries[i].epMapStartAddress = std::uint32_t(epMapStart(cpi, i));
    cpi.length = cpiContentLength(cpi);  // the CPI type word, then the EP map
  }
  c.sequenceInfoStartAddress = 44 + c.clipInfo.length;
  c.programInfoStartAddress = c.sequenceInfoStartAddress + 4 + seq;
  c.cpiStartAddress = c.programInfoStartAddress + 4 + prog;
  c.clipMarkStartAddress = c.cpiStartAddress + 4 + cpi.length;
  c.clipMarkLength = std::uint32_t(c.clipMarkData.size());
  if (c.extensionDataStartAddress != 0) c.extensionDataStartAddress = c.clipMarkStartAddress + 4 + c.clipMarkLength;
}

void setRecordingRate(ClipInfoFile& c, std::uint32_t rate) { c.clipInfo.tsRecordingRate = rate; }

void setSourcePacketCount(ClipInfoFile& c, std::uint32_t count) { c.clipInfo.numberOfSourcePackets = count; }

}  // namespace mirdal
