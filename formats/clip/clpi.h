// Clip information files (CLIPINF/nnnnn.clpi): one per transport stream file
// of the STREAM folder with the same base name. They hold the clip's
// application type and recording rate, its source packet count, its ATC and
// STC sequences, the elementary streams of its program and its entry-point
// map (CPI).
//
// Layout (big-endian): "HDMV", version, the start addresses of SequenceInfo,
// ProgramInfo, CPI, ClipMark and ExtensionData (0 = none), 12 reserved
// bytes, then ClipInfo from offset 40 (it has no address of its own) and the
// other sections at their addresses. The writer puts the sections one after
// another and writes the addresses as held; every edit that changes the size
// of ClipInfo moves the addresses behind it at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/extension_data.h"
#include "core/fields.h"
#include "core/save.h"
#include "formats/clip/clip_values.h"
#include "formats/common/disc_file.h"

namespace mirdal {

inline constexpr std::uint32_t kClipInfoFixedLength = 176;  // bytes after the length field
inline constexpr std::uint32_t kAtcDeltaEntrySize = 14;
inline constexpr std::uint32_t kFontFileEntrySize = 6;
inline constexpr std::uint8_t kTextSubtitleApplication = std::uint8_t(ApplicationType::SubTextSubtitle);
inline constexpr std::size_t kNumberOfSourcePacketsOffset = 56;

struct AtcDeltaEntry {
  std::uint32_t atcDelta = 0;
  std::string followingClipName;     // 5 characters
  std::string followingClipCodecId;  // 4 characters, "M2TS"/"m2ts"

  bool operator==(const AtcDeltaEntry&) const = default;
};

struct ClipInfo {
  std::uint32_t length = kClipInfoFixedLength;  // recomputed on every write
  std::uint8_t clipStreamType = 1;
  std::uint8_t applicationType = 1;  // 0-10
  bool isAtcDelta = false;
  std::uint32_t tsRecordingRate = 0;
  std::uint32_t numberOfSourcePackets = 0;
  std::uint16_t tsTypeInfoLength = 0;
  std::uint8_t validityFlags = 0;
  std::string formatIdentifier = "HDMV";
  std::vector<AtcDeltaEntry> atcDeltaEntries;  // at most 255
  std::vector<std::string> fontFiles;          // 5 characters each, at most 255

  bool operator==(const ClipInfo&) const = default;
};

struct StcSequence {
  std::uint16_t pcrPid = 0;
  std::uint32_t spnStcStart = 0;
  std::uint32_t presentationStartTime = 0;  // 45 kHz
  std::uint32_t presentationEndTime = 0;    // 45 kHz

  bool operator==(const StcSequence&) const = default;
};

struct AtcSequence {
  std::uint32_t spnAtcStart = 0;
  std::uint8_t offsetStcId = 0;
  std::vector<StcSequence> stcSequences;  // at most 255

  bool operator==(const AtcSequence&) const = default;
};

struct SequenceInfo {
  std::uint32_t length = 0;  // kept
  std::vector<AtcSequence> atcSequences;  // at most 255

  bool operator==(const SequenceInfo&) const = default;
};

struct ProgramStream {
  std::uint16_t pid = 0;
  std::uint8_t codingInfoLength = 21;  // bytes after this field, coding type included
  std::uint8_t streamCodingType = 0;
  std::uint8_t videoFormat = 0;
  std::uint8_t frameRate = 0;
  std::uint8_t aspectRatio = 0;  // 2 = 4:3, else 16:9
  std::uint8_t aspectFlag = 0;   // bit 1 of the aspect byte
  // HEVC video only (Ultra HD); other coding types hold zero there.
  bool crFlag = false;            // bit 0 of the aspect byte
  std::uint8_t dynamicRangeType = 0;  // 0 SDR, 1 HDR10, 2 Dolby Vision
  std::uint8_t colorSpace = 0;        // 1 BT.709, 2 BT.2020
  bool hdrPlusFlag = false;
  std::string isrcCountryCode;     // 2
  std::string isrcRegistrantCode;  // 3
  std::string isrcRecordingYear;   // 2
  std::string isrcRecordingNumber; // 5
  std::uint8_t presentationType = 0;
  std::uint8_t samplingFrequency = 0;
  std::string audioLanguage;  // 3
  std::string pgLanguage;     // 3
  std::string igLanguage;     // 3
  std::uint8_t characterCode = 0;
  std::string textStLanguage;  // 3
  // Coding types without a known layout: the bytes after the coding type,
  // codingInfoLength − 1 of them, kept as read.
  Bytes unknownCodingInfo;

  bool operator==(const ProgramStream&) const = default;
};

struct ProgramSequence {
  std::uint32_t spnProgramSequenceStart = 0;
  std::uint16_t programMapPid = 0;
  std::vector<ProgramStream> streams;  // at most 255

  bool operator==(const ProgramSequence&) const = default;
};

struct ProgramInfo {
  std::uint32_t length = 0;  // kept
  std::vector<ProgramSequence> programSequences;  // at most 255

