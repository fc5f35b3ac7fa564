#include "player/timeline.h"

#include <algorithm>

namespace mirdal {

std::size_t Timeline::itemAt(std::uint64_t t) const {
  if (items() == 0) return 0;
  const auto it = std::upper_bound(itemStart.begin(), itemStart.end() - 1, t);
  return std::min<std::size_t>(items() - 1, std::size_t(it - itemStart.begin()) - 1);
}

std::uint32_t Timeline::chapterAt(std::uint64_t t) const {
  std::uint32_t c = kNoChapter;
  for (const TimelineMark& m : marks) {
    if (m.at > t) break;
    if (m.entry) c = m.chapter;
  }
  return c;
}

const TimelineMark* Timeline::chapterMark(std::uint32_t c) const {
  for (const TimelineMark& m : marks)
    if (m.entry && m.chapter == c) return &m;
  return nullptr;
}

const TimelineMark* Timeline::markAfter(std::uint64_t t) const {
  for (const TimelineMark& m : marks)
    if (m.at > t) return &m;
  return nullptr;
}

Timeline makeTimeline(const Playlist& pl) {
  Timeline tl;
  std::uint64_t t = 0;
  for (const PlayItem& pi : pl.playlist.items) {
    tl.itemStart.push_back(t);
    if (pi.outTime > pi.inTime) t += pi.outTime - pi.inTime;
  }
  tl.itemStart.push_back(t);
  for (std::size_t i = 0; i < pl.marks.marks.size(); ++i) {
    const Mark& m = pl.marks.marks[i];
    if (m.playItemRef >= pl.playlist.items.size()) continue;
    const PlayItem& pi = pl.playlist.items[m.playItemRef];
    const std::uint32_t time = std::clamp(m.time, pi.inTime, std::max(pi.inTime, pi.outTime));
    tl.marks.push_back({i, tl.itemStart[m.playItemRef] + (time - pi.inTime), m.type == 1, 0});
  }
  std::stable_sort(tl.marks.begin(), tl.marks.end(),
                   [](const TimelineMark& a, const TimelineMark& b) { return a.at < b.at; });
  std::uint32_t chapter = 0;
  for (TimelineMark& m : tl.marks)
    if (m.entry) m.chapter = ++chapter;
  return tl;
}

std::uint32_t clipTimeAt(const Playlist& pl, const Timeline& tl, std::uint64_t t) {
  if (tl.items() == 0) return 0;
  const std::size_t i = tl.itemAt(t);
  const PlayItem& pi = pl.playlist.items[i];
  return pi.inTime + std::uint32_t(std::min<std::uint64_t>(t, tl.itemStart[i + 1]) - tl.itemStart[i]);
}

namespace {

std::uint32_t byLanguage(const StreamRecord* first, std::size_t count, std::uint32_t language) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& l = first[i].attributes.language;
    if (l.size() == 3 && ((std::uint32_t(std::uint8_t(l[0])) << 16) | (std::uint32_t(std::uint8_t(l[1])) << 8) |
                          std::uint8_t(l[2])) == language)
      return std::uint32_t(i + 1);
  }
  return count == 0 ? 0 : 1;
}

}  // namespace

void chooseStreams(const Stn& stn, Registers& regs) {
  auto& p = regs.psr;
  if (p[1] == 0 || p[1] > stn.primaryAudio.size())
    p[1] = byLanguage(stn.primaryAudio.data(), stn.primaryAudio.size(), p[16]);
  const std::uint32_t pg = p[2] & 0xFFF;
  if (pg == 0 || pg > pgStreamCount(stn)) p[2] = (p[2] & ~0xFFFu) | byLanguage(stn.pg.data(), pgStreamCount(stn), p[17]);
  if (p[0] == 0 || p[0] > stn.ig.size()) p[0] = stn.ig.empty() ? p[0] : 1;
}

}  // namespace mirdal
