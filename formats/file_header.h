// The first eight bytes of every disc database file: four characters that
// name the kind ("MPLS", "HDMV", "INDX", ...) and four for the version.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/fields.h"

namespace mirdal {

// The versions the database readers understand.
inline constexpr std::string_view kDatabaseVersions[] = {"0100", "0200"};

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
