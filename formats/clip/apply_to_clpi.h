// "Apply to clpi": the stream attributes of a PlayItem's STN table copied
// into the streams of its clip's first program sequence.
#pragma once

#include <cstddef>
#include <vector>

#include "formats/clip/clpi.h"
#include "formats/playlist/mpls.h"

namespace mirdal {

// The program streams are taken to be ordered like the STN lists: primary
// video, primary audio, PG, then IG. The k-th stream of each list is applied
// to the program stream at its position only when that stream's PID is the
// STN entry's main-clip PID (IG streams: entry type 1 only): video gets the
// coding type, format and rate; audio the coding type, presentation type,
// sampling frequency and language; PG the PG language; IG the IG language.
// Secondary streams are not applied. Returns the indexes of the program
// streams that were written to, in order.
std::vector<std::size_t> applyToClpi(const PlayItem& item, ClipInfoFile& clip);

}  // namespace mirdal
