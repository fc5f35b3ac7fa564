// The Workspace's index, movie objects and BD-J object: the load steps of a
// Read, the BD-J page's Read and the savers of the "&BDMV" page.
#pragma once

#include <string>

#include "documents/read_errors.h"
#include "documents/workspace.h"

namespace mirdal {

// Load sequence step 1: reads the movie object file of the current name set
// into ws.mobj. ws.mobj.loaded() tells whether the objects can be shown.
void readMovieObjects(Workspace& ws, Reporter& rep);

// Load sequence step 5: reads the index file into ws.index. ws.index.loaded()
// is false after a wrong header or too many titles: the half-loaded state,
// in which the index cannot be saved.
void readIndex(Workspace& ws, Reporter& rep);

// The BD-J page's Read: "BDJO/" + name + ".bdjo" into ws.bdjo (a file of
// that name with another extension when there is no ".bdjo" one, as 8.3
// discs may have). ws.bdjo.loaded() is true when the object could be read.
bool readBdjo(Workspace& ws, const std::string& name, Reporter& rep);

// Save of the "&BDMV" page: each writes its file into the disc folder with
// the backup step and the copy into BACKUP. A model that was not loaded is
// never written over the file on disc (false, with a log line), nor one
// read with errors unless g says the user agreed. A saved document is no
// longer modified; its undo history stays.
bool saveIndex(Workspace& ws, Reporter& rep, Guesses g = Guesses::Refuse);
bool saveMovieObjects(Workspace& ws, Reporter& rep, Guesses g = Guesses::Refuse);

// AUXDATA/sound.bdmv, read in the disc Read when the file is there.
// ws.sound.loaded() tells whether it could be read as a sound file: one of
// another kind is neither shown nor saved over. Its save creates AUXDATA
// when it is missing.
void readSound(Workspace& ws, Reporter& rep);
bool saveSound(Workspace& ws, Reporter& rep, Guesses g = Guesses::Refuse);

// The "&PLAYLIST" page's Read: "PLAYLIST/" + name + the playlist extension
// in use into ws.playlist. A file that cannot be read whole leaves the
// document empty and not loaded, so nothing of the playlist shown before
// passes for this one. True when the playlist can be shown and edited.
bool readPlaylist(Workspace& ws, const std::string& name, Reporter& rep);
// Save of the "&PLAYLIST" page: the playlist read last, under its own name,
// with the backup step; refused (false, nothing written) when it was not
// loaded, was read with errors (unless g: its guesses are then laid out
// from the content first, as an edit), or its lengths do not fit its
// content.
bool savePlaylist(Workspace& ws, Reporter& rep, Guesses g = Guesses::Refuse);

}  // namespace mirdal

namespace mirdal {

// The clip page. readClip reads "CLIPINF/" + name + clip extension into
// ws.clip (a file that cannot be read leaves it not loaded). The clip's name
// is its file name without the extension; its row in the disc lists
// (ws.disc.clips, avStreams, ciRefs) is -1 when it is not listed.
bool readClip(Workspace& ws, const std::string& name, Reporter& rep);
std::string clipName(const Workspace& ws);
int clipRow(const Workspace& ws);
// "STREAM/" + name + stream extension in the disc folder.
std::string clipStreamPath(const Workspace& ws, const std::string& name);
// The stream file of the loaded clip as the Read found it (size 0: missing).
ClipStreamFile clipStream(const Workspace& ws);

// The packet correction after a read: the 4 bytes of the count are written
// into the file at once (no backup), and the model takes the count without
// becoming modified, since file and model agree again. Nothing is written
// for a clip that failed to read.
bool correctPacketCount(Workspace& ws, std::uint32_t packets, Reporter& rep);

// Save of the "&CLIPINF" page with the backup step. What the writer changes
// in the model (an ATC delta flag without entries is cleared) stays in the
// document as an edit, so the model keeps showing what the file holds. A
// clip read with errors is written only with g = Write, laid out from its
// content first.
bool saveClip(Workspace& ws, Reporter& rep, Guesses g = Guesses::Refuse);

}  // namespace mirdal
