// A playlist laid out on its own time: the PlayItems one after another, the
// marks where they fall, and what a position on that time means to a player
// (PlayItem, time on the clip, chapter). Times are 45 kHz ticks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/playlist/mpls.h"
#include "nav/registers.h"

namespace mirdal {

inline constexpr std::uint64_t kTicksPerSecond = 45000;
inline constexpr std::uint32_t kNoChapter = 0xFFFF;

struct TimelineMark {
  std::size_t index = 0;     // the mark's number in the playlist
  std::uint64_t at = 0;      // on the playlist's time
  bool entry = true;         // an entry mark (chapter); else a link point
  std::uint32_t chapter = 0; // 1-based for entry marks
};

struct Timeline {
  std::vector<std::uint64_t> itemStart;  // one per PlayItem, then the end
  std::vector<TimelineMark> marks;       // in time order

  std::uint64_t length() const { return itemStart.empty() ? 0 : itemStart.back(); }
  std::size_t items() const { return itemStart.empty() ? 0 : itemStart.size() - 1; }
  // The PlayItem playing at t (the last one at the end).
  std::size_t itemAt(std::uint64_t t) const;
  // Entry marks at or before t; kNoChapter before the first.
  std::uint32_t chapterAt(std::uint64_t t) const;
  // Where chapter c (1-based) starts, or nothing.
  const TimelineMark* chapterMark(std::uint32_t c) const;
  // The first mark after t.
  const TimelineMark* markAfter(std::uint64_t t) const;
};

// Marks naming a PlayItem that is not there, or a time outside their
// PlayItem, are placed at the nearest end of it (or left out).
Timeline makeTimeline(const Playlist& pl);

// The presentation time (PSR 8): the clip's own time at playlist time t.
std::uint32_t clipTimeAt(const Playlist& pl, const Timeline& tl, std::uint64_t t);

// The stream choice a player makes when a PlayItem starts: a primary audio
// (PSR 1), PG (PSR 2) or IG (PSR 0) number that the STN table does not hold
// becomes the stream of the preferred language (PSR 16 audio, PSR 17 PG),
// else stream 1 (0 when there is none).
void chooseStreams(const Stn& stn, Registers& regs);

}  // namespace mirdal
