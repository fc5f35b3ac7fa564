#include "core/time_text.h"

#include <cstdio>

namespace mirdal {

std::string clockText(std::uint64_t seconds) {
  const std::uint64_t s = seconds % (24 * 3600);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%u:%02u:%02u", unsigned(s / 3600), unsigned(s / 60 % 60),
                unsigned(s % 60));
  return buf;
}

}  // namespace mirdal
