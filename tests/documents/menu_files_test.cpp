// The menu document's files: which files open as menus, loading from a
// menu or a stream file, what a failed load leaves, and a save that loads
// back to the same menu.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/fields.h"
#include "documents/menu_files.h"
#include "menu/igs_read.h"
#include "menu/object_preview.h"
#include "stream/menu_mux.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

const std::string kSample = std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/menu/sample.mnu";

bool haveSample() { return std::filesystem::is_regular_file(kSample); }

// Everything a menu shows: composition and pages, palettes, every object's
// size and pixels.
void expectSameMenu(const IgMenu& a, const IgMenu& b) {
  EXPECT_EQ(a.ics.pages, b.ics.pages);
  EXPECT_EQ(a.ics.videoWidth, b.ics.videoWidth);
  EXPECT_EQ(a.ics.userTimeout, b.ics.userTimeout);
  EXPECT_EQ(a.inTime, b.inTime);
  EXPECT_EQ(a.palettes, b.palettes);
  ASSERT_EQ(a.objects.size(), b.objects.size());
  for (std::size_t i = 0; i < a.objects.size(); ++i) EXPECT_EQ(objectImage(a, i), objectImage(b, i)) << "object " << i;
}

TEST(MenuFiles, KindByExtension) {
  const std::pair<const char*, MenuFileKind> cases[] = {
      {"/a/menu.mnu", MenuFileKind::Menu},    {"/a/MENU.MNU", MenuFileKind::Menu},
      {"/a/00001.m2ts", MenuFileKind::Stream}, {"/a/00001.MTS", MenuFileKind::Stream},
      {"/a/index.bdmv", MenuFileKind::Other},  {"/a/mnu", MenuFileKind::Other},
  };
  for (const auto& [path, kind] : cases) EXPECT_EQ(menuFileKind(path), kind) << path;
}

TEST(MenuFiles, LoadSaveLoadGivesTheSameMenu) {
  if (!haveSample()) GTEST_SKIP() << "no sample menu";
  test::RecordingReporter rec;
  mirdal::test::ScopedTestReporter scope(rec);
  test::TempDir dir;
  Workspace ws;
  ASSERT_TRUE(loadMenuFile(ws, kSample, mirdal::test::testReporter()));
  EXPECT_TRUE(ws.menu.loaded());
  EXPECT_FALSE(ws.menu.modified());
  EXPECT_EQ(ws.menu.fileName(), "sample.mnu");
  EXPECT_NE(rec.text().find("ICS, "), std::string::npos) << rec.text();

  ws.menu.edit(ChangeNotice::everything(), [](IgMenu& m) { m.ics.pages[0].paletteId = 1; });
  ASSERT_TRUE(ws.menu.modified());
  const std::string out = dir.folder() + "copy.mnu";
  ASSERT_TRUE(saveMenuFile(ws, out, mirdal::test::testReporter()));
  EXPECT_FALSE(ws.menu.modified());

  IgMenu back;
  ASSERT_EQ(readMnuFile(out, back, mirdal::test::testReporter()).status, ReadStatus::Ok);
  expectSameMenu(ws.menu.model(), back);
}

TEST(MenuFiles, AFailedLoadKeepsTheMenuShown) {
  if (!haveSample()) GTEST_SKIP() << "no sample menu";
  test::RecordingReporter rec;
  mirdal::test::ScopedTestReporter scope(rec);
  test::TempDir dir;
  dir.write("index.bdmv", "INDX0200");
  Workspace ws;
  ASSERT_TRUE(loadMenuFile(ws, kSample, mirdal::test::testReporter()));
  const std::size_t pages = ws.menu.model().ics.pages.size();
  for (const std::string& path : {dir.folder() + "missing.mnu", dir.folder() + "index.bdmv",
                                  dir.folder() + "missing.m2ts"}) {
    EXPECT_FALSE(loadMenuFile(ws, path, mirdal::test::testReporter())) << path;
    EXPECT_TRUE(ws.menu.loaded()) << path;
    EXPECT_EQ(ws.menu.fileName(), "sample.mnu") << path;
    EXPECT_EQ(ws.menu.model().ics.pages.size(), pages) << path;
  }
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
}

TEST(MenuFiles, StreamFileOpensItsIgStream) {
  if (!haveSample()) GTEST_SKIP() << "no sample menu";
  test::RecordingReporter rec;
  mirdal::test::ScopedTestReporter scope(rec);
  test::TempDir dir;
  IgMenu m;
  ASSERT_EQ(readMnuFile(kSample, m, mirdal::test::testReporter()).status, ReadStatus::Ok);
  Bytes ts;
  ASSERT_TRUE(muxMenu(m, ts, mirdal::test::testReporter()));
  dir.write("STREAM/00007.m2ts", ts);
  // 32 null packets: a stream, but without an IG stream.
  Bytes nulls;
  for (int k = 0; k < 32; ++k) {
    const Bytes packet = {0, 0, 0, 0, 0x47, 0x1F, 0xFF, 0x10};
    nulls.insert(nulls.end(), packet.begin(), packet.end());
    nulls.insert(nulls.end(), 184, 0xFF);
  }
  dir.write("STREAM/EMPTY.MTS", nulls);
  dir.write("STREAM/ZEROS.MTS", Bytes(192 * 32, 0));

  Workspace ws;
  ASSERT_TRUE(loadMenuFile(ws, dir.folder() + "STREAM/00007.m2ts", mirdal::test::testReporter()));
  EXPECT_EQ(ws.menu.fileName(), "00007.m2ts");
  expectSameMenu(m, ws.menu.model());

  // A file of zeros is no stream: refused, the menu shown before stays.
  EXPECT_FALSE(loadMenuFile(ws, dir.folder() + "STREAM/ZEROS.MTS", mirdal::test::testReporter()));
  EXPECT_NE(rec.text().find("is not a transport stream"), std::string::npos);
  EXPECT_EQ(ws.menu.fileName(), "00007.m2ts");

  // A stream without the menu's PID: an empty menu, no pages to save.
  ASSERT_TRUE(loadMenuFile(ws, dir.folder() + "STREAM/EMPTY.MTS", mirdal::test::testReporter()));
  EXPECT_TRUE(ws.menu.model().ics.pages.empty());
  EXPECT_TRUE(ws.menu.model().objects.empty());
}

TEST(MenuFiles, NothingToSaveWithoutAMenu) {
  test::RecordingReporter rec;
  mirdal::test::ScopedTestReporter scope(rec);
  test::TempDir dir;
  Workspace ws;
  EXPECT_FALSE(saveMenuFile(ws, dir.folder() + "x.mnu", mirdal::test::testReporter()));
  EXPECT_FALSE(std::filesystem::exists(dir.folder() + "x.mnu"));
}

}  // namespace
}  // namespace mirdal
