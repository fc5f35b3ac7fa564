#include <gtest/gtest.h>

#include "core/options.h"
#include "player/timeline.h"

namespace mirdal::test {

namespace {

Playlist twoItems() {
  Playlist pl;
  for (std::uint32_t len : {90000u, 135000u}) {
    PlayItem pi;
    pi.inTime = 1000;
    pi.outTime = 1000 + len;
    pl.playlist.items.push_back(pi);
  }
  // Out of time order, one beyond the PlayItems, one before its IN time.
  for (auto [type, item, time] : {std::tuple{1, 1, 1000u}, {2, 0, 46000u}, {1, 0, 0u}, {1, 5, 1000u}}) {
    Mark m;
    m.type = std::uint8_t(type);
    m.playItemRef = std::uint16_t(item);
    m.time = time;
    pl.marks.marks.push_back(m);
  }
  return pl;
}

TEST(Timeline, LaysOutItemsAndMarks) {
  const Playlist pl = twoItems();
  const Timeline tl = makeTimeline(pl);
  EXPECT_EQ(tl.length(), 225000u);
  ASSERT_EQ(tl.marks.size(), 3u);  // the mark naming PlayItem 5 is left out
  EXPECT_EQ(tl.marks[0].index, 2u);
  EXPECT_EQ(tl.marks[0].at, 0u);  // clamped to the IN time
  EXPECT_EQ(tl.marks[1].index, 1u);
  EXPECT_FALSE(tl.marks[1].entry);
  EXPECT_EQ(tl.marks[2].at, 90000u);
  const struct { std::uint64_t t; std::size_t item; std::uint32_t chapter; std::uint32_t clip; } rows[] = {
      {0, 0, 1, 1000}, {89999, 0, 1, 90999}, {90000, 1, 2, 1000}, {225000, 1, 2, 136000}, {999999, 1, 2, 136000}};
  for (const auto& r : rows) {
    EXPECT_EQ(tl.itemAt(r.t), r.item) << r.t;
    EXPECT_EQ(tl.chapterAt(r.t), r.chapter) << r.t;
    EXPECT_EQ(clipTimeAt(pl, tl, r.t), r.clip) << r.t;
  }
  Playlist empty;
  EXPECT_EQ(makeTimeline(empty).length(), 0u);
  EXPECT_EQ(makeTimeline(empty).chapterAt(0), kNoChapter);
}

TEST(Timeline, ChoosesStreamsAPlayerWouldTake) {
  Stn stn;
  for (const char* lang : {"eng", "fra"}) {
    StreamRecord s;
    s.attributes.language = lang;
    stn.primaryAudio.push_back(s);
    stn.pg.push_back(s);
  }
  const std::uint32_t fra = ('f' << 16) | ('r' << 8) | 'a';
  const struct { std::uint32_t psr1, psr16, want1; } rows[] = {
      {2, fra, 2},        // valid: kept
      {0, fra, 2},        // invalid: by language
      {9, 0xFFFFFF, 1},   // no such language: stream 1
  };
  for (const auto& r : rows) {
    Registers regs;
    regs.psr[1] = r.psr1;
    regs.psr[16] = r.psr16;
    regs.psr[17] = fra;
    chooseStreams(stn, regs);
    EXPECT_EQ(regs.psr[1], r.want1);
    EXPECT_EQ(regs.psr[2] & 0xFFF, 2u);  // PG 0 is invalid: by language
    EXPECT_EQ(regs.psr[0], 0u);          // no IG streams: untouched
  }
}

}  // namespace

}  // namespace mirdal::test
