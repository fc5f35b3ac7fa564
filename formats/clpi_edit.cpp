#include "formats/clpi_edit.h"

#include "core/display_text.h"
#include "formats/stream_codes.h"

#include <algorithm>

namespace mirdal {

namespace {

constexpr std::size_t kMaxListEntries = 255;

std::uint32_t moved(std::uint32_t v, std::int64_t delta) { return std::uint32_t(std::int64_t(v) + delta); }

std::int64_t atcBlockSize(const TClipInfo& ci) {
  return 2 + std::int64_t(kATCDeltaEntrySize) * std::int64_t(ci.ATC_delta_entries.size());
}

std::int64_t fontBlockSize(const TClipInfo& ci) {
  return 2 + std::int64_t(kFontFileEntrySize) * std::int64_t(ci.font_files.size());
}

std::size_t insertAt(std::size_t size, std::optional<std::size_t> after) {
  if (size == 0 || !after) return 0;
  return std::min(*after + 1, size);
}

}  // namespace

void moveSectionsAfterClipInfo(TCLPI& c, std::int64_t delta) {
  c.clip_info.length = moved(c.clip_info.length, delta);
  c.SequenceInfo_start_address = moved(c.SequenceInfo_start_address, delta);
  c.ProgramInfo_start_address = moved(c.ProgramInfo_start_address, delta);
  c.CPI_start_address = moved(c.CPI_start_address, delta);
  c.ClipMark_start_address = moved(c.ClipMark_start_address, delta);
  if (c.ExtensionData_start_address != 0)
    c.ExtensionData_start_address = moved(c.ExtensionData_start_address, delta);
}

void setATCDeltaFlag(TCLPI& c, bool on) {
  if (c.clip_info.is_ATC_delta == on) return;
  c.clip_info.is_ATC_delta = on;
  const std::int64_t size = atcBlockSize(c.clip_info);
  moveSectionsAfterClipInfo(c, on ? size : -size);
}

std::optional<std::size_t> insertATCDelta(TCLPI& c, std::optional<std::size_t> after) {
  auto& list = c.clip_info.ATC_delta_entries;
  if (list.size() >= kMaxListEntries) return std::nullopt;
  const std::size_t at = insertAt(list.size(), after);
  list.insert(list.begin() + std::ptrdiff_t(at), TATCDeltaEntry{0, "00000", "m2ts"});
  if (c.clip_info.is_ATC_delta) moveSectionsAfterClipInfo(c, kATCDeltaEntrySize);
  return at;
}

bool deleteATCDelta(TCLPI& c, std::size_t row) {
  auto& list = c.clip_info.ATC_delta_entries;
  if (row >= list.size()) return false;
  list.erase(list.begin() + std::ptrdiff_t(row));
  if (c.clip_info.is_ATC_delta) moveSectionsAfterClipInfo(c, -std::int64_t(kATCDeltaEntrySize));
  return true;
}

bool setATCDeltaCell(TCLPI& c, std::size_t row, int column, const std::string& text) {
  auto& list = c.clip_info.ATC_delta_entries;
  if (row >= list.size() || text.find(' ') != std::string::npos) return false;
  TATCDeltaEntry& e = list[row];
  const TATCDeltaEntry before = e;
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
    e.ATC_delta = v;
  } else if (column == 1) {
    e.following_clip_name = text.substr(0, 5);
  }
  return !(e == before);
}

std::optional<std::size_t> insertFontFile(TCLPI& c, std::optional<std::size_t> after,
                                          const std::string& name) {
  auto& list = c.clip_info.font_files;
  if (list.size() >= kMaxListEntries) return std::nullopt;
  const std::size_t at = insertAt(list.size(), after);
  list.insert(list.begin() + std::ptrdiff_t(at), name.substr(0, 5));
  if (c.clip_info.application_type == kTextSubtitleApplication)
    moveSectionsAfterClipInfo(c, kFontFileEntrySize);
  return at;
}

