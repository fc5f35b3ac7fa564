// The rules of the index editors that the lists of present/bdmv_rows.h do
// not hold: which entries name a movie object, and the list item of a
// playback type, the title numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mirdal {

// An entry or title of object type HDMV names a movie object; any other
// names a BD-J object.
bool namesMovieObject(std::uint8_t objectType);
// The item of the playback-type list (Movie, Interactive); -1 for other codes.
int playbackTypeItem(std::uint8_t playbackType);

// The items of the title-number choice: "1".."count".
std::vector<std::string> titleNumberTexts(std::size_t count);
// The title a followed command shows: its number when a disc can hold it
// (1..999), else 0 (the page only).
int followedTitle(std::uint32_t title);

}  // namespace mirdal
