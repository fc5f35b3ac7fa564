// Damaged menus: cut-off files and the inputs the fuzzers found faults
// with load, save and decode without fault.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/fields.h"
#include "menu/igs_read.h"
#include "menu/igs_write.h"
#include "menu/object_png.h"
#include "menu/rle.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

const std::string kSample = std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/menu/sample.mnu";

// Loads, and when the load went well, saves, reloads and compares.
void exercise(const Bytes& b) {
  IgMenu m;
  if (parseMnu(b, m, mirdal::test::testReporter()).status != ReadStatus::Ok) return;
  Bytes out;
  if (!composeMenuSegments(m, SegmentFraming::Mnu, out, mirdal::test::testReporter())) return;
  IgMenu back;
  ASSERT_EQ(parseMnu(out, back, mirdal::test::testReporter()).status, ReadStatus::Ok);
  EXPECT_EQ(back.ics.pages, m.ics.pages);
  for (std::size_t i = 0; i < back.objects.size(); ++i) {
    decodeObject(back, i, mirdal::test::testReporter());
    EXPECT_EQ(back.objects[i].image, m.objects[i].image);
  }
}

TEST(MenuRobustness, PrefixesOfTheSampleMenu) {
  test::ReportScope rs;
  Bytes full;
  ASSERT_TRUE(readFileBytes(kSample, full));
  for (std::size_t n = 0; n < full.size(); n += n < 600 ? 1 : 211) {
    IgMenu m;
    const MenuLoad r = parseMnu(Bytes(full.begin(), full.begin() + std::ptrdiff_t(n)), m, mirdal::test::testReporter());
    // A cut inside the composition leaves no pages; a cut inside an object
    // leaves its lines short, never an error beyond the log.
    if (r.status == ReadStatus::Ok) {
      EXPECT_EQ(m.ics.pages.size(), 2u) << n;
    }
    for (std::size_t i = 0; i < m.objects.size(); ++i) ASSERT_TRUE(decodeObject(m, i, mirdal::test::testReporter()));
  }
}

// Files in tests/data/fuzz named after the target that found them:
// "menu-*" segment streams, "rle-*" (4 bytes of size, then code), "png-*".
TEST(MenuRobustness, FuzzerFindings) {
  test::ReportScope rs;
  const std::filesystem::path dir = std::filesystem::path(MIRDAL_SOURCE_DIR) / "tests/data/fuzz";
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    Bytes b;
    ASSERT_TRUE(readFileBytes(e.path().string(), b));
    SCOPED_TRACE(name);
    if (name.rfind("menu-", 0) == 0) {
      exercise(b);
    } else if (name.rfind("rle-", 0) == 0 && b.size() >= 4) {
      const IndexImage img = rleDecodeBytes(b.data() + 4, b.size() - 4, std::uint16_t(b[0] << 8 | b[1]),
                                            std::uint16_t(1 + (b[2] << 8 | b[3]) % 64));
      const Bytes code = rleEncodeImage(img);
      EXPECT_EQ(rleDecodeBytes(code.data(), code.size(), img.width, img.height), img);
    } else if (name.rfind("png-", 0) == 0) {
      IgMenu m = newMenu();
      importObjectPng(m, b, {}, mirdal::test::testReporter());
    }
  }
}

}  // namespace
}  // namespace mirdal
