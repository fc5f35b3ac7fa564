// What a double click on a command line follows: a line of the same
// program, a title, a playlist or a menu page and button. The view carries
// the action out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "nav/command.h"

namespace mirdal {

struct FollowAction {
  enum class Kind {
    None,
    SelectLine,      // select the row of `line` in the same grid
    ShowTitle,       // show the BDMV page; select `title` when it is 1-999, else just the page
    SelectPlaylist,  // select and read `playlist`; with playItemRow >= 1 also that PlayItems row
    SetButtonPage,   // menu page only: select `page` and/or button `button`
  };
  Kind kind = Kind::None;
  std::size_t line = 0;
  std::uint32_t title = 0;
  std::string playlist;  // the playlist name, "00016"
  std::int64_t playItemRow = 0;  // 0: no PlayItem to select
  bool selectPage = false;
  std::uint32_t page = 0;
  bool selectButton = false;
  std::uint32_t button = 0;
};

FollowAction followCommand(const CommandList& program, std::size_t line);

// Playlist names: the number with leading zeros to 5 digits.
std::string playlistName(std::uint32_t number);

}  // namespace mirdal
