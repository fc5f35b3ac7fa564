// What the "BD&JO" page shows, as texts computed from a BdjoFile: the rows of
// its grids with their column headers and widths.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "formats/bdjo/bdjo.h"
#include "core/display_text.h"

namespace mirdal {

inline constexpr std::array<GridColumn, 4> kAppCacheColumns{
    {{"", 20}, {"entry type", 67}, {"ref to name", 61}, {"language", 65}}};
inline constexpr std::array<GridColumn, 2> kAccessiblePlayListColumns{{{"", 20}, {"PlayList", 98}}};
inline constexpr std::array<GridColumn, 16> kApplicationColumns{
    {{"", 20},          {"ctrl", 28},          {"type", 23},          {"orgID", 56},
     {"appID", 28},     {"tag", 30},           {"prior", 29},         {"bind", 28},
     {"visib", 28},     {"icon_loc", 61},      {"base_dir", 58},      {"classpath_ext", 122},
     {"init_classn.", 232}, {"pr.", 25},       {"na.", 26},           {"pa.", 22}}};
// The detail grids beside the application table have no widths of their own.
inline constexpr std::array<const char*, 3> kProfileHeaders{"", "profile", "version"};
inline constexpr std::array<const char*, 3> kNameHeaders{"", "lang", "name"};
inline constexpr std::array<const char*, 2> kParameterHeaders{"", "parameter"};

// Row numbers count from 0 in the three tables and from 1 in the detail
// grids, in plain decimal.
std::array<std::string, 4> appCacheRow(const BdjoFile& b, std::size_t i);
std::array<std::string, 2> accessiblePlayListRow(const BdjoFile& b, std::size_t i);
// ctrl, type, prior, bind and visib in decimal; orgID 8, appID 4 and tag 2
// hexadecimal digits; the counts of profiles, names and parameters.
std::array<std::string, 16> applicationRow(const BdjoFile& b, std::size_t i);
// profile in 4 hexadecimal digits, version as major.minor.micro.
std::array<std::string, 3> profileRow(const Application& a, std::size_t i);
std::array<std::string, 3> nameRow(const Application& a, std::size_t i);
std::array<std::string, 2> parameterRow(const Application& a, std::size_t i);

// "Initial HAVi configuration id" field text (hexadecimal).
std::string haviConfigurationText(const BdjoFile& b);

}  // namespace mirdal
