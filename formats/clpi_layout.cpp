// Where the clip writer puts each section and each EP map, and whether the
// lengths and addresses a model holds agree with that: the writer writes
// them as held, so a model whose layout does not hold would give a file the
// reader (and a player) reads differently.
#include <algorithm>

#include "formats/clpi.h"
#include "formats/stream_codes.h"

namespace mirdal {

namespace {

// The bytes the writer puts after the coding type of a stream of a known
// kind (its fields, then 4 reserved bytes), the coding type included.
constexpr std::uint32_t kKnownCodingInfoLength = 21;

std::uint64_t mapSize(const TEP_map_fosPID& m) {
  const std::uint64_t coarseEnd = 4 + 8ull * m.coarse.size();
  const std::uint64_t fineAt = std::max<std::uint64_t>(m.EP_fine_table_start_address, coarseEnd);
  return fineAt + 4ull * m.fine.size();
}

std::string lengthMismatch(const std::string& what, std::uint64_t held, std::uint64_t content) {
  return what + ": length " + std::to_string(held) + ", content " + std::to_string(content);
}

std::string tooMany(const std::string& what, std::size_t n, std::size_t most) {
  return what + ": " + std::to_string(n) + " entries, at most " + std::to_string(most);
}

std::string checkStreams(const TProgramInfo& pi) {
  if (pi.program_sequences.size() > 255) return tooMany("ProgramInfo", pi.program_sequences.size(), 255);
  for (std::size_t i = 0; i < pi.program_sequences.size(); ++i) {
    const auto& streams = pi.program_sequences[i].streams;
    if (streams.size() > 255) return tooMany("Program sequence " + std::to_string(i), streams.size(), 255);
    for (std::size_t j = 0; j < streams.size(); ++j) {
      const TProgramStream& s = streams[j];
      const std::string name = "Program stream " + std::to_string(j) + " (PID " + std::to_string(s.PID) + ")";
      const bool known = codingKind(s.stream_coding_type) != StreamKind::Unknown;
      // The writer writes a known kind's fields whatever the length says;
      // a shorter length would put the next stream inside them.
      if (known && s.coding_info_length < kKnownCodingInfoLength)
        return name + ": coding info length " + std::to_string(s.coding_info_length) + ", its fields take " +
               std::to_string(kKnownCodingInfoLength);
      if (!known && s.unknown_coding_info.size() + 1 != std::max<std::size_t>(s.coding_info_length, 1))
        return lengthMismatch(name + " coding info", s.coding_info_length, s.unknown_coding_info.size() + 1);
    }
  }
  return {};
}

std::string checkCPI(const TCPI& cpi) {
  if (cpi.length == 0) {
    if (!cpi.entries.empty()) return "CPI: length 0 (no EP map), but " + std::to_string(cpi.entries.size()) + " EP map entries";
    return {};
  }
  if (cpi.entries.size() > 255) return tooMany("CPI", cpi.entries.size(), 255);
  if (cpi.maps.size() != cpi.entries.size())
    return "CPI: " + std::to_string(cpi.entries.size()) + " stream entries, " + std::to_string(cpi.maps.size()) +
           " EP maps";
  for (std::size_t i = 0; i < cpi.entries.size(); ++i) {
    const TEPStreamEntry& e = cpi.entries[i];
    const TEP_map_fosPID& m = cpi.maps[i];
    const std::string name = "EP map " + std::to_string(i);
    if (m.coarse.size() > 0xFFFF || m.fine.size() > 0x3FFFF) return name + ": too many entries";
    if (e.number_of_EP_coarse_entries != m.coarse.size() || e.number_of_EP_fine_entries != m.fine.size())
      return name + ": the stream entry counts " + std::to_string(e.number_of_EP_coarse_entries) + " coarse and " +
             std::to_string(e.number_of_EP_fine_entries) + " fine entries, the map holds " +
             std::to_string(m.coarse.size()) + " and " + std::to_string(m.fine.size());
    const std::uint64_t coarseEnd = 4 + 8ull * m.coarse.size();
    if (m.EP_fine_table_start_address < coarseEnd || m.EP_fine_table_start_address > kMaxDatabaseFileSize)
      return name + ": fine table start address " + std::to_string(m.EP_fine_table_start_address) +
             ", coarse entries end at " + std::to_string(coarseEnd);
    const std::uint64_t at = epMapStart(cpi, i);
    if (e.EP_map_start_address != at)
      return name + ": start address " + std::to_string(e.EP_map_start_address) + ", map at " + std::to_string(at);
  }
  if (cpi.length != cpiContentLength(cpi)) return lengthMismatch("CPI", cpi.length, cpiContentLength(cpi));
  return {};
}

}  // namespace

std::uint32_t sequenceInfoContentLength(const TSequenceInfo& si) {
  std::uint64_t n = 2;
  for (const TATC_sequences& a : si.ATC_sequences) n += 6 + 14ull * a.STC_sequences.size();
  return std::uint32_t(std::min<std::uint64_t>(n, 0xFFFFFFFF));
}

std::uint32_t programInfoContentLength(const TProgramInfo& pi) {
  std::uint64_t n = 2;
  for (const TProgram_sequences& ps : pi.program_sequences) {
    n += 8;
    for (const TProgramStream& s : ps.streams) n += 3 + std::max<std::uint64_t>(s.coding_info_length, 1);
  }
  return std::uint32_t(std::min<std::uint64_t>(n, 0xFFFFFFFF));
}

std::uint64_t epMapStart(const TCPI& cpi, std::size_t entry) {
  std::uint64_t at = 2 + 12ull * cpi.entries.size();
  for (std::size_t i = 0; i < entry && i < cpi.maps.size(); ++i) at += mapSize(cpi.maps[i]);
  return at;
}

std::uint32_t cpiContentLength(const TCPI& cpi) {
  if (cpi.length == 0 && cpi.entries.empty()) return 0;
  return std::uint32_t(std::min<std::uint64_t>(2 + epMapStart(cpi, cpi.maps.size()), 0xFFFFFFFF));
}

std::string checkLayout(const TCLPI& c) {
  const TClipInfo& ci = c.clip_info;
  if (ci.ATC_delta_entries.size() > 255) return tooMany("ClipInfo ATC delta", ci.ATC_delta_entries.size(), 255);
  if (ci.font_files.size() > 255) return tooMany("ClipInfo font files", ci.font_files.size(), 255);
  const TSequenceInfo& si = c.sequence_info;
  if (si.ATC_sequences.size() > 255) return tooMany("SequenceInfo", si.ATC_sequences.size(), 255);
  for (std::size_t i = 0; i < si.ATC_sequences.size(); ++i)
    if (si.ATC_sequences[i].STC_sequences.size() > 255)
      return tooMany("ATC sequence " + std::to_string(i), si.ATC_sequences[i].STC_sequences.size(), 255);
  if (si.length != sequenceInfoContentLength(si))
    return lengthMismatch("SequenceInfo", si.length, sequenceInfoContentLength(si));
  if (std::string broken = checkStreams(c.program_info); !broken.empty()) return broken;
  if (c.program_info.length != programInfoContentLength(c.program_info))
    return lengthMismatch("ProgramInfo", c.program_info.length, programInfoContentLength(c.program_info));
  if (std::string broken = checkCPI(c.cpi); !broken.empty()) return broken;
  if (c.ClipMark_data.size() != c.ClipMark_length)
    return lengthMismatch("ClipMark", c.ClipMark_length, c.ClipMark_data.size());

  // The sections in file order: each starts where the one before ends, or
  // further on (the writer fills the gap with zeros).
  struct Section {
    const char* name;
    std::uint32_t address;
    std::uint64_t size;  // with the length field
  };
  const Section sections[] = {
      {"SequenceInfo", c.SequenceInfo_start_address, 4ull + si.length},
      {"ProgramInfo", c.ProgramInfo_start_address, 4ull + c.program_info.length},
      {"CPI", c.CPI_start_address, 4ull + c.cpi.length},
      {"ClipMark", c.ClipMark_start_address, 4ull + c.ClipMark_length},
  };
  std::uint64_t end = 40 + 4 + std::uint64_t(clipInfoLength(ci));
  const char* before = "ClipInfo";
  for (const Section& s : sections) {
    if (s.address < end || s.address > kMaxDatabaseFileSize)
      return std::string(s.name) + " start address " + std::to_string(s.address) + ", " + before + " ends at " +
             std::to_string(end);
    end = s.address + s.size;
    before = s.name;
  }
  if (c.ExtensionData_start_address != 0 &&
      (c.ExtensionData_start_address < end || c.ExtensionData_start_address > kMaxDatabaseFileSize))
    return "ExtensionData start address " + std::to_string(c.ExtensionData_start_address) + ", ClipMark ends at " +
           std::to_string(end);
  return {};
}

}  // namespace mirdal
