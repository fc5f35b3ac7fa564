// The menu document's files: a .mnu file, or the IG stream of a stream
// file, loaded into ws.menu; the menu saved as a .mnu file.
#pragma once

#include <cstdint>
#include <string>

#include "documents/read_errors.h"
#include "documents/workspace.h"

namespace mirdal {

enum class MenuFileKind { Menu, Stream, Other };

// By the extension, in any case: ".mnu" is a menu file, ".m2ts" and ".mts"
// stream files (a long-name and an 8.3 disc name them differently, and a
// menu chosen from either must open).
MenuFileKind menuFileKind(const std::string& path);

// Loads a menu or stream file (the IG stream of PID 0x1400) into ws.menu,
// whose file name becomes the file's name. A file that cannot be read, a
// cancelled load and a file of another kind leave the menu that was loaded
// before as it was, and return false (the reason is in the log).
bool loadMenuFile(Workspace& ws, const std::string& path, Reporter& rep);

// The IG stream of `pid` in a stream file, loaded into ws.menu. A stream
// without that PID gives an empty menu.
bool loadMenuFromStreamFile(Workspace& ws, const std::string& path, std::uint16_t pid, Reporter& rep);

// Writes ws.menu to path through the save routine (with the backup step of
// the options). The document is then no longer modified; its model is not
// changed (the file holds what it holds, re-encoded). A menu read with
// errors is written only with g = Write.
bool saveMenuFile(Workspace& ws, const std::string& path, Reporter& rep, Guesses g = Guesses::Refuse);

}  // namespace mirdal
