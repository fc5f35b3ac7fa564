// Playlist files (.mpls): one presentation made of PlayItems that play
// stretches of clips, the STN table of each PlayItem (the streams that may be
// selected while it plays), SubPaths with their SubPlayItems, and the
// PlayListMarks (chapters and link points).
//
// Layout (big-endian): "MPLS", version, the PlayList, PlayListMark and
// ExtensionData start addresses, 20 reserved bytes, AppInfoPlayList at 40,
// then the three sections at their addresses. Times are 45 kHz ticks.
//
// Lengths, counts and addresses are held as read and kept right by every
// edit (formats/mpls_edit.h). Bytes the program does not interpret but that
// lie inside a structure (a longer AppInfoPlayList, bytes a length covers
// past the known fields, unknown stream entries and attributes) or between
// the sections are kept, so a file comes back unchanged apart from the
// reserved header bytes and the reserved bits inside known fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/extension_data.h"
#include "core/fields.h"
#include "core/save.h"
#include "formats/disc_file.h"

namespace mirdal {

inline constexpr std::uint32_t kAppInfoOffset = 40;
inline constexpr std::uint32_t kAppInfoKnownLength = 14;

struct TClipRef {
  std::string clip_name;          // at most 5 characters
  std::string codec_id = "M2TS";  // at most 4 characters
  std::uint8_t stc_id = 0;

  bool operator==(const TClipRef&) const = default;
};

// Where a stream comes from. Entry types 1 to 3 are taken apart; any other
// type keeps the bytes its length byte covers in raw.
struct TStreamEntry {
  std::uint8_t length = 9;
  std::uint8_t type = 1;
  std::uint16_t main_pid = 0;      // types 1 and 3
  std::uint16_t sub_pid = 0;       // type 2
  std::uint8_t subpath_id = 0;     // types 2 and 3
  std::uint8_t subclip_id = 0;     // type 2
  Bytes raw;                       // unknown types: the `length` bytes after the length byte

  bool operator==(const TStreamEntry&) const = default;
};

// What a stream is. Coding types without known attributes keep their bytes
// in raw, like unknown entry types.
struct TStreamAttributes {
  std::uint8_t length = 5;
  std::uint8_t coding_type = 0;
  std::uint8_t video_format = 0;        // video
  std::uint8_t frame_rate = 0;          // video
  // HEVC video only (Ultra HD); other coding types hold zero there.
  std::uint8_t dynamicRangeType = 0;    // 0 SDR, 1 HDR10, 2 Dolby Vision
  std::uint8_t colorSpace = 0;          // 1 BT.709, 2 BT.2020
  bool crFlag = false;
  bool hdrPlusFlag = false;
  std::uint8_t presentation_type = 0;   // audio
  std::uint8_t sampling_frequency = 0;  // audio
  std::string language;                 // audio, PG, IG, text: ISO 639-2, 3 characters
  std::uint8_t character_code = 0;      // text subtitle
  Bytes raw;                            // unknown coding types: the bytes after the coding type

  bool operator==(const TStreamAttributes&) const = default;
};

struct TStreamRec {
  TStreamEntry entry;
  TStreamAttributes attributes;

  bool operator==(const TStreamRec&) const = default;
};

struct TSecAudio : TStreamRec {
  std::vector<std::uint8_t> primary_audio_refs;  // primary audio stream numbers

  bool operator==(const TSecAudio&) const = default;
};

struct TSecVideo : TStreamRec {
  std::vector<std::uint8_t> secondary_audio_refs;
  std::vector<std::uint8_t> pip_pg_refs;  // PiP PG/text subtitle stream numbers

