// The rules of the index editors that the lists of present/bdmv_rows.h do
// not hold: which entries name a movie object, and the list item of a
// playback type.
#pragma once

#include <cstdint>

namespace mirdal {

// An entry or title of object type HDMV names a movie object; any other
// names a BD-J object.
bool namesMovieObject(std::uint8_t objectType);
// The item of the playback-type list (Movie, Interactive); -1 for other codes.
int playbackTypeItem(std::uint8_t playbackType);

}  // namespace mirdal
