// The versions of index.bdmv, MovieObject.bdmv, playlists and clip
// information files that Mirdal reads and writes: "0100", "0200" and "0300"
// (Ultra HD discs). The three share one layout; 0300 gives new values to
// codes and bits that were reserved. A file of any other version is refused.
#pragma once

#include <string_view>

namespace mirdal {

inline bool knownDatabaseVersion(std::string_view v) { return v == "0100" || v == "0200" || v == "0300"; }

}  // namespace mirdal
