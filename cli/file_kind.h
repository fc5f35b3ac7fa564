// Which disc database file a file holds, told by its type indicator (the
// first four bytes), whatever its name.
#pragma once

#include "core/fields.h"

namespace mirdal::cli {

enum class FileKind { Unknown, Index, MovieObject, BDJObject, Playlist };

FileKind detectFileKind(const Bytes& data);

}  // namespace mirdal::cli
