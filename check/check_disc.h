// Checking a whole disc: every rule of the table over the disc's files, the
// register map and the navigation map.
#pragma once

#include <string>
#include <vector>

#include "check/disc_files.h"
#include "check/finding.h"
#include "check/gpr_map.h"
#include "check/nav_graph.h"

namespace mirdal {

struct CheckOptions {
  std::vector<std::string> rules;       // only these rule ids; empty: all
  Severity minimum = Severity::Note;    // leave out what is less grave
};

struct CheckReport {
  // By file (disc, index, movie objects, playlists, clips, menus, sound,
  // registers), then place, then the order of the rule table.
  std::vector<Finding> findings;
  GprMap gprs;
  NavGraph graph;
  std::size_t count(Severity s) const;
};

CheckReport checkDisc(const DiscFiles& files, const CheckOptions& options = {});

// "3 errors, 5 warnings, 2 notes"; "No findings." when there are none.
std::string summaryLine(const CheckReport& r);
// The last line of a disc Read: "3 errors, 5 warnings: see Check disc", or
// "Check disc: no errors or warnings".
std::string readSummaryLine(const CheckReport& r);

}  // namespace mirdal
