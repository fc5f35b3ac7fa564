// What the "&BDMV" page shows, as texts computed from the models: the rows
// of the titles and movie-object grids, their column headers and widths,
// the editors' item lists, the two counters and one command line.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "core/display_text.h"
#include "formats/bdmv/bdmv_values.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "nav/command.h"

namespace mirdal {

inline constexpr std::array<GridColumn, 5> kTitleColumns{
    {{"No.", 22}, {"object t.", 46}, {"title search", 62}, {"playback t.", 75}, {"OID/file", 73}}};
inline constexpr std::array<GridColumn, 5> kObjectColumns{
    {{"No.", 22}, {"resume", 59}, {"menu call", 57}, {"title search", 64}, {"commands", 79}}};

// Item lists of the editors.
inline constexpr std::array<const char*, 2> kObjectTypeItems{"HDMV", "BD-J"};
inline constexpr std::array<const char*, 3> kAccessTypeItems{"Permitted", "Prohibited1", "Prohibited2"};
inline constexpr std::array<const char*, 2> kPlaybackTypeItems{"Movie", "Interactive"};
inline constexpr std::array<const char*, 2> kResumeItems{"discard", "suspend"};
inline constexpr std::array<const char*, 2> kMaskItems{"enable", "disable"};  // menu call, title search

// The value each item of those lists stands for, item by item.
inline constexpr std::array<ObjectType, 2> kObjectTypeValues{ObjectType::HDMV, ObjectType::BDJ};
inline constexpr std::array<AccessType, 3> kAccessTypeValues{AccessType::Permitted, AccessType::Prohibited1,
                                                             AccessType::Prohibited2};
inline constexpr std::array<TitlePlaybackType, 2> kPlaybackTypeValues{TitlePlaybackType::Movie, TitlePlaybackType::Interactive};
inline constexpr std::array<ResumeIntention, 2> kResumeValues{ResumeIntention::Discard, ResumeIntention::Suspend};
inline constexpr std::array<Mask, 2> kMaskValues{Mask::Enable, Mask::Disable};

// The value of item `item` of a list, or nullopt for no item or one past
// the list.
template <typename T, std::size_t N>
std::optional<T> valueOfItem(const std::array<T, N>& values, int item) {
  if (item < 0 || std::size_t(item) >= N) return std::nullopt;
  return values[std::size_t(item)];
}

// Access type 0 and 1 show as "Permitted", 2 "Prohibited1", 3 "Prohibited2".
int accessTypeItem(std::uint8_t accessType);
// Object type 1 shows as "HDMV" (item 0); any other as "BD-J" (item 1).
int objectTypeItem(std::uint8_t objectType);

// One row of the titles grid: "No." with 3 digits, object type, access type
// and playback type captions (a playback type other than 0 and 1 shows
// empty), and the movie object reference in decimal ("??" once its object
// was deleted, 0xFFFF) or the BD-J object name.
std::array<std::string, 5> titleRow(const IndexFile& idx, std::size_t title);

// One row of the movie objects grid: "No." with 3 digits, the three flag
// captions and the command count.
std::array<std::string, 5> objectRow(const MovieObjectFile& m, std::size_t object);

// The counters beside the grids: "12 titles", "12 + 2 titles" (First
// Playback and Top Menu count when their reference is not 0xFFFF),
// "25 objects".
std::string titleCounter(const IndexFile& idx);
std::string objectCounter(const MovieObjectFile& m);

// Both counters, refreshed after every load and every edit that changes a
// count or a First Playback / Top Menu reference.
struct BdmvLabelTexts {
  std::string titles;   // lTitlenum
  std::string objects;  // lObjects
};
BdmvLabelTexts bdmvLabels(const IndexFile& idx, const MovieObjectFile& m);

// A command as its three words in 8 hexadecimal digits, the command text of
// the command grids until the navigation text renderer takes over.
std::string commandWords(const NavCommand& c);

}  // namespace mirdal
