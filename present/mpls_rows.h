// What the PLAYLIST page and `mirdal-cli dump` show of a playlist: the rows
// of its grids with their column headers, and the time texts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/display_text.h"
#include "formats/playlist/mpls.h"
#include "formats/playlist/playlist_time.h"

namespace mirdal {


inline constexpr std::array<GridColumn, 9> kPlayItemColumns{
    {{"", 26}, {"file", 42}, {"type", 38}, {"IN time", 80}, {"OUT time", 80}, {"length", 80},
     {"UO1", 66}, {"UO2", 66}, {"An", 22}}};
inline constexpr std::array<GridColumn, 4> kAngleColumns{{{"", 20}, {"file", 42}, {"type", 38}, {"STC", 30}}};
inline constexpr std::array<GridColumn, 7> kStnColumns{
    {{"Vi", 24}, {"Au", 24}, {"PG", 24}, {"IG", 24}, {"sV", 24}, {"sA", 24}, {"PIP", 26}}};
inline constexpr std::array<GridColumn, 7> kStreamColumns{
    {{"", 26}, {"type", 60}, {"mPID", 40}, {"SPid", 36}, {"sCid", 36}, {"sPID", 40}, {"attrib", 200}}};
inline constexpr std::array<GridColumn, 4> kSubPathColumns{
    {{"", 26}, {"type", 70}, {"repeat", 44}, {"item", 32}}};
inline constexpr std::array<GridColumn, 11> kSubPlayItemColumns{
    {{"", 26}, {"file", 42}, {"type", 38}, {"conn", 32}, {"multi", 36}, {"STC", 30}, {"IN time", 80},
     {"OUT time", 80}, {"sync PI", 44}, {"sync PTS", 80}, {"An", 22}}};
inline constexpr std::array<GridColumn, 6> kMarkColumns{
    {{"", 26}, {"type", 70}, {"PI", 30}, {"mark time", 80}, {"entry PID", 56}, {"duration", 70}}};

// The category each column of the STN counts grid shows ("Vi", "Au", "PG",
// "IG", "sV", "sA", "PIP").
StreamCategory stnColumnCategory(std::size_t column);

std::array<std::string, 9> playItemRow(const Playlist& m, std::size_t i);
// Angle rows count from 1.
std::array<std::string, 4> angleRow(const PlayItem& pi, std::size_t i);
std::array<std::string, 7> stnRow(const Stn& stn);
// Stream rows count from 001.
std::array<std::string, 7> streamRow(const Stn& stn, StreamCategory c, std::size_t row);
std::array<std::string, 4> subPathRow(const SubPath& sp, std::size_t i);
std::array<std::string, 11> subPlayItemRow(const SubPlayItem& spi, std::size_t i);
std::array<std::string, 4> multiClipRow(const SubPlayItem& spi, std::size_t i);
std::array<std::string, 6> markRow(const PlayListMarkSection& plm, std::size_t i);

// The "attrib" cell of a stream of a category.
std::string streamAttributesText(const StreamRecord& s, StreamCategory c);

// Texts of codes the tables have no text for: the number itself.
std::string subPathTypeCell(std::uint8_t type);
std::string markTypeCell(std::uint8_t type);
std::string entryTypeCell(std::uint8_t type);

}  // namespace mirdal
