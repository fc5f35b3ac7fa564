// Loading a menu from a .mnu file: a sequence of IG segments, each behind a
// 10-byte prefix "IG", PTS (32 bits), DTS (32 bits). Only the first display
// set (up to the first END segment) is loaded; the display sets after it are
// counted. Segments of a type the model does not know are kept as read.
#pragma once

#include <string>
#include <vector>

#include "core/cancel_token.h"
#include "core/fields.h"
#include "formats/common/disc_file.h"
#include "menu/igs_model.h"

namespace mirdal {

class Reporter;

inline constexpr std::uint64_t kMaxMenuFileSize = 1ull << 30;

struct MenuLoad {
  // Ok; Truncated when a segment or the page data ended early or a prefix
  // was not "IG" (what was read is kept); Unreadable when the file could not
  // be read.
  ReadStatus status = ReadStatus::Ok;
  bool cancelled = false;
};

// Parses a whole .mnu image into m (which is reset first) and logs
// "1 ICS, n OCS, p PCS found." with the counts. A requested `cancel` leaves
// the pages unparsed and the load marked cancelled.
MenuLoad parseMnu(const Bytes& data, IgMenu& m, Reporter& rep, const CancelToken& cancel = neverCancelled());

// What the user must hear about a menu loaded: each kept segment of unknown
// type, and display sets after the first. Empty for an ordinary menu; the
// load logs each as a warning.
std::vector<std::string> menuLoadNotes(const IgMenu& m);

// Reads the file and loads it.
MenuLoad readMnuFile(const std::string& path, IgMenu& m, Reporter& rep, const CancelToken& cancel = neverCancelled());

// Parses `pageCount` pages from the page bytes of the composition into
// m.ics.pages and builds the page button index. Returns false when the data
// ended early; the pages read whole are kept.
bool parsePages(IgMenu& m, const Bytes& pageData, std::size_t pageCount, Reporter& rep);

}  // namespace mirdal
