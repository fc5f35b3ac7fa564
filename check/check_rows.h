// What the Check disc window shows, as texts: the rows of the findings grid,
// of the register map and of one register's uses, the severity filter's
// items, and the tooltips. The GUI only puts them into widgets.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "check/check_disc.h"
#include "core/display_text.h"

namespace mirdal {

inline constexpr std::array<GridColumn, 4> kFindingColumns{
    {{"", 26}, {"Rule", 130}, {"Place", 260}, {"Finding", 520}}};
inline constexpr std::array<GridColumn, 4> kGprColumns{{{"GPR", 60}, {"written", 56}, {"read", 56}, {"", 150}}};
inline constexpr std::array<GridColumn, 4> kGprUseColumns{
    {{"", 44}, {"Place", 240}, {"Command", 200}, {"", 90}}};

// The severity filter: what each item shows.
enum class SeverityFilter { All, ErrorsAndWarnings, Errors };
const std::vector<std::string>& severityFilterItems();  // "All", "Errors and warnings", "Errors"
bool shown(Severity s, SeverityFilter f);

// Cells 1-3 of a finding's row (cell 0 is the severity icon; its text, for
// the accessible name and the clipboard, is severityText).
std::array<std::string, 4> findingRow(const Finding& f);
// The tooltip of a finding's row: the rule's own words.
std::string findingHint(const Finding& f);

// "GPR5", written count, read count, and what is odd about it: "read, never
// written", "written, never read" or nothing.
std::array<std::string, 4> gprRow(const GprEntry& e);
// "write"/"read", place, command, and "indirect" or "= value".
std::array<std::string, 4> gprUseRow(const GprUse& u);

}  // namespace mirdal
