// The parts of each document that a change notice names. Each document kind
// has its own list, so a view names the part of the document it edits; the
// notice carries the part's name, which is also what tests and logs see.
#pragma once

#include <concepts>
#include <string_view>
#include <type_traits>

namespace mirdal {

enum class IndexPart { Titles, Content, Entries, ExtensionData };
enum class MovieObjectPart { Objects, Commands, ExtensionData };
enum class PlaylistPart { AppInfo, PlayItems, Streams, SubPaths, SubPlayItems, Marks, ExtensionData };
enum class ClipPart { ClipInfo, AtcDelta, Streams, ExtensionData };
enum class SoundPart { Entries, ExtensionData };
// Page: one page's own fields; Pages: the list of pages.
enum class MenuPart { Composition, Pages, Page, Palettes, Objects, Bogs, Buttons, Commands, Effects };

constexpr std::string_view partName(IndexPart p) {
  constexpr std::string_view names[] = {"titles", "content", "entries", "extension_data"};
  return names[int(p)];
}
constexpr std::string_view partName(MovieObjectPart p) {
  constexpr std::string_view names[] = {"objects", "commands", "extension_data"};
  return names[int(p)];
}
constexpr std::string_view partName(PlaylistPart p) {
  constexpr std::string_view names[] = {"app_info", "playitems",    "streams",       "subpaths",
                                        "subplayitems", "marks", "extension_data"};
  return names[int(p)];
}
constexpr std::string_view partName(ClipPart p) {
  constexpr std::string_view names[] = {"clip_info", "atc_delta", "streams", "extension_data"};
  return names[int(p)];
}
constexpr std::string_view partName(SoundPart p) {
  constexpr std::string_view names[] = {"entries", "extension_data"};
  return names[int(p)];
}
constexpr std::string_view partName(MenuPart p) {
  constexpr std::string_view names[] = {"composition", "pages", "page",    "palettes", "objects",
                                        "bogs",        "buttons", "commands", "effects"};
  return names[int(p)];
}

template <class P>
concept DocumentPart = std::is_enum_v<P> && requires(P p) {
  { partName(p) } -> std::same_as<std::string_view>;
};

}  // namespace mirdal
