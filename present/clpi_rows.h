// The texts of the clip page's grids and labels, one place for the GUI and
// mirdal-cli. Each row function returns the cells after the row-number
// column.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/disc_folder.h"
#include "formats/clip/clpi.h"

namespace mirdal {

using ClipRow = std::vector<std::string>;

// The 11 application types, index = type ("res." for 0, 8, 9 and beyond 10).
inline constexpr int kApplicationTypeCount = 11;
std::string applicationTypeText(std::uint8_t type);

// ProgramInfo: PID (4 hex digits), stream type (coding text), details.
ClipRow programStreamRow(const ProgramStream& s);
// video: "format, rate, 16:9" (or 4:3 for aspect 2); audio: "presentation,
// frequency, language"; PG and IG: the language; text subtitle: "character
// code, language"; nothing for unknown coding types.
std::string streamDetails(const ProgramStream& s);

// Sequences: spnAtcStart (8 hex), number of STC sequences, offset STC id.
ClipRow atcSequenceRow(const AtcSequence& a);
// STC sequences: pcrPid (4 hex), spnStcStart (8 hex), start and end time
// as h:mm:ss.zzz.
ClipRow stcSequenceRow(const StcSequence& s);
// ATC delta entries: atcDelta (8 hex), following clip, codec id.
ClipRow atcDeltaRow(const AtcDeltaEntry& e);
// CPI: PID (4 hex), EP type (1 hex), coarse count (4 hex), fine count (5 hex),
// EP map start address (8 hex).
ClipRow epStreamRow(const EpStreamEntry& e);
// EP coarse: ref_to (5 hex), PTS_EP (4 hex), SPN_EP (8 hex); row numbers 4 hex.
ClipRow epCoarseRow(const EpCoarse& c);
std::string epCoarseRowNumber(std::size_t i);
// EP fine: "y"/"n", I_end_pos, PTS_EP (4 hex), SPN_EP (5 hex); row numbers 5 hex.
ClipRow epFineRow(const EpFine& f);
std::string epFineRowNumber(std::size_t i);
// Playlist references: playlist (5 digits), "p" or "s", item (5 digits).
ClipRow ciRefRow(const ClipUse& r);

// The stream file labels: its name and size with thousands separators, or,
// when it is missing, the clip name with the stream extension and "missing
// file".
struct StreamFileLabels {
  std::string name;
  std::string size;
  bool missing = false;
};
StreamFileLabels streamFileLabels(const ClipStreamFile& av, const std::string& clipName,
                                  const std::string& streamExt, char thousands = ',');

}  // namespace mirdal