  bool operator==(const TSecVideo&) const = default;
};

// The seven stream categories, in the order of the counts on disc.
enum class StreamCategory { PrimaryVideo, PrimaryAudio, PG, IG, SecondaryAudio, SecondaryVideo, PiPPG };
inline constexpr int kStreamCategories = 7;

struct TSTN {
  std::uint16_t length = 14;
  std::uint16_t reserved = 0;  // kept
  std::vector<TStreamRec> primary_video;
  std::vector<TStreamRec> primary_audio;
  // The PG/text subtitle streams followed by the PiP PG/text subtitle
  // streams; num_pip_pg of them at the end are PiP.
  std::vector<TStreamRec> pg;
  std::uint8_t num_pip_pg = 0;
  std::vector<TStreamRec> ig;
  std::vector<TSecAudio> secondary_audio;
  std::vector<TSecVideo> secondary_video;
  Bytes trailing;  // bytes the length covers after the last stream

  bool operator==(const TSTN&) const = default;
};

struct Tmulti_clip {
  std::uint8_t is_different_audios = 0;
  std::uint8_t is_seamless_angle_change = 0;
  // One entry per angle; entry 0 repeats the PlayItem's own clip and is not
  // written (the PlayItem's fields are).
  std::vector<TClipRef> angles;

  bool operator==(const Tmulti_clip&) const = default;
};

struct TPlayItem {
  std::uint16_t length = 0;
  std::string clip_name;
  std::string codec_id = "M2TS";
  std::uint8_t is_multi_angle = 0;
  std::uint8_t connection_condition = 1;  // 4 bits
  std::uint8_t stc_id = 0;
  std::uint32_t in_time = 0;
  std::uint32_t out_time = 0;
  std::uint32_t uo_mask1 = 0;
  std::uint32_t uo_mask2 = 0;
  std::uint8_t random_access_flag = 0;
  std::uint8_t still_mode = 0;   // kept
  std::uint16_t still_time = 0;  // kept
  Tmulti_clip angles;
  TSTN stn;
  Bytes trailing;  // bytes the length covers after the STN table

  bool operator==(const TPlayItem&) const = default;
};

struct TSubPlayItem {
  std::uint16_t length = 28;
  std::string clip_name;
  std::string codec_id = "M2TS";
  // The flags word shifted right by one, so bits 8 to 1 survive; the low
  // four bits are the connection condition.
  std::uint8_t connection_condition = 1;
  std::uint8_t is_multi_clip = 0;
  std::uint8_t stc_id = 0;
  std::uint32_t in_time = 0;
  std::uint32_t out_time = 0;
  std::uint16_t sync_playitem_id = 0;
  std::uint32_t sync_start_pts = 0;
  std::uint8_t multi_clip_reserved = 0;  // kept
  // With multi-clip: one entry per clip, entry 0 standing for the
  // SubPlayItem's own clip (not written).
  std::vector<TClipRef> clips;
  Bytes trailing;

  bool operator==(const TSubPlayItem&) const = default;
};

struct TSubPath {
  std::uint32_t length = 6;
  std::uint8_t reserved1 = 0;  // kept
  std::uint8_t type = 0;
  std::uint16_t repeat = 0;  // bit 0 is the repeat flag; the word is kept
  std::uint8_t reserved2 = 0;  // kept
  std::vector<TSubPlayItem> items;
  Bytes trailing;

  bool operator==(const TSubPath&) const = default;
};

struct TPlayList {
  std::uint32_t length = 6;
  std::uint16_t reserved = 0;  // kept
  std::vector<TPlayItem> items;
  std::vector<TSubPath> subpaths;
  Bytes trailing;

  bool operator==(const TPlayList&) const = default;
};

struct TMark {
  std::uint8_t mark_id = 0;  // the byte before the type, kept
  std::uint8_t type = 1;
  std::uint16_t playitem_ref = 0;
  std::uint32_t time = 0;  // on the timeline of the PlayItem's clip
  std::uint16_t entry_pid = 0xFFFF;
  std::uint32_t duration = 0;

  bool operator==(const TMark&) const = default;
};

struct TPlayListMark {
  std::uint32_t length = 2;
  std::vector<TMark> marks;
  Bytes trailing;

