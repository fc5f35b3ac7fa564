// Edits of a playlist. Every edit that adds or removes bytes adjusts, at
// once, the lengths of the structures around the change and the start
// addresses of the sections behind it, so the model can be saved at any
// moment. Each returns false (or kNoRow) and leaves the model as it was
// when the edit is not allowed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/no_row.h"
#include "formats/playlist/mpls.h"

namespace mirdal {


// Limits of the lists.
inline constexpr std::size_t kMaxAudioStreams = 32;
inline constexpr std::size_t kMaxIgStreams = 32;
inline constexpr std::size_t kMaxPgStreams = 255;
inline constexpr std::size_t kMaxSubPaths = 255;
inline constexpr std::size_t kMaxSubPlayItems = 255;
inline constexpr std::size_t kMaxAngles = 255;
inline constexpr std::size_t kMaxMarks = 999;

// Streams. Insertion is offered for primary audio, PG and IG; the new
// stream goes after row `after` (kNoRow: first). Returns the new row or
// kNoRow.
bool canInsertStream(const PlayItem& pi, StreamCategory c);
std::size_t insertStream(Playlist& m, std::size_t item, StreamCategory c, std::size_t after);
// Primary video never; primary audio while two or more remain.
bool canDeleteStream(const PlayItem& pi, StreamCategory c);
bool deleteStream(Playlist& m, std::size_t item, StreamCategory c, std::size_t row);
// The size on disc of stream `row` of a category.
std::size_t streamSize(const Stn& stn, StreamCategory c, std::size_t row);
// The stream record of `row` of a category (PiP PG rows count after the PG
// streams), nullptr when there is none.
StreamRecord* streamAt(Stn& stn, StreamCategory c, std::size_t row);
const StreamRecord* streamAt(const Stn& stn, StreamCategory c, std::size_t row);

// SubPaths: a new one is an "IG menu" SubPath with one SubPlayItem on the
// first PlayItem's clip. Returns the new row or kNoRow.
std::size_t insertSubPath(Playlist& m, std::size_t after);
bool deleteSubPath(Playlist& m, std::size_t row);

// SubPlayItems: a new one is like the one a new SubPath gets. A SubPath
// keeps at least one.
std::size_t insertSubPlayItem(Playlist& m, std::size_t subpath, std::size_t after);
bool deleteSubPlayItem(Playlist& m, std::size_t subpath, std::size_t row);
// Turning multi-clip on gives the one entry standing for the SubPlayItem's
// own clip; turning it off drops the entries. Lengths follow.
bool setMultiClip(Playlist& m, std::size_t subpath, std::size_t item, bool on);
// Multi-clip entries after entry 0 (which is the SubPlayItem's own clip).
std::size_t insertMultiClipEntry(Playlist& m, std::size_t subpath, std::size_t item, std::size_t after);
bool deleteMultiClipEntry(Playlist& m, std::size_t subpath, std::size_t item, std::size_t row);

// Angles of a PlayItem, the same way: the angle block on or off, and
// angles after angle 0 (the PlayItem's own clip).
bool setMultiAngle(Playlist& m, std::size_t item, bool on);
std::size_t insertAngle(Playlist& m, std::size_t item, std::size_t after);
bool deleteAngle(Playlist& m, std::size_t item, std::size_t row);

// Marks. A new mark is an entry-mark with entry PID 0xFFFF where the user
// is: at the PlayItem and time of mark `selectedMark`, else at the IN time
// of PlayItem `selectedItem`, else at the IN time of PlayItem 0.
Mark newMark(const Playlist& m, std::size_t selectedMark, std::size_t selectedItem = kNoRow);
// The row a mark takes: after every mark that does not lie later (by
// PlayItem, then time), so that marks in time order stay so.
std::size_t markRowFor(const Playlist& m, const Mark& mark);
// Inserts the mark at that row and returns the row. A playlist without a
// PlayListMark section, or with 999 marks, takes none (kNoRow).
std::size_t insertMark(Playlist& m, const Mark& mark);
std::size_t insertMark(Playlist& m, std::size_t selectedMark, std::size_t selectedItem = kNoRow);
// Removes the given rows (any order, duplicates ignored); returns how many.
std::size_t deleteMarks(Playlist& m, std::vector<std::size_t> rows);
// Replaces every mark (chapter import).
bool replaceMarks(Playlist& m, std::vector<Mark> marks);

// The IN-time cascade: the answers to the three questions the user is asked
// when an IN time changes.
struct InTimeAnswers {
  bool moveOut = false;           // "Do you want to update OUT time?"
  bool moveSubPlayItems = false;  // "Do you want to update SubPlayItems' IN/OUT times?"
  bool moveMarks = false;         // "Do you want to update PlayListMarks' marktimes?"
};
inline constexpr const char* kAskMoveOut = "Do you want to update OUT time?";
inline constexpr const char* kAskMoveSubPlayItems = "Do you want to update SubPlayItems' IN/OUT times?";
inline constexpr const char* kAskMoveMarks = "Do you want to update PlayListMarks' marktimes?";

// The questions to ask, in order, when PlayItem `item` gets IN time
// newIn: none when the time does not change; the SubPlayItem question only
// with SubPaths, the mark question only with marks.
std::vector<std::string> inTimeQuestions(const Playlist& m, std::size_t item, std::uint32_t newIn);
// Sets the IN time and moves what the answers say by the same difference
// (modulo 2^32, like the times on disc). Marks move only when they name
// this PlayItem.
void setPlayItemInTime(Playlist& m, std::size_t item, std::uint32_t newIn, const InTimeAnswers& a);

// User-operation masks: only bit 30 of the second word has a meaning.
inline constexpr std::uint32_t kUoWord2Mask = 0x40000000;
inline std::uint32_t setBit(std::uint32_t word, int bit, bool on) {
  return on ? word | (1u << bit) : word & ~(1u << bit);
}

// SubPath type: any type but 2 (browsable slideshow audio) clears the
// repeat word.
void setSubPathType(Playlist& m, std::size_t row, std::uint8_t type);
// The repeat choice only applies to type 2.
bool setSubPathRepeat(Playlist& m, std::size_t row, bool on);

// The ExtensionData editor's OK: the block goes into the playlist, which
// then has none (start address 0) when it is empty, and otherwise keeps it
// after the last section, behind the bytes that stood there before. Bytes
// kept after the last section move in front of a new block, and back behind
// the sections when the block goes.
void applyExtensionData(Playlist& m, const ExtensionData& ed);

}  // namespace mirdal
