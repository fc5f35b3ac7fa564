// Interactive compositions of real discs (shared samples, skipped when the
// folder is absent): wrapped as .mnu files, loaded, saved and loaded again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/fields.h"
#include "menu/igs_read.h"
#include "menu/igs_write.h"
#include "mnu_builder.h"
#include "support/shared_samples.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

using test::sharedSamples;

struct RealMenu {
  const char* file;
  bool streamModel;
  std::uint8_t model;
};

TEST(RealMenus, LoadSaveReload) {
  const fs::path root = sharedSamples();
  if (root.empty()) GTEST_SKIP() << "no shared samples folder";
  const RealMenu menus[] = {
      {"commercial-metadata/disc24/ics_menu.bin", true, 3},
      {"commercial-metadata/ics/disc10_ics_menu.bin", true, 2},  // always-on: user interface bit clear
  };
  for (const RealMenu& r : menus) {
    Bytes body;
    if (!readFileBytes((root / r.file).string(), body)) GTEST_SKIP() << "missing " << r.file;
    test::ReportScope rs;
    test::ByteBuilder mnu;
    test::addSegment(mnu, 0x18, body, 5400000, 5390000);
    test::addSegment(mnu, 0x80, {}, 5400000);
    IgMenu m;
    ASSERT_EQ(parseMnu(mnu.data(), m, mirdal::test::testReporter()).status, ReadStatus::Ok) << r.file << rs.rep.text();
    EXPECT_EQ(m.ics.streamModel(), r.streamModel) << r.file;
    EXPECT_EQ(m.ics.model, r.model) << r.file;
    EXPECT_EQ(m.ics.videoWidth, 1920);
    ASSERT_EQ(m.ics.pages.size(), 5u) << r.file;
    std::size_t commands = 0;
    for (const IgPage& p : m.ics.pages)
      for (const Bog& g : p.bogs)
        for (const IgButton& b : g.buttons) {
          commands += b.commands.size();
          EXPECT_EQ(findButton(m, &p - m.ics.pages.data(), b.buttonId), &b);
        }
    EXPECT_GT(commands, 100u) << r.file;

    // The page bytes come back unchanged: the header is 17 bytes, 27 with
    // the two time-outs.
    const std::size_t header = r.streamModel ? 17 : 27;
    Bytes pages;
    ASSERT_TRUE(serializePages(m.ics, pages, mirdal::test::testReporter()));
    EXPECT_EQ(pages, Bytes(body.begin() + std::ptrdiff_t(header), body.end())) << r.file;

    Bytes saved;
    ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Mnu, saved, mirdal::test::testReporter()));
    IgMenu back;
    ASSERT_EQ(parseMnu(saved, back, mirdal::test::testReporter()).status, ReadStatus::Ok) << r.file;
    EXPECT_EQ(back.ics, m.ics) << r.file;
    EXPECT_EQ(back.inTime, 5400000u);
    // The first segment's body equals the original body with its sequence
    // flags and data length as written.
    const Bytes savedBody(saved.begin() + 13, saved.begin() + 13 + std::ptrdiff_t(body.size()));
    EXPECT_EQ(savedBody, body) << r.file;
  }
}

}  // namespace
}  // namespace mirdal
