// The sample menu: two pages, several button overlap groups, buttons with
// commands and sounds, animated selected states, in and out effects and
// several palettes, composed in the menu model and saved as a .mnu file.
#pragma once

#include <filesystem>

#include "menu/igs_model.h"

namespace mirdal::sample {

IgMenu sampleMenu();

// Writes sampleMenu() to path; returns false when it cannot be written.
bool writeSampleMenu(const std::filesystem::path& path);

}  // namespace mirdal::sample
