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
#include "formats/clip_values.h"
#include "formats/disc_file.h"

namespace mirdal {

inline constexpr std::uint32_t kClipInfoFixedLength = 176;  // bytes after the length field
inline constexpr std::uint32_t kATCDeltaEntrySize = 14;
inline constexpr std::uint32_t kFontFileEntrySize = 6;
inline constexpr std::uint8_t kTextSubtitleApplication = std::uint8_t(ApplicationType::SubTextSubtitle);
inline constexpr std::size_t kNumberOfSourcePacketsOffset = 56;

struct TATCDeltaEntry {
  std::uint32_t ATC_delta = 0;
  std::string following_clip_name;      // 5 characters
  std::string following_clip_codec_id;  // 4 characters, "M2TS"/"m2ts"

  bool operator==(const TATCDeltaEntry&) const = default;
};

struct TClipInfo {
  std::uint32_t length = kClipInfoFixedLength;  // recomputed on every write
  std::uint8_t clip_stream_type = 1;
  std::uint8_t application_type = 1;  // 0-10
  bool is_ATC_delta = false;
  std::uint32_t TS_recording_rate = 0;
  std::uint32_t number_of_source_packets = 0;
  std::uint16_t TS_type_info_length = 0;
  std::uint8_t validity_flags = 0;
  std::string format_identifier = "HDMV";
  std::vector<TATCDeltaEntry> ATC_delta_entries;  // at most 255
  std::vector<std::string> font_files;            // 5 characters each, at most 255

  bool operator==(const TClipInfo&) const = default;
};

struct TSTC_sequence {
  std::uint16_t PCR_PID = 0;
  std::uint32_t SPN_STC_start = 0;
  std::uint32_t presentation_start_time = 0;  // 45 kHz
  std::uint32_t presentation_end_time = 0;    // 45 kHz

  bool operator==(const TSTC_sequence&) const = default;
};

struct TATC_sequences {
  std::uint32_t SPN_ATC_start = 0;
  std::uint8_t offset_STC_id = 0;
  std::vector<TSTC_sequence> STC_sequences;  // at most 255

  bool operator==(const TATC_sequences&) const = default;
};

struct TSequenceInfo {
  std::uint32_t length = 0;  // kept
  std::vector<TATC_sequences> ATC_sequences;  // at most 255

  bool operator==(const TSequenceInfo&) const = default;
};

struct TProgramStream {
  std::uint16_t PID = 0;
  std::uint8_t coding_info_length = 21;  // bytes after this field, coding type included
  std::uint8_t stream_coding_type = 0;
  std::uint8_t video_format = 0;
  std::uint8_t frame_rate = 0;
  std::uint8_t aspect_ratio = 0;  // 2 = 4:3, else 16:9
  std::uint8_t aspect_flag = 0;   // bit 1 of the aspect byte
  // HEVC video only (Ultra HD); other coding types hold zero there.
  bool crFlag = false;            // bit 0 of the aspect byte
  std::uint8_t dynamicRangeType = 0;  // 0 SDR, 1 HDR10, 2 Dolby Vision
  std::uint8_t colorSpace = 0;        // 1 BT.709, 2 BT.2020
  bool hdrPlusFlag = false;
  std::string ISRC_country_code;     // 2
  std::string ISRC_registrant_code;  // 3
  std::string ISRC_recording_year;   // 2
  std::string ISRC_recording_number; // 5
  std::uint8_t presentation_type = 0;
  std::uint8_t sampling_frequency = 0;
  std::string audio_language;  // 3
  std::string PG_language;     // 3
  std::string IG_language;     // 3
  std::uint8_t character_code = 0;
  std::string textST_language;  // 3
  // Coding types without a known layout: the bytes after the coding type,
  // coding_info_length − 1 of them, kept as read.
  Bytes unknown_coding_info;

  bool operator==(const TProgramStream&) const = default;
};

struct TProgram_sequences {
  std::uint32_t SPN_program_sequence_start = 0;
  std::uint16_t program_map_PID = 0;
  std::vector<TProgramStream> streams;  // at most 255

  bool operator==(const TProgram_sequences&) const = default;
};

struct TProgramInfo {
  std::uint32_t length = 0;  // kept
  std::vector<TProgram_sequences> program_sequences;  // at most 255

  bool operator==(const TProgramInfo&) const = default;
};

struct TEPStreamEntry {
  std::uint16_t stream_PID = 0;
  std::uint8_t EP_stream_type = 0;                // 4 bits
  std::uint16_t number_of_EP_coarse_entries = 0;  // 16 bits over two words
  std::uint32_t number_of_EP_fine_entries = 0;    // 18 bits over two words
  std::uint32_t EP_map_start_address = 0;         // kept, not used to seek

