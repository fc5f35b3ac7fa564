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
#include "formats/common/disc_file.h"

namespace mirdal {

inline constexpr std::uint32_t kAppInfoOffset = 40;
inline constexpr std::uint32_t kAppInfoKnownLength = 14;

struct ClipRef {
  std::string clipName;          // at most 5 characters
  std::string codecId = "M2TS";  // at most 4 characters
  std::uint8_t stcId = 0;

  bool operator==(const ClipRef&) const = default;
};

// Where a stream comes from. Entry types 1 to 3 are taken apart; any other
// type keeps the bytes its length byte covers in raw.
struct StreamEntry {
  std::uint8_t length = 9;
  std::uint8_t type = 1;
  std::uint16_t mainPid = 0;      // types 1 and 3
  std::uint16_t subPid = 0;       // type 2
  std::uint8_t subPathId = 0;     // types 2 and 3
  std::uint8_t subClipId = 0;     // type 2
  Bytes raw;                      // unknown types: the `length` bytes after the length byte

  bool operator==(const StreamEntry&) const = default;
};

// What a stream is. Coding types without known attributes keep their bytes
// in raw, like unknown entry types.
struct StreamAttributes {
  std::uint8_t length = 5;
  std::uint8_t codingType = 0;
  std::uint8_t videoFormat = 0;        // video
  std::uint8_t frameRate = 0;          // video
  // HEVC video only (Ultra HD); other coding types hold zero there.
  std::uint8_t dynamicRangeType = 0;    // 0 SDR, 1 HDR10, 2 Dolby Vision
  std::uint8_t colorSpace = 0;          // 1 BT.709, 2 BT.2020
  bool crFlag = false;
  bool hdrPlusFlag = false;
  std::uint8_t presentationType = 0;   // audio
  std::uint8_t samplingFrequency = 0;  // audio
  std::string language;                // audio, PG, IG, text: ISO 639-2, 3 characters
  std::uint8_t characterCode = 0;      // text subtitle
  Bytes raw;                           // unknown coding types: the bytes after the coding type

  bool operator==(const StreamAttributes&) const = default;
};

struct StreamRecord {
  // Provided, so that a list's new record (emplace_back(), resize()) is
  // built from the member defaults without being zero-filled first: a read
  // is mostly these records.
  StreamRecord() noexcept {}

  StreamEntry entry;
  StreamAttributes attributes;

  bool operator==(const StreamRecord&) const = default;
};

struct SecondaryAudioStream : StreamRecord {
  SecondaryAudioStream() noexcept {}
  std::vector<std::uint8_t> primaryAudioRefs;  // primary audio stream numbers

  bool operator==(const SecondaryAudioStream&) const = default;
};

struct SecondaryVideoStream : StreamRecord {
  SecondaryVideoStream() noexcept {}
  std::vector<std::uint8_t> secondaryAudioRefs;
  std::vector<std::uint8_t> pipPgRefs;  // PiP PG/text subtitle stream numbers

  bool operator==(const SecondaryVideoStream&) const = default;
};

// The seven stream categories, in the order of the counts on disc.
enum class StreamCategory { PrimaryVideo, PrimaryAudio, PG, IG, SecondaryAudio, SecondaryVideo, PiPPG };
inline constexpr int kStreamCategories = 7;

struct Stn {
  std::uint16_t length = 14;
  std::uint16_t reserved = 0;  // kept
  std::vector<StreamRecord> primaryVideo;
  std::vector<StreamRecord> primaryAudio;
  // The PG/text subtitle streams followed by the PiP PG/text subtitle
  // streams; pipPgCount of them at the end are PiP.
  std::vector<StreamRecord> pg;
  std::uint8_t pipPgCount = 0;
  std::vector<StreamRecord> ig;
  std::vector<SecondaryAudioStream> secondaryAudio;
  std::vector<SecondaryVideoStream> secondaryVideo;
  Bytes trailing;  // bytes the length covers after the last stream

