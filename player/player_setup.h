// What a disc run starts from, chosen before it starts: the title (First
// Playback, Top Menu or a title), register values after the reset (the
// "GPR6=5, PSR10=0x400" list of run --set) and .mnu files standing in for
// the menus of clips. The command line and the player panel build it alike.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/bdmv/index_bdmv.h"
#include "nav/register_settings.h"

namespace mirdal {

class FolderDisc;

struct PlayerSetup {
  std::optional<unsigned> title;  // none: First Playback; 0: Top Menu
  std::vector<RegisterSetting> registers;
  std::map<std::string, std::string> menus;  // clip name -> .mnu path
};

// A clip's name as playlists give it: five digits ("00001").
bool isClipName(std::string_view s);

// Adds the settings of text to setup; false with the reason (the column of
// the fault) when the text is no register list, setup unchanged.
bool addRegisterSettings(PlayerSetup& setup, std::string_view text, std::string& why);

// The menu of clip comes from the .mnu at path; false with the reason when
// the clip name is not five digits or the file is not there.
bool attachMenu(PlayerSetup& setup, const std::string& clip, const std::string& path, std::string& why);

struct StartChoice {
  std::string text;               // "First Playback", "Top Menu", "Title 3", "Title 4 (BD-J)"
  std::optional<unsigned> title;  // as PlayerSetup::title
};
// The places a run can start from on this disc, in that order.
std::vector<StartChoice> startChoices(const IndexFile& index);

// The setup's .mnu files attached to the disc's clips.
void attachSetupMenus(FolderDisc& disc, const PlayerSetup& setup);

}  // namespace mirdal
