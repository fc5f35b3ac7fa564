// Temporary files of the program: named "Mirdal_" + something in the user's
// temporary folder, and removed when the program ends.
#pragma once

#include <string>

namespace mirdal {

inline constexpr const char* kTempPrefix = "Mirdal_";
inline constexpr const char* kMenuResourceTemp = "Mirdal_menu_resource.tmp";
inline constexpr const char* kMenuTemp = "Mirdal_MENU.tmp";

// The user's temporary folder, with a trailing separator.
std::string tempFolder();
std::string tempFilePath(const std::string& name);

// Deletes every file (never a folder) in `folder` whose name starts with
// "Mirdal_"; a file that cannot be deleted stays. Returns how many went.
int deleteTempFiles(const std::string& folder);

}  // namespace mirdal
