// Where the clip writer puts each section and each EP map, and whether the
// lengths and addresses a model holds agree with that: the writer writes
// them as held, so a model whose layout does not hold would give a file the
// reader (and a player) reads differently.
#include <algorithm>

#include "formats/clip/clpi.h"
#include "formats/common/stream_codes.h"

namespace mirdal {

namespace {

// The bytes the writer puts after the coding type of a stream of a known
// kind (its fields, then 4 reserved bytes), the coding type included.
constexpr std::uint32_t kKnownCodingInfoLength = 21;

std::uint64_t mapSize(const EpMapForPid& m) {
  const std::uint64_t coarseEnd = 4 + 8ull * m.coarse.size();
  const std::uint64_t fineAt = std::max<std::uint64_t>(m.epFineTableStartAddress, coarseEnd);
  return fineAt + 4ull * m.fine.size();
}

std::string lengthMismatch(const std::string& what, std::uint64_t held, std::uint64_t content) {
  return what + ": length " + std::to_string(held) + ", content " + std::to_string(content);
}

std::string tooMany(const std::string& what, std::size_t n, std::size_t most) {
  return what + ": " + std::to_string(n) + " entries, at most " + std::to_string(most);
}

std::string checkStreams(const ProgramInfo& pi) {
  if (pi.programSequences.size() > 255) return tooMany("ProgramInfo", pi.programSequences.size(), 255);
  for (std::size_t i = 0; i < pi.programSequences.size(); ++i) {
    const auto& streams = pi.programSequences[i].streams;
    if (streams.size() > 255) return tooMany("Program sequence " + std::to_string(i), streams.size(), 255);
    for (std::size_t j = 0; j < streams.size(); ++j) {
      const ProgramStream& s = streams[j];
      const std::string name = "Program stream " + std::to_string(j) + " (PID " + std::to_string(s.pid) + ")";
      const bool known = codingKind(s.streamCodingType) != StreamKind::Unknown;
      // The writer writes a known kind's fields whatever the length says;
      // a shorter length would put the next stream inside them.
      if (known && s.codingInfoLength < kKnownCodingInfoLength)
        return name + ": coding info length " + std::to_string(s.codingInfoLength) + ", its fields take " +
               std::to_string(kKnownCodingInfoLength);
      if (!known && s.unknownCodingInfo.size() + 1 != std::max<std::size_t>(s.codingInfoLength, 1))
        return lengthMismatch(name + " coding info", s.codingInfoLength, s.unknownCodingInfo.size() + 1);
    }
  }
  return {};
}

std::string checkCpi(const Cpi& cpi) {
  if (cpi.length == 0) {
    if (!cpi.entries.empty()) return "CPI: length 0 (no EP map), but " + std::to_string(cpi.entries.size()) + " EP map entries";
    return {};
  }
  if (cpi.entries.size() > 255) return tooMany("CPI", cpi.entries.size(), 255);
  if (cpi.maps.size() != cpi.entries.size())
    return "CPI: " + std::to_string(cpi.entries.size()) + " stream entries, " + std::to_string(cpi.maps.size()) +
           " EP maps";
  for (std::size_t i = 0; i < cpi.entries.size(); ++i) {
    const EpStreamEntry& e = cpi.entries[i];
    const EpMapForPid& m = cpi.maps[i];
    const std::string name = "EP map " + std::to_string(i);
    if (m.coarse.size() > 0xFFFF || m.fine.size() > 0x3FFFF) return name + ": too many entries";
    if (e.numberOfEpCoarseEntries != m.coarse.size() || e.numberOfEpFineEntries != m.fine.size())
      return name + ": the stream entry counts " + std::to_string(e.numberOfEpCoarseEntries) + " coarse and " +
             std::to_string(e.numberOfEpFineEntries) + " fine entries, the map holds " +
             std::to_string(m.coarse.size()) + " and " + std::to_string(m.fine.size());
    const std::uint64_t coarseEnd = 4 + 8ull * m.coarse.size();
    if (m.epFineTableStartAddress < coarseEnd || m.epFineTableStartAddress > kMaxDatabaseFileSize)
      return name + ": fine table start address " + std::to_string(m.epFineTableStartAddress) +
             ", coarse entries end at " + std::to_string(coarseEnd);
    const std::uint64_t at = epMapStart(cpi, i);
    if (e.epMapStartAddress != at)
      return name + ": start address " + std::to_string(e.epMapStartAddress) + ", map at " + std::to_string(at);
  }
  if (cpi.length != cpiContentLength(cpi)) return lengthMismatch("CPI", cpi.length, cpiContentLength(cpi));
  return {};
}

}  // namespace

std::uint32_t sequenceInfoContentLength(const SequenceInfo& si) {
  std::uint64_t n = 2;
  for (const AtcSequence& a : si.atcSequences) n += 6 + 14ull * a.stcSequences.size();
  return std::uint32_t(std::min<std::uint64_t>(n, 0xFFFFFFFF));
}

std::uint32_t programInfoContentLength(const ProgramInfo& pi) {
  std::uint64_t n = 2;
  for (const ProgramSequence& ps : pi.programSequences) {
    n += 8;
    for (const ProgramStream& s : ps.streams) n += 3 + std::max<std::uint64_t>(s.codingInfoLength, 1);
  }
  return std::uint32_t(std::min<std::uint64_t>(n, 0xFFFFFFFF));
}

std::uint64_t epMapStart(const Cpi& cpi, std::size_t entry) {
  std::uint64_t at = 2 + 12ull * cpi.entries.size();
  for (std::size_t i = 0; i < entry && i < cpi.maps.size(); ++i) at += mapSize(cpi.maps[i]);
  return at;
}

std::uint32_t cpiContentLength(const Cpi& cpi) {
  if (cpi.length == 0 && cpi.entries.empty()) return 0;
  return std::uint32_t(std::min<std::uint64_t>(2 + epMapStart(cpi, cpi.maps.size()), 0xFFFFFFFF));
}

std::string checkLayout(const ClipInfoFile& c) {
  const ClipInfo& ci = c.clipInfo;
  if (ci.atcDeltaEntries.size() > 255) return tooMany("ClipInfo ATC delta", ci.atcDeltaEntries.size(), 255);
  if (ci.fontFiles.size() > 255) return tooMany("ClipInfo font files", ci.fontFiles.size(), 255);
  const SequenceInfo& si = c.sequenceInfo;
  if (si.atcSequences.size() > 255) return tooMany("SequenceInfo", si.atcSequences.size(), 255);
  for (std::size_t i = 0; i < si.atcSequences.size(); ++i)
    if (si.atcSequences[i].stcSequences.size() > 255)
      return tooMany("ATC sequence " + std::to_string(i), si.atcSequences[i].stcSequences.size(), 255);
  if (si.length != sequenceInfoContentLength(si))
    return lengthMismatch("SequenceInfo", si.length, sequenceInfoContentLength(si));
  if (std::string broken = checkStreams(c.programInfo); !broken.empty()) return broken;
  if (c.programInfo.length != programInfoContentLength(c.programInfo))
    return lengthMismatch("ProgramInfo", c.programInfo.length, programInfoContentLength(c.programInfo));
  if (std::string broken = checkCpi(c.cpi); !broken.empty()) return broken;
  if (c.clipMarkData.size() != c.clipMarkLength)
    return lengthMismatch("ClipMark", c.clipMarkLength, c.clipMarkData.size());

  // The sections in file order: each starts where the one before ends, or
  // further on (the writer fills the gap with zeros).
  struct Section {
    const char* name;
    std::uint32_t address;
    std::uint64_t size;  // with the length field
  };
  const Section sections[] = {
      {"SequenceInfo", c.sequenceInfoStartAddress, 4ull + si.length},
      {"ProgramInfo", c.programInfoStartAddress, 4ull + c.programInfo.length},
      {"CPI", c.cpiStartAddress, 4ull + c.cpi.length},
      {"ClipMark", c.clipMarkStartAddress, 4ull + c.clipMarkLength},
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
  if (c.extensionDataStartAddress != 0 &&
      (c.extensionDataStartAddress < end || c.extensionDataStartAddress > kMaxDatabaseFileSize))
    return "ExtensionData start address " + std::to_string(c.extensionDataStartAddress) + ", ClipMark ends at " +
           std::to_string(end);
  return {};
}

}  // namespace mirdal
