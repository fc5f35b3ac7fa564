#include "present/clip_rules.h"

#include "stream/ig_extract.h"

namespace mirdal {

bool isMenuPid(std::uint16_t pid) { return (pid & 0xFF00) == kDefaultIgPid; }

bool doubleClickOpensMenu(std::uint16_t pid) { return pid == kDefaultIgPid; }

}  // namespace mirdal
