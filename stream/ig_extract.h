// Opening the menu of a stream file: the IG stream of one PID is exported in
// .mnu framing (one "IG" prefix with the stream's own PTS and DTS before
// each PES packet's data, which is one segment) and loaded as a menu.
#pragma once

#include <cstdint>
#include <string>

#include "menu/igs_read.h"
#include "stream/demux.h"

namespace mirdal {

class Reporter;

inline constexpr std::uint16_t kDefaultIgPid = 0x1400;

// Exports the IG stream of `pid` from `m2ts` to `mnuPath`; `cancel` stops
// it. A stream without the PID gives an empty file, or with requirePid an
// error and no file.
DemuxResult extractIgStream(const std::string& m2ts, std::uint16_t pid, const std::string& mnuPath, Reporter& rep,
                            bool requirePid = false, const CancelToken& cancel = neverCancelled());

// The same into memory: the .mnu file's bytes.
DemuxResult extractIgStream(const std::string& m2ts, std::uint16_t pid, Bytes& mnu, bool requirePid, Reporter& rep,
                            const CancelToken& cancel = neverCancelled());

// Extracts into the temporary file "Mirdal_MENU.tmp" and loads it into m;
// `cancel` stops the extraction and the reading of the pages. A failed
// extraction leaves an empty menu and an Unreadable status.
MenuLoad loadMenuFromStream(const std::string& m2ts, std::uint16_t pid, IgMenu& m, Reporter& rep,
                            const CancelToken& cancel = neverCancelled());

}  // namespace mirdal
