// The menu of a stream file: the sample menu written as PES packets, packed
// into source packets of PID 0x1400 next to other PIDs, extracted and
// loaded again.
#include "stream/ig_extract.h"

#include <gtest/gtest.h>

#include "core/temp_files.h"
#include "menu/igs_write.h"
#include "menu/rle.h"
#include "samples/sample_menu.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "support/ts_packer.h"

namespace mirdal {
namespace {

TEST(IgExtract, StreamMenuIsTheMnuFile) {
  test::ReportScope rs;
  test::TempDir d;
  IgMenu menu = sample::sampleMenu();
  Bytes pes, mnu;
  ASSERT_TRUE(composeMenuSegments(menu, SegmentFraming::Pes, pes, mirdal::test::testReporter()));
  ASSERT_TRUE(composeMenuSegments(menu, SegmentFraming::Mnu, mnu, mirdal::test::testReporter()));
  test::TsPacker ts(0x1400);
  ts.pesStream(pes);
  const std::string m2ts = d.write("00000.m2ts", ts.bytes()).string();

  // A cancel of an earlier extraction does not stop the next one.
  {
    CancelToken earlier;
    earlier.request();
    EXPECT_TRUE(extractIgStream(m2ts, 0x1400, (d.path() / "first.mnu").string(), mirdal::test::testReporter(), false, earlier).cancelled);
  }
  const std::string out = (d.path() / "menu.mnu").string();
  const DemuxResult r = extractIgStream(m2ts, 0x1400, out, mirdal::test::testReporter());
  EXPECT_FALSE(r.cancelled);
  EXPECT_EQ(d.read("menu.mnu"), mnu);

  IgMenu loaded;
  EXPECT_EQ(loadMenuFromStream(m2ts, 0x1400, loaded, mirdal::test::testReporter()).status, ReadStatus::Ok);
  EXPECT_EQ(loaded.ics, menu.ics);
  ASSERT_EQ(loaded.objects.size(), menu.objects.size());
  for (std::size_t i = 0; i < loaded.objects.size(); ++i) {
    decodeObject(loaded, i, mirdal::test::testReporter());
    EXPECT_EQ(loaded.objects[i].image, menu.objects[i].image) << i;
  }
  for (std::size_t p = 0; p < menu.palettes.size(); ++p)
    for (std::size_t e = 0; e < 255; ++e) EXPECT_EQ(loaded.palettes[p].ycrcb[e], menu.palettes[p].ycrcb[e]);

  // A PID the stream does not have: an empty file, read as an empty menu.
  IgMenu none;
  EXPECT_EQ(loadMenuFromStream(m2ts, 0x1401, none, mirdal::test::testReporter()).status, ReadStatus::Truncated);
  EXPECT_TRUE(none.ics.pages.empty());
  EXPECT_TRUE(none.objects.empty());
}

}  // namespace
}  // namespace mirdal
