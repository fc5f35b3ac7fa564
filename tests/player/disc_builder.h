// Small discs built in code for the player tests: objects as program text,
// playlists from PlayItem durations in seconds, marks, masks and stills.
#pragma once

#include <string>
#include <vector>

#include "player/disc_source.h"

namespace mirdal::test {

struct ObjectSpec {
  std::string program;  // command lines, one a line
  bool resume = false;
  bool menuCallMask = false;
  bool titleSearchMask = false;
};

struct ItemSpec {
  double seconds = 1;
  std::uint32_t uoMask = 0;
  std::uint8_t stillMode = 0;
  std::uint16_t stillTime = 0;
  bool ig = false;  // an IG stream in the STN table (PID 0x1400 of the item's clip)
  std::string clip = "00001";
};

struct MarkSpec {
  std::uint16_t item = 0;
  double seconds = 0;  // from the PlayItem's start
  std::uint8_t type = 1;
};

struct PlaylistSpec {
  std::vector<ItemSpec> items;
  std::vector<MarkSpec> marks;
  std::uint32_t uoMask = 0;
};

struct TitleSpec {
  std::uint16_t object = 0;
  std::uint8_t accessType = 0;
  bool bdj = false;
};

// First Playback and Top Menu name objects (kNoObject: none).
ModelDisc buildDisc(std::uint16_t firstPlayback, std::uint16_t topMenu, const std::vector<TitleSpec>& titles,
                    const std::vector<ObjectSpec>& objects, const std::vector<std::pair<unsigned, PlaylistSpec>>& playlists);

// A one-page menu; button i runs programs[i]. Pop-up when popUp.
IgMenu buildMenu(const std::vector<std::string>& programs, bool popUp);

CommandList program(const std::string& text);

}  // namespace mirdal::test
