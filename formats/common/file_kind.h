// Which disc database file a file holds, told by its type indicator (the
// first four bytes), whatever its name. The command line's file subcommands
// and the window's Load and drop handling ask the same question.
#pragma once

#include <string>

#include "core/fields.h"

namespace mirdal {

enum class FileKind { Unknown, Index, MovieObject, BDJObject, Playlist, Clip, Sound, Menu };

FileKind detectFileKind(const Bytes& data);

// The kind of the file at path; Unknown when it cannot be read.
FileKind detectFileKindOf(const std::string& path);

}  // namespace mirdal