  bool operator==(const ProgramInfo&) const = default;
};

struct EpStreamEntry {
  std::uint16_t streamPid = 0;
  std::uint8_t epStreamType = 0;              // 4 bits
  std::uint16_t numberOfEpCoarseEntries = 0;  // 16 bits over two words
  std::uint32_t numberOfEpFineEntries = 0;    // 18 bits over two words
  std::uint32_t epMapStartAddress = 0;        // kept, not used to seek

  bool operator==(const EpStreamEntry&) const = default;
};

struct EpCoarse {
  std::uint32_t refToEpFineId = 0;  // 18 bits
  std::uint16_t ptsEpCoarse = 0;    // 14 bits
  std::uint32_t spnEpCoarse = 0;

  bool operator==(const EpCoarse&) const = default;
};

struct EpFine {
  std::uint8_t isAngleChangePoint = 0;  // 0/1
  std::uint8_t iEndPositionOffset = 0;  // 3 bits
  std::uint16_t ptsEpFine = 0;          // 11 bits
  std::uint32_t spnEpFine = 0;          // 17 bits

  bool operator==(const EpFine&) const = default;
};

struct EpMapForPid {
  std::uint32_t epFineTableStartAddress = 0;  // from the start of this map
  std::vector<EpCoarse> coarse;
  std::vector<EpFine> fine;

  bool operator==(const EpMapForPid&) const = default;
};

struct Cpi {
  std::uint32_t length = 0;  // kept; 0 = no EP map
  std::uint16_t cpiType = 0;  // the whole word, kept
  std::vector<EpStreamEntry> entries;  // at most 255
  std::vector<EpMapForPid> maps;       // one per entry, same order

  bool operator==(const Cpi&) const = default;
};

struct ClipInfoFile {
  std::string typeIndicator = "HDMV";
  std::string versionNumber = "0200";
  std::uint32_t sequenceInfoStartAddress = 40 + 4 + kClipInfoFixedLength;
  std::uint32_t programInfoStartAddress = 0;
  std::uint32_t cpiStartAddress = 0;
  std::uint32_t clipMarkStartAddress = 0;
  std::uint32_t extensionDataStartAddress = 0;  // 0 = none
  ClipInfo clipInfo;
  SequenceInfo sequenceInfo;
  ProgramInfo programInfo;
  Cpi cpi;
  std::uint32_t clipMarkLength = 0;
  // The mark section's bytes after its length, kept as read (as far as the
  // file holds them), so a file with marks keeps them and its addresses.
  Bytes clipMarkData;
  ExtensionData extensionData;

  bool operator==(const ClipInfoFile&) const = default;
};

// The ClipInfo length the writer puts in the file: 176, plus 2 + 14 × n
// with the ATC delta block, plus 2 + 6 × m for application type 6.
std::uint32_t clipInfoLength(const ClipInfo& ci);

struct ClipInfoParse {
  ReadStatus status = ReadStatus::Ok;
};

// Parses a whole file. A wrong type or version leaves only those two fields
// set (status Rejected). A file that ends early keeps what was read
// (status Truncated); lists are filled only while the file lasts, so a
// damaged count never makes the reader allocate more than the file holds.
ClipInfoParse parseClipInfo(const Bytes& data, ClipInfoFile& out);

// The content lengths the writer's layout gives SequenceInfo, ProgramInfo
// and CPI (after their length fields); where EP map `entry` starts, counted
// from the start of the EP map (the byte after the CPI type word), with each
// fine table where its map holds it.
std::uint32_t sequenceInfoContentLength(const SequenceInfo& si);
std::uint32_t programInfoContentLength(const ProgramInfo& pi);
std::uint32_t cpiContentLength(const Cpi& cpi);
std::uint64_t epMapStart(const Cpi& cpi, std::size_t entry);

// Empty when the file the writer makes of c reads back as c: every length
// agrees with the content, every start address lies at or after the end of
// the section before it (a gap is written as zeros), every EP map where its
// stream entry says; otherwise what does not hold, e.g. "ProgramInfo:
// length 58, content 101" or "CPI start address 0, ProgramInfo ends at 308".
// Call it after the writer's own fixes (ATC delta flag, ClipInfo length).
std::string checkLayout(const ClipInfoFile& c);

// The file image, sections one after another with the addresses as held.
// An ATC delta flag without entries writes no ATC delta block (the flag word
// is written as 0).
Bytes composeClipInfo(const ClipInfoFile& c);

// "Reading [bl]name[/bl]", then the stream count line
// "[b]n[/b] Program stream(s) found." or "Invalid format: " + name.
ClipInfoParse readClipInfoFile(const std::string& path, ClipInfoFile& c, Reporter& rep);

// The writer's own fixes, made in c: an ATC delta flag without entries is
// cleared (the addresses lose the 2 bytes of the block it no longer
// writes) and the ClipInfo length follows its content. Returns
// checkLayout(c): what Save would refuse, or empty.
std::string prepareForSave(ClipInfoFile& c);

// The Save of the CLIPINF page: an ATC delta flag without entries is cleared
// first, and the addresses lose the 2 bytes of the block it no longer
// writes; then the layout check (a model whose layout does not hold is
// refused: "Cannot save name: " + what, nothing written) and the save step
// of every writer (saveDiscFile).
bool saveClipInfo(ClipInfoFile& c, const SaveRequest& req, Reporter& rep);

}  // namespace mirdal
