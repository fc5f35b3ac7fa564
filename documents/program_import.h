// Program import: commands read from text (nav/program_text.h) replace or
// are inserted into a movie object's program or a menu button's commands.
// Each import is one edit of its document, so one Undo takes it back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "documents/document.h"
#include "formats/bdmv/movie_objects.h"
#include "menu/igs_model.h"
#include "nav/program_edit.h"

namespace mirdal {

struct ProgramImport {
  bool done = false;
  std::string refusal;      // why nothing changed
  LineSelection selection;  // the imported lines
};

// No insertAt: the lines replace the program; else the first becomes line
// *insertAt (0 up to the program's size) and GoTo targets move as for a
// paste. The MovieObjects length follows the command count.
ProgramImport importObjectProgram(Document<MovieObjectFile>& doc, std::size_t object, const CommandList& lines,
                                  std::optional<std::size_t> insertAt);

// The same for button `button` (index in its BOG) of BOG `bog` on page
// `page`.
ProgramImport importButtonProgram(Document<IgMenu>& doc, std::size_t page, std::size_t bog, std::size_t button,
                                  const CommandList& lines, std::optional<std::size_t> insertAt);
// On the menu model itself (mirdal-cli menu edit works on one).
ProgramImport importButtonCommands(IgMenu& m, std::size_t page, std::size_t bog, std::size_t button,
                                   const CommandList& lines, std::optional<std::size_t> insertAt);

}  // namespace mirdal
