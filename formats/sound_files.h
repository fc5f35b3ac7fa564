// The Workspace's sound.bdmv: its load step in the disc Read and its save
// from the "&BDMV" page, both in the disc folder's AUXDATA.
#pragma once

#include "core/workspace.h"

namespace mirdal {

// Reads AUXDATA/sound.bdmv into ws.sound. ws.soundLoaded tells whether the
// file could be read as a sound file: one of another kind is neither shown
// nor saved over.
void readSound(Workspace& ws);

// Writes ws.sound to AUXDATA/sound.bdmv with the backup step, creating the
// AUXDATA folder when it does not exist. A model that was not loaded or
// created is never written (false, with a log line).
bool soundsave(Workspace& ws);

}  // namespace mirdal
