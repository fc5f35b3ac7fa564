// Command edits of a movie object's program that keep MovieObject.bdmv's
// MovieObjects length and ExtensionData start address in step (12 bytes per
// command inserted or deleted).
#pragma once

#include <cstddef>
#include <functional>

#include "formats/bdmv/movie_objects.h"
#include "nav/program_edit.h"

namespace mirdal {

// Runs one edit (insertCommands, deleteCommands, pasteCommands, cutCommands, nopCommands, ...) on the
// commands of object `object` and applies its delta to the file's lengths.
// An object number beyond the list changes nothing.
EditResult editObjectProgram(MovieObjectFile& m, std::size_t object,
                             const std::function<EditResult(CommandList&)>& edit);

}  // namespace mirdal
