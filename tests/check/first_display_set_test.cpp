// The menu check reads a clip's IG stream only up to the end of its first
// display set: the bytes are those of a full export, cut after the first END
// segment, and the packets after it are never read.
#include <gtest/gtest.h>

#include "check/first_display_set.h"
#include "menu/igs_write.h"
#include "stream/ig_extract.h"
#include "tests/support/clean_disc.h"
#include "tests/support/temp_dir.h"
#include "tests/support/ts_builder.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

std::uint32_t be32(const Bytes& b, std::size_t at) {
  return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 | std::uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// The .mnu segments as PES packets on PID 1400; `withEnd` false leaves out
// the END segments.
void addMenu(test::TsBuilder& ts, const Bytes& mnu, bool withEnd) {
  for (std::size_t at = 0; at + 13 <= mnu.size();) {
    const std::size_t length = 3 + ((std::size_t(mnu[at + 11]) << 8) | mnu[at + 12]);
    const Bytes segment(mnu.begin() + long(at + 10), mnu.begin() + long(at + 10 + length));
    const std::uint32_t dts = be32(mnu, at + 6);
    if (withEnd || mnu[at + 10] != 0x80) ts.pes(0x1400, 0xBD, segment, be32(mnu, at + 2), dts ? (long long)dts : -1);
    at += 10 + length;
  }
}

TEST(FirstDisplaySet, StopsAfterTheFirstEndSegment) {
  Bytes mnu;
  test::CleanDisc disc;
  composeMenuSegments(disc.menu, SegmentFraming::Mnu, mnu, mirdal::test::testReporter());
  const struct {
    const char* what;
    int displaySets;
    bool withEnd;
    bool stopsEarly;
  } cases[] = {
      {"two display sets and video after them", 2, true, true},
      {"one display set, then video", 1, true, true},
      {"no END segment: the whole stream", 2, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::TsBuilder ts;
    for (int i = 0; i < c.displaySets; ++i) addMenu(ts, mnu, c.withEnd);
    const std::uint8_t video[184] = {};
    for (int i = 0; i < 500; ++i) ts.packet(0x1011, false, video, sizeof video);
    test::TempDir dir;
    const std::string stream = dir.write("00001.m2ts", ts.data()).string();

    Bytes full, first;
    const DemuxResult all = extractIgStream(stream, 0x1400, full, false, mirdal::test::testReporter());
    const DemuxResult r = extractFirstDisplaySet(stream, 0x1400, first, mirdal::test::testReporter());
    ASSERT_FALSE(r.failed);
    EXPECT_EQ(all.packets, ts.data().size() / 192);
    if (c.stopsEarly) {
      EXPECT_LT(r.packets, all.packets - 400);
      EXPECT_EQ(first, mnu);  // exactly one display set, as saved
    } else {
      EXPECT_EQ(r.packets, all.packets);
      EXPECT_EQ(first, full);
    }
  }
}

}  // namespace
}  // namespace mirdal
