// Find: which movie-object commands play a playlist, and which playlists use
// each clip (checking that every stream file they reference exists).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/disc_folder.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/playlist/playlist_clip_uses.h"

namespace mirdal {

// A command of a movie object that plays a playlist.
struct PlaylistUse {
  std::size_t object = 0;
  std::size_t command = 0;
};

// Commands whose opcode word is Play PL (0x22800000), Play PL_PI
// (0x42810000, 0x42C10000) or Play PL_MK (0x42820000, 0x42C20000), all with
// an immediate playlist number, and whose dst is `playlist`; in object and
// command order.
std::vector<PlaylistUse> findPlaylistCommands(const MovieObjectFile& m, std::uint32_t playlist);

// "Object 0003, Command line 0012".
std::string playlistUseLine(const PlaylistUse& u);

// The log of Find on the playlist page: an empty line, "PlayList [b]name[/b]
// found in:" and the use lines as plain text.
void logPlaylistFind(const std::string& playlistName, const std::vector<PlaylistUse>& uses, Reporter& rep);


// Find on the clip page: empties every reference list of disc.ciRefs (one
// per clip of disc.clips), reads each playlist of disc.playlists quietly into
// a playlist model of its own, and adds (playlist number, 'p', k) for each
// PlayItem k and (playlist number, 's', j) for each SubPlayItem j of each
// SubPath to the list of the item's clip. A stream file that does not exist
// is reported through logError; a clip not in the clip list adds no reference.
// A playlist that cannot be read whole, or whose name is not a number, adds
// no references. The playlist model of the page is never touched, so it
// still agrees with the selected playlist (and keeps its unsaved edits).
// Returns the number of missing stream files reported.
std::size_t findClipReferences(DiscState& disc, const NameSet& names, Reporter& rep);

}  // namespace mirdal
