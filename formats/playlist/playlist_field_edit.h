// Edits of single fields of a playlist: the AppInfo (playback type and
// count, user-operation masks, flags) and one mark's type, PlayItem and
// time. None of them adds or removes bytes. Each returns false and leaves
// the model as it was when the value or the row is not allowed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/playlist/mpls.h"
#include "formats/playlist/playlist_values.h"

namespace mirdal {

// The largest values the fields take.
inline constexpr std::uint16_t kMaxPlaybackCount = 9999;
inline constexpr std::uint16_t kMaxMarkPlayItem = 999;

bool setPlaybackType(Playlist& m, PlaylistPlaybackType type);
bool setPlaybackCount(Playlist& m, std::uint16_t count);
// The second word keeps only its one named bit (kUoWord2Mask).
void setUoMask(Playlist& m, UoWord word, std::uint32_t value);
bool setUoMaskBit(Playlist& m, UoWord word, int bit, bool on);
void setAppInfoFlag(Playlist& m, AppInfoFlag flag, bool on);

bool setMarkType(Playlist& m, std::size_t mark, MarkType type);
bool setMarkPlayItem(Playlist& m, std::size_t mark, std::uint16_t playItem);
bool setMarkTime(Playlist& m, std::size_t mark, std::uint32_t time);

}  // namespace mirdal
