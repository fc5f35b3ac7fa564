// Edits that change more than one document at once, undone as one step.
#pragma once

#include <cstddef>

#include "documents/workspace.h"
#include "formats/bdmv/bdmv_edit.h"

namespace mirdal {

// Deletes movie objects first..last; the titles that referred to them are
// changed in the index document (see deleteMovieObjects on the models).
ObjectDeletion deleteMovieObjects(Workspace& ws, std::size_t first, std::size_t last, Reporter& rep);

}  // namespace mirdal
