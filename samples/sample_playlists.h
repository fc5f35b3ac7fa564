// The sample disc's playlists, written with the playlist writer.
#pragma once

#include <string>

namespace mirdal::samples {

// Writes PLAYLIST/0000[0-2].mpls and their BACKUP copies under bdmvFolder.
void writeSamplePlaylists(const std::string& bdmvFolder);

}  // namespace mirdal::samples