  bool operator==(const Stn&) const = default;
};

struct MultiAngle {
  std::uint8_t isDifferentAudios = 0;
  std::uint8_t isSeamlessAngleChange = 0;
  // One entry per angle; entry 0 repeats the PlayItem's own clip and is not
  // written (the PlayItem's fields are).
  std::vector<ClipRef> angles;

  bool operator==(const MultiAngle&) const = default;
};

struct PlayItem {
  std::uint16_t length = 0;
  std::string clipName;
  std::string codecId = "M2TS";
  std::uint8_t isMultiAngle = 0;
  std::uint8_t connectionCondition = 1;  // 4 bits
  std::uint8_t stcId = 0;
  std::uint32_t inTime = 0;
  std::uint32_t outTime = 0;
  std::uint32_t uoMask1 = 0;
  std::uint32_t uoMask2 = 0;
  std::uint8_t randomAccessFlag = 0;
  std::uint8_t stillMode = 0;   // kept
  std::uint16_t stillTime = 0;  // kept
  MultiAngle angles;
  Stn stn;
  Bytes trailing;  // bytes the length covers after the STN table

  bool operator==(const PlayItem&) const = default;
};

struct SubPlayItem {
  std::uint16_t length = 28;
  std::string clipName;
  std::string codecId = "M2TS";
  // The flags word shifted right by one, so bits 8 to 1 survive; the low
  // four bits are the connection condition.
  std::uint8_t connectionCondition = 1;
  std::uint8_t isMultiClip = 0;
  std::uint8_t stcId = 0;
  std::uint32_t inTime = 0;
  std::uint32_t outTime = 0;
  std::uint16_t syncPlayItemId = 0;
  std::uint32_t syncStartPts = 0;
  std::uint8_t multiClipReserved = 0;  // kept
  // With multi-clip: one entry per clip, entry 0 standing for the
  // SubPlayItem's own clip (not written).
  std::vector<ClipRef> clips;
  Bytes trailing;

  bool operator==(const SubPlayItem&) const = default;
};

struct SubPath {
  std::uint32_t length = 6;
  std::uint8_t reserved1 = 0;  // kept
  std::uint8_t type = 0;
  std::uint16_t repeat = 0;  // bit 0 is the repeat flag; the word is kept
  std::uint8_t reserved2 = 0;  // kept
  std::vector<SubPlayItem> items;
  Bytes trailing;

  bool operator==(const SubPath&) const = default;
};

struct PlayListSection {
  std::uint32_t length = 6;
  std::uint16_t reserved = 0;  // kept
  std::vector<PlayItem> items;
  std::vector<SubPath> subpaths;
  Bytes trailing;

  bool operator==(const PlayListSection&) const = default;
};

struct Mark {
  std::uint8_t markId = 0;  // the byte before the type, kept
  std::uint8_t type = 1;
  std::uint16_t playItemRef = 0;
  std::uint32_t time = 0;  // on the timeline of the PlayItem's clip
  std::uint16_t entryPid = 0xFFFF;
  std::uint32_t duration = 0;

  bool operator==(const Mark&) const = default;
};

struct PlayListMarkSection {
  std::uint32_t length = 2;
  std::vector<Mark> marks;
  Bytes trailing;

  bool operator==(const PlayListMarkSection&) const = default;
};

struct Playlist {
  std::string typeIndicator = "MPLS";
  std::string version = "0200";
  std::uint32_t playListStartAddress = 58;
  std::uint32_t playListMarkStartAddress = 68;
  std::uint32_t extensionDataStartAddress = 0;  // 0: none
  Bytes reserved = Bytes(20, 0);  // held, written as zeros
  std::uint32_t appInfoLength = kAppInfoKnownLength;
  std::uint8_t appInfoReserved = 0;  // kept
  std::uint8_t playbackType = 1;
  std::uint16_t playbackCount = 0;
  std::uint32_t uoMask1 = 0;
  std::uint32_t uoMask2 = 0;
  std::uint8_t randomAccessFlag = 0;
  std::uint8_t audioMixFlag = 0;
  std::uint8_t bypassMixerFlag = 0;
  Bytes appInfoExtra;   // AppInfoPlayList bytes after the flags word
  Bytes gapBeforePlaylist;  // between AppInfoPlayList and the PlayList
  PlayListSection playlist;
  Bytes gapBeforeMarks;          // between the PlayList and the PlayListMark
  PlayListMarkSection marks;     // empty when the PlayListMark address is 0
  Bytes gapBeforeExt;            // before the ExtensionData
  ExtensionData extensionData;
  Bytes tail;                 // after the last section when there is no ExtensionData

