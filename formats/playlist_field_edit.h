// Edits of single fields of a playlist: the AppInfo (playback type and
// count, user-operation masks, flags) and one mark's type, PlayItem and
// time. None of them adds or removes bytes. Each returns false and leaves
// the model as it was when the value or the row is not allowed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/mpls.h"
#include "formats/playlist_values.h"

namespace mirdal {

// The largest values the fields take.
inline constexpr std::uint16_t kMaxPlaybackCount = 9999;
inline constexpr std::uint16_t kMaxMarkPlayItem = 999;

bool setPlaybackType(TMPLS& m, PlaylistPlaybackType type);
bool setPlaybackCount(TMPLS& m, std::uint16_t count);
// The second word keeps only its one named bit (kUOWord2Mask).
void setUoMask(TMPLS& m, UoWord word, std::uint32_t value);
bool setUoMaskBit(TMPLS& m, UoWord word, int bit, bool on);
void setAppInfoFlag(TMPLS& m, AppInfoFlag flag, bool on);

bool setMarkType(TMPLS& m, std::size_t mark, MarkType type);
bool setMarkPlayItem(TMPLS& m, std::size_t mark, std::uint16_t playItem);
bool setMarkTime(TMPLS& m, std::size_t mark, std::uint32_t time);

}  // namespace mirdal
