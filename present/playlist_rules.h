// The rules of the playlist editors: which stream fields an entry type
// uses, which list item stands for which coded value, and the limits the
// typed values are brought to.
#pragma once

#include <cstdint>
#include <optional>

#include "formats/playlist/playlist_field_edit.h"
#include "formats/playlist/playlist_values.h"

namespace mirdal {

// The fields of a stream entry that its type uses.
struct EntryFields {
  bool mainPid = false;
  bool subPathId = false;
  bool subClipId = false;
  bool subPid = false;
  bool operator==(const EntryFields&) const = default;
};
EntryFields entryFields(std::uint8_t entryType);

// The item of a coded value in its choice list (the lists hold the codes in
// order: entry types from 0, SubPath types from 0, mark and playback types
// from 1); -1 for a code the list does not hold.
int entryTypeItem(std::uint8_t type);
int subPathTypeItem(std::uint8_t type);
int markTypeItem(std::uint8_t type);
int playlistPlaybackTypeItem(std::uint8_t type);
// The coded value of a list item; nothing for an item past the list.
std::optional<MarkType> markTypeOfItem(int item);
std::optional<PlaylistPlaybackType> playbackTypeOfItem(int item);

// The repeat choice is for browsable slideshow audio SubPaths only.
bool subPathRepeatApplies(std::uint8_t subPathType);

// Typed values past a field's limits are brought to them.
inline constexpr std::int64_t kMaxStreamId = 255;       // SubPath and SubClip ids
inline constexpr std::int64_t kMaxMarkTimePart = 999;   // each of h, min, s, ms
std::uint8_t clampedStreamId(std::int64_t v);
std::uint16_t clampedPlaybackCount(std::int64_t v);
std::uint16_t clampedMarkPlayItem(std::int64_t v);
unsigned clampedMarkTimePart(std::int64_t v);

}  // namespace mirdal
