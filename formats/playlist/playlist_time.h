// Playlist times (45 kHz ticks) as the texts the grids, the chapter files
// and the CLI show, and back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mirdal {

// 45 kHz ticks as "hh:mm:ss.mmm" (hours at least two digits, not wrapped
// at 24; milliseconds = ticks div 45).
std::string playlistTimeText(std::uint32_t ticks);
// The inverse for entered text "hh:mm:ss.mmm": ':' at the third and sixth
// and '.' at the ninth character, digits elsewhere, minutes and seconds
// below 60. Nothing for other text or a time that does not fit 32 bits.
std::optional<std::uint32_t> parsePlaylistTime(std::string_view text);

}  // namespace mirdal
