// The question Save asks before it writes a document read with errors: it
// names the file and what went wrong, and says what would be written in its
// place (the kind of file, its size where it is known, what it holds).
#pragma once

#include <string>

#include "documents/workspace.h"

namespace mirdal {

std::string writeGuessesQuestion(const Workspace& ws, const DocumentBase& doc);

}  // namespace mirdal
