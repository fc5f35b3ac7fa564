// Which clips a playlist plays, and where: what Find asks of every playlist
// of a disc, and what the disc check asks of every playlist it has read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/fields.h"
#include "formats/common/disc_file.h"

namespace mirdal {

class Reporter;
struct Playlist;

// A clip a playlist plays: a PlayItem's or SubPlayItem's own clip, or the
// clip of one of its other angles (a multi-angle PlayItem's angles, a
// multi-clip SubPlayItem's clips), which counts as a use of that item.
// Listed PlayItem by PlayItem ('p', item k), then SubPlayItem j of each
// SubPath s ('s', item j), each item's own clip before its other angles.
struct PlaylistClipUse {
  std::string clip;
  char kind = 'p';
  std::uint16_t item = 0;
  std::uint16_t subPath = 0;  // 's' only
  std::uint8_t angle = 0;     // 0: the item's own clip

  bool operator==(const PlaylistClipUse&) const = default;
};

std::vector<PlaylistClipUse> clipUsesOf(const Playlist& pl);

// "PlayItem 2", "SubPath 0, SubPlayItem 1", "PlayItem 2, angle 1".
std::string clipUsePlace(const PlaylistClipUse& u);

// The uses straight from a playlist file, as clipUsesOf lists them for the
// parsed file, without building the model: the PlayList section is walked
// and each PlayItem is stepped over by its length (its STN table is not
// read). The status is the one parsePlaylist gives for that section:
// Rejected for a wrong type or version (nothing listed), Truncated when it
// ends early. onProgress(position, size) runs before each PlayItem and
// SubPath.
ReadStatus walkClipUses(const Bytes& data, std::vector<PlaylistClipUse>& out,
                        const std::function<void(std::size_t, std::size_t)>& onProgress = {});

// Find's quiet read of one playlist file, with the lines of a quiet
// readPlaylistFile: "Reading [bl]name[/bl]", the position on status panel 1
// for every 16th element, "Invalid format: name" and the ends-early line.
ReadStatus readClipUses(const std::string& path, std::vector<PlaylistClipUse>& out, Reporter& rep);

}  // namespace mirdal