  bool operator==(const Playlist&) const = default;
};

// Number of streams of a category.
std::size_t streamCount(const Stn& stn, StreamCategory c);
inline std::size_t pgStreamCount(const Stn& stn) { return stn.pg.size() - stn.pipPgCount; }

// Bytes a structure takes on disc, its length field included.
std::size_t streamRecSize(const StreamRecord& s);
std::size_t secAudioSize(const SecondaryAudioStream& s);
std::size_t secVideoSize(const SecondaryVideoStream& s);
// What the length field of each structure must hold for its content.
std::size_t stnContentLength(const Stn& stn);
std::size_t playItemContentLength(const PlayItem& pi);
std::size_t subPlayItemContentLength(const SubPlayItem& spi);
std::size_t subPathContentLength(const SubPath& sp);
std::size_t playListContentLength(const PlayListSection& pl);
std::size_t markContentLength(const PlayListMarkSection& plm);

// Empty when every length, count and start address agrees with the content;
// otherwise what does not, e.g. "PlayItem 2: length 120, content 136".
std::string checkLayout(const Playlist& m);

// Sets every length and start address from the content, keeping the gaps;
// for playlists composed in code (the sample disc, benchmarks). A non-zero
// ExtensionData address is placed after the last section.
void fitLayout(Playlist& m);

struct PlaylistParse {
  ReadStatus status = ReadStatus::Ok;
};

// Parses a whole file into a fresh record. A wrong type or version leaves
// `out` empty and gives Rejected; a file that ends early gives Truncated
// with what could be read. onProgress(position, size) runs before each
// PlayItem, SubPath and mark.
PlaylistParse parsePlaylist(const Bytes& data, Playlist& out,
                            const std::function<void(std::size_t, std::size_t)>& onProgress = {});

// The file image; sections follow one another with their kept gaps. Lengths,
// counts and addresses are written as held; use checkLayout first.
Bytes composePlaylist(const Playlist& m);

// The read of one playlist: "Reading [bl]name[/bl]", the position on status
// panel 1, "Invalid format: name" for a wrong type or version, the ends-early
// line, and unless quiet the line with the counts and Ready. A file that
// cannot be read whole leaves `m` empty (an unusable status), so nothing
// of the playlist shown before stays as if it were this one.
ReadStatus readPlaylistFile(const std::string& path, Playlist& m, Reporter& rep, bool quiet = false);

// The steps every read of a playlist file shares (readPlaylistFile, and
// Find's read of the clip uses): "Reading [bl]name[/bl]" and the bytes, or
// Ready when the file cannot be read; the position on status panel 1 as
// the parse goes (quietly for every 16th element only); after the parse
// "Invalid format: name" or the ends-early line.
bool openPlaylistFile(const std::string& path, const std::string& name, Bytes& data, Reporter& rep);
std::function<void(std::size_t, std::size_t)> playlistProgress(Reporter& rep, bool quiet);
void reportPlaylistStatus(const std::string& name, ReadStatus status, std::size_t fileSize, Reporter& rep);

// "Saving name", then refuses with "Cannot save name: ..." when the model's
// lengths or addresses do not fit its content, else saves through the
// backup step and logs "name saved.". Returns false when nothing was written.
bool savePlaylist(const Playlist& m, const SaveRequest& req, Reporter& rep);

}  // namespace mirdal
