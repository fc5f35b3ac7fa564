#include "formats/playlist/playlist_time.h"

#include <cstdio>

namespace mirdal {

std::string playlistTimeText(std::uint32_t ticks) {
  const std::uint32_t ms = ticks / 45;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02u:%02u:%02u.%03u", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
  return buf;
}

std::optional<std::uint32_t> parsePlaylistTime(std::string_view t) {
  if (t.size() != 12 || t[2] != ':' || t[5] != ':' || t[8] != '.') return std::nullopt;
  auto num = [&](std::size_t at, std::size_t n) -> std::optional<std::uint64_t> {
    std::uint64_t v = 0;
    for (std::size_t i = at; i < at + n; ++i) {
      if (t[i] < '0' || t[i] > '9') return std::nullopt;
      v = v * 10 + std::uint64_t(t[i] - '0');
    }
    return v;
  };
  const auto h = num(0, 2), m = num(3, 2), s = num(6, 2), ms = num(9, 3);
  if (!h || !m || !s || !ms) return std::nullopt;
  // "00:61:01.000" is no time of the clock, not 01:01:01.
  if (*m >= 60 || *s >= 60) return std::nullopt;
  // 90 kHz halved to 45 kHz.
  const std::uint64_t ticks = (*h * 324000000 + *m * 5400000 + *s * 90000 + *ms * 90) / 2;
  if (ticks > 0xFFFFFFFFu) return std::nullopt;
  return std::uint32_t(ticks);
}

}  // namespace mirdal
