// The first eight bytes of every disc database file: four characters that
// name the kind ("MPLS", "HDMV", "INDX", ...) and four for the version.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/fields.h"

namespace mirdal {

// The versions of index.bdmv, MovieObject.bdmv, playlists and clip
// information files: "0300" (Ultra HD discs) shares the layout of the other
// two and gives new values to codes and bits that were reserved.
inline constexpr std::string_view kDatabaseVersions[] = {"0100", "0200", "0300"};

// sound.bdmv and BD-J objects: no Ultra HD version is read.
inline constexpr std::string_view kVersionsBeforeUltraHD[] = {"0100", "0200"};

struct FileHeader {
  std::string type;     // the characters before the first zero byte
  std::string version;  // likewise
  bool accepted = false;
};

// Reads the header at r's position; accepted when the type is `type` and the
// version one of `versions`. A file shorter than the header is not accepted.
FileHeader readFileHeader(FieldReader& r, std::string_view type,
                          std::span<const std::string_view> versions = kDatabaseVersions);

}  // namespace mirdal
