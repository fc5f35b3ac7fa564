#include "menu/menu_text.h"

#include <cstdio>

namespace mirdal {

std::string menuFrameRateText(std::uint8_t code) { return code < kMenuFrameRates.size() ? kMenuFrameRates[code] : "-"; }

std::string igTimeText(std::uint64_t ticks) {
  const std::uint64_t ms = ticks / 90;
  char buf[48];
  std::snprintf(buf, sizeof buf, "%llu:%02llu:%02llu.%03llu", (unsigned long long)(ms / 3600000),
                (unsigned long long)(ms / 60000 % 60), (unsigned long long)(ms / 1000 % 60),
                (unsigned long long)(ms % 1000));
  return buf;
}

}  // namespace mirdal
