// What mirdal-cli shows of a playlist: the PLAYLIST page's grids as text,
// and the whole model as JSON (kind "playlist").
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "formats/playlist/mpls.h"

namespace mirdal::cli {

std::string dumpPlaylistText(const Playlist& m, const std::string& name);
nlohmann::json playlistJson(const Playlist& m);

}  // namespace mirdal::cli
