#include "core/tick_text.h"

#include <cstdio>

namespace mirdal {

std::string tickTimeText(std::uint64_t ticks, std::uint32_t ticksPerSecond) {
  const std::uint64_t perMs = ticksPerSecond / 1000 ? ticksPerSecond / 1000 : 1;
  const std::uint64_t ms = ticks / perMs % (24ull * 3600 * 1000);
  const std::uint64_t s = ms / 1000;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%u:%02u:%02u.%03u", unsigned(s / 3600), unsigned(s / 60 % 60),
                unsigned(s % 60), unsigned(ms % 1000));
  return buf;
}

}  // namespace mirdal