  bool operator==(const TEPStreamEntry&) const = default;
};

struct TEPCoarse {
  std::uint32_t ref_to_EP_fine_id = 0;  // 18 bits
  std::uint16_t PTS_EP_coarse = 0;      // 14 bits
  std::uint32_t SPN_EP_coarse = 0;

  bool operator==(const TEPCoarse&) const = default;
};

struct TEPFine {
  std::uint8_t is_angle_change_point = 0;  // 0/1
  std::uint8_t I_end_position_offset = 0;  // 3 bits
  std::uint16_t PTS_EP_fine = 0;           // 11 bits
  std::uint32_t SPN_EP_fine = 0;           // 17 bits

  bool operator==(const TEPFine&) const = default;
};

struct TEP_map_fosPID {
  std::uint32_t EP_fine_table_start_address = 0;  // from the start of this map
  std::vector<TEPCoarse> coarse;
  std::vector<TEPFine> fine;

  bool operator==(const TEP_map_fosPID&) const = default;
};

struct TCPI {
  std::uint32_t length = 0;  // kept; 0 = no EP map
  std::uint16_t CPI_type = 0;  // the whole word, kept
  std::vector<TEPStreamEntry> entries;  // at most 255
  std::vector<TEP_map_fosPID> maps;     // one per entry, same order

  bool operator==(const TCPI&) const = default;
};

struct TCLPI {
  std::string type_indicator = "HDMV";
  std::string version_number = "0200";
  std::uint32_t SequenceInfo_start_address = 40 + 4 + kClipInfoFixedLength;
  std::uint32_t ProgramInfo_start_address = 0;
  std::uint32_t CPI_start_address = 0;
  std::uint32_t ClipMark_start_address = 0;
  std::uint32_t ExtensionData_start_address = 0;  // 0 = none
  TClipInfo clip_info;
  TSequenceInfo sequence_info;
  TProgramInfo program_info;
  TCPI cpi;
  std::uint32_t ClipMark_length = 0;
  // The mark section's bytes after its length, kept as read (as far as the
  // file holds them), so a file with marks keeps them and its addresses.
  Bytes ClipMark_data;
  TExtensionData extension_data;

  bool operator==(const TCLPI&) const = default;
};

// The ClipInfo length the writer puts in the file: 176, plus 2 + 14 × n
// with the ATC delta block, plus 2 + 6 × m for application type 6.
std::uint32_t clipInfoLength(const TClipInfo& ci);

struct ClpiParse {
  ReadStatus status = ReadStatus::Ok;
};

// Parses a whole file. A wrong type or version leaves only those two fields
// set (status Rejected). A file that ends early keeps what was read
// (status Truncated); lists are filled only while the file lasts, so a
// damaged count never makes the reader allocate more than the file holds.
ClpiParse parseCLPI(const Bytes& data, TCLPI& out);

// The content lengths the writer's layout gives SequenceInfo, ProgramInfo
// and CPI (after their length fields); where EP map `entry` starts, counted
// from the start of the EP map (the byte after the CPI type word), with each
// fine table where its map holds it.
std::uint32_t sequenceInfoContentLength(const TSequenceInfo& si);
std::uint32_t programInfoContentLength(const TProgramInfo& pi);
std::uint32_t cpiContentLength(const TCPI& cpi);
std::uint64_t epMapStart(const TCPI& cpi, std::size_t entry);

// Empty when the file the writer makes of c reads back as c: every length
// agrees with the content, every start address lies at or after the end of
// the section before it (a gap is written as zeros), every EP map where its
// stream entry says; otherwise what does not hold, e.g. "ProgramInfo:
// length 58, content 101" or "CPI start address 0, ProgramInfo ends at 308".
// Call it after the writer's own fixes (ATC delta flag, ClipInfo length).
std::string checkLayout(const TCLPI& c);

// The file image, sections one after another with the addresses as held.
// An ATC delta flag without entries writes no ATC delta block (the flag word
// is written as 0).
Bytes composeCLPI(const TCLPI& c);

// "Reading [bl]name[/bl]", then the stream count line
// "[b]n[/b] Program stream(s) found." or "Invalid format: " + name.
ClpiParse readCLPIFile(const std::string& path, TCLPI& c);

// The writer's own fixes, made in c: an ATC delta flag without entries is
// cleared (the addresses lose the 2 bytes of the block it no longer
// writes) and the ClipInfo length follows its content. Returns
// checkLayout(c): what Save would refuse, or empty.
std::string prepareForSave(TCLPI& c);

// The Save of the CLIPINF page: an ATC delta flag without entries is cleared
// first, and the addresses lose the 2 bytes of the block it no longer
// writes; then the layout check (a model whose layout does not hold is
// refused: "Cannot save name: " + what, nothing written) and the save step
// of every writer (saveDiscFile).
bool saveCLPI(TCLPI& c, const SaveRequest& req, Reporter& rep = reporter());

}  // namespace mirdal
