#include "player/player_setup.h"

#include <algorithm>
#include <filesystem>

#include "player/disc_source.h"

namespace mirdal {

bool isClipName(std::string_view s) {
  return s.size() == 5 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool addRegisterSettings(PlayerSetup& setup, std::string_view text, std::string& why) {
  const RegisterSettings r = parseRegisterSettings(text);
  if (r.error) {
    why = r.error->message();
    return false;
  }
  setup.registers.insert(setup.registers.end(), r.settings.begin(), r.settings.end());
  return true;
}

bool attachMenu(PlayerSetup& setup, const std::string& clip, const std::string& path, std::string& why) {
  if (!isClipName(clip)) {
    why = "a clip is named by five digits, e.g. 00001: " + clip;
    return false;
  }
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    why = "no such file: " + path;
    return false;
  }
  setup.menus[clip] = path;
  return true;
}

std::vector<StartChoice> startChoices(const IndexFile& index) {
  std::vector<StartChoice> out = {{"First Playback", std::nullopt}, {"Top Menu", 0u}};
  for (const IndexTitle& t : index.indexes.titles)
    out.push_back({"Title " + std::to_string(t.titleNumber) + (t.objectType == 1 ? "" : " (BD-J)"), t.titleNumber});
  return out;
}

void attachSetupMenus(FolderDisc& disc, const PlayerSetup& setup) {
  for (const auto& [clip, path] : setup.menus) disc.attachMenu(clip, path);
}

}  // namespace mirdal
