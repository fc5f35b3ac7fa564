// The rules of the clip page's program grid: which PIDs a menu can be
// taken from and which one a double click opens as a menu.
#pragma once

#include <cstdint>

namespace mirdal {

// The IG streams (0x1400-0x14FF) a menu can be taken from.
bool isMenuPid(std::uint16_t pid);
// A double click opens the first IG stream as a menu and plays any other.
bool doubleClickOpensMenu(std::uint16_t pid);

}  // namespace mirdal
