// Read: check the disc folder's layout, then load everything in order.
#pragma once

#include "documents/workspace.h"

namespace mirdal {

class Reporter;

// Resets everything a previous Read loaded, checks the mandatory folders and
// files (switching to the other file-name set when only its index file
// exists), runs the load sequence, the sound and stream checks, and sets the
// caption. Returns false when the check failed.
bool readDisc(Workspace& ws, Reporter& rep);

// The load sequence alone: movie objects, playlist, clip and BD-J object
// lists, the index.
void loadDiscFiles(Workspace& ws, Reporter& rep);

// Forgets everything loaded from the disc (the first step of every Read).
void resetDisc(Workspace& ws);

}  // namespace mirdal
