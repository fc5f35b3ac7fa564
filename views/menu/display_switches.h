// The display switches of the menu page and their twins on the options
// page: checking one checks the other, and both show the option's state.
#pragma once

#include <array>

#include "core/options.h"

namespace mirdal::gui {

struct DisplaySwitch {
  const char* menuName;
  const char* menuText;
  const char* optionsName;
  const char* optionsText;
  bool mirdal::Options::*option;
};

inline constexpr std::array<DisplaySwitch, 9> kDisplaySwitches{{
    {"cbButtonId", "Show Button ID", "cbOButtonId", "Button ID (hex)", &mirdal::Options::buttonId},
    {"cbObjectId", "Show Object ID", "cbOObjectId", "Object ID (hex)", &mirdal::Options::objectId},
    {"cbButtonFrame", "Show Button frame", "cbOButtonFrame", "Button frame", &mirdal::Options::buttonFrame},
    {"cbWindowFrame", "Show Window frame", "cbOWindowFrame", "Window frame", &mirdal::Options::windowFrame},
    {"cbInEffect", "Show InEffect() effects", "cbOInEffect", "Show InEffects", &mirdal::Options::showInEffects},
    {"cbOutEffect", "Show OutEffects() effects", "cbOOutEffect", "Show OutEffects",
     &mirdal::Options::showOutEffects},
    {"cbFullScreen", "Show Full Screen", "cbOFullScreen", "Full screen view", &mirdal::Options::showFullScreen},
    {"cbAnimate", "Button animation", "cbOAnimate", "Animate buttons", &mirdal::Options::showButtonAnimation},
    {"cbPlaySound", "Play button sound", "cbOPlaySound", "Play sound", &mirdal::Options::playSound},
}};

}  // namespace mirdal::gui