bool deleteFontFile(TCLPI& c, std::size_t row) {
  auto& list = c.clip_info.font_files;
  if (row >= list.size()) return false;
  list.erase(list.begin() + std::ptrdiff_t(row));
  if (c.clip_info.application_type == kTextSubtitleApplication)
    moveSectionsAfterClipInfo(c, -std::int64_t(kFontFileEntrySize));
  return true;
}

bool setFontFileName(TCLPI& c, std::size_t row, const std::string& name) {
  auto& list = c.clip_info.font_files;
  if (row >= list.size() || name.find(' ') != std::string::npos) return false;
  list[row] = name.substr(0, 5);
  return true;
}

void setApplicationType(TCLPI& c, std::uint8_t type) {
  const bool wasText = c.clip_info.application_type == kTextSubtitleApplication;
  const bool isText = type == kTextSubtitleApplication;
  c.clip_info.application_type = type;
  if (wasText != isText) {
    const std::int64_t size = fontBlockSize(c.clip_info);
    moveSectionsAfterClipInfo(c, isText ? size : -size);
  }
}

void setClipExtensionData(TCLPI& c, const TExtensionData& ed) {
  c.extension_data = ed;
  const bool empty = ed.length == 0 && ed.entries.empty();
  c.ExtensionData_start_address = empty ? 0 : c.ClipMark_start_address + c.ClipMark_length + 4;
}

}  // namespace mirdal

namespace mirdal {

void fitClipLayout(TCLPI& c) {
  // As the writer does: a flag without entries writes no block.
  if (c.clip_info.ATC_delta_entries.empty()) c.clip_info.is_ATC_delta = false;
  c.clip_info.length = clipInfoLength(c.clip_info);
  const std::uint32_t seq = c.sequence_info.length = sequenceInfoContentLength(c.sequence_info);
  for (TProgram_sequences& ps : c.program_info.program_sequences)
    for (TProgramStream& s : ps.streams)
      if (codingKind(s.stream_coding_type) != StreamKind::Unknown) s.coding_info_length = 21;
  const std::uint32_t prog = c.program_info.length = programInfoContentLength(c.program_info);
  TCPI& cpi = c.cpi;
  if (!cpi.entries.empty() || cpi.length != 0) {
    cpi.maps.resize(cpi.entries.size());
    for (std::size_t i = 0; i < cpi.entries.size(); ++i) {
      TEP_map_fosPID& m = cpi.maps[i];
      TEPStreamEntry& e = cpi.entries[i];
      e.number_of_EP_coarse_entries = std::uint16_t(m.coarse.size());
      e.number_of_EP_fine_entries = std::uint32_t(m.fine.size());
      m.EP_fine_table_start_address = 4 + 8 * std::uint32_t(m.coarse.size());
    }
    for (std::size_t i = 0; i < cpi.entries.size(); ++i) cpi.entries[i].EP_map_start_address = std::uint32_t(epMapStart(cpi, i));
    cpi.length = cpiContentLength(cpi);  // the CPI type word, then the EP map
  }
  c.SequenceInfo_start_address = 44 + c.clip_info.length;
  c.ProgramInfo_start_address = c.SequenceInfo_start_address + 4 + seq;
  c.CPI_start_address = c.ProgramInfo_start_address + 4 + prog;
  c.ClipMark_start_address = c.CPI_start_address + 4 + cpi.length;
  c.ClipMark_length = std::uint32_t(c.ClipMark_data.size());
  if (c.ExtensionData_start_address != 0) c.ExtensionData_start_address = c.ClipMark_start_address + 4 + c.ClipMark_length;
}

void setRecordingRate(TCLPI& c, std::uint32_t rate) { c.clip_info.TS_recording_rate = rate; }

void setSourcePacketCount(TCLPI& c, std::uint32_t count) { c.clip_info.number_of_source_packets = count; }

}  // namespace mirdal