  bool operator==(const TPlayListMark&) const = default;
};

struct TMPLS {
  std::string type_indicator = "MPLS";
  std::string version = "0200";
  std::uint32_t PlayList_start_address = 58;
  std::uint32_t PlayListMark_start_address = 68;
  std::uint32_t ExtensionData_start_address = 0;  // 0: none
  Bytes reserved = Bytes(20, 0);  // held, written as zeros
  std::uint32_t app_info_length = kAppInfoKnownLength;
  std::uint8_t app_info_reserved = 0;  // kept
  std::uint8_t playback_type = 1;
  std::uint16_t playback_count = 0;
  std::uint32_t uo_mask1 = 0;
  std::uint32_t uo_mask2 = 0;
  std::uint8_t random_access_flag = 0;
  std::uint8_t audio_mix_flag = 0;
  std::uint8_t bypass_mixer_flag = 0;
  Bytes app_info_extra;   // AppInfoPlayList bytes after the flags word
  Bytes gap_before_playlist;  // between AppInfoPlayList and the PlayList
  TPlayList playlist;
  Bytes gap_before_marks;     // between the PlayList and the PlayListMark
  TPlayListMark marks;        // empty when the PlayListMark address is 0
  Bytes gap_before_ext;       // before the ExtensionData
  TExtensionData extension_data;
  Bytes tail;                 // after the last section when there is no ExtensionData

  bool operator==(const TMPLS&) const = default;
};

// Number of streams of a category.
std::size_t streamCount(const TSTN& stn, StreamCategory c);
inline std::size_t numPG(const TSTN& stn) { return stn.pg.size() - stn.num_pip_pg; }

// Bytes a structure takes on disc, its length field included.
std::size_t streamRecSize(const TStreamRec& s);
std::size_t secAudioSize(const TSecAudio& s);
std::size_t secVideoSize(const TSecVideo& s);
// What the length field of each structure must hold for its content.
std::size_t stnContentLength(const TSTN& stn);
std::size_t playItemContentLength(const TPlayItem& pi);
std::size_t subPlayItemContentLength(const TSubPlayItem& spi);
std::size_t subPathContentLength(const TSubPath& sp);
std::size_t playListContentLength(const TPlayList& pl);
std::size_t markContentLength(const TPlayListMark& plm);

// Empty when every length, count and start address agrees with the content;
// otherwise what does not, e.g. "PlayItem 2: length 120, content 136".
std::string checkLayout(const TMPLS& m);

// Sets every length and start address from the content, keeping the gaps;
// for playlists composed in code (the sample disc, benchmarks). A non-zero
// ExtensionData address is placed after the last section.
void fitLayout(TMPLS& m);

struct MplsParse {
  ReadStatus status = ReadStatus::Ok;
};

// Parses a whole file into a fresh record. A wrong type or version leaves
// `out` empty and gives Rejected; a file that ends early gives Truncated
// with what could be read. onProgress(position, size) runs before each
// PlayItem, SubPath and mark.
MplsParse parseMPLS(const Bytes& data, TMPLS& out,
                    const std::function<void(std::size_t, std::size_t)>& onProgress = {});

// The file image; sections follow one another with their kept gaps. Lengths,
// counts and addresses are written as held; use checkLayout first.
Bytes composeMPLS(const TMPLS& m);

// The read of one playlist: "Reading [bl]name[/bl]", the position on status
// panel 1, "Invalid format: name" for a wrong type or version, the ends-early
// line, and unless quiet the line with the counts and Ready. A file that
// cannot be read whole leaves `m` empty (an unusable status), so nothing
// of the playlist shown before stays as if it were this one.
ReadStatus readPlaylistFile(const std::string& path, TMPLS& m, bool quiet = false);

// "Saving name", then refuses with "Cannot save name: ..." when the model's
// lengths or addresses do not fit its content, else saves through the
// backup step and logs "name saved.". Returns false when nothing was written.
bool plsave(const TMPLS& m, const SaveRequest& req, Reporter& rep = reporter());

}  // namespace mirdal
