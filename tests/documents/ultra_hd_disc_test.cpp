// A disc Read and Save on the real Ultra HD disc laid out with the folders
// and files such discs carry beside the ones Mirdal reads: every database
// file loads, a save writes back the same bytes, the other files stay
// untouched.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/report.h"
#include "documents/disc_files.h"
#include "documents/disc_read.h"
#include "formats/bdmv/index_app_info.h"

#include "support/recording_reporter.h"
#include "support/shared_samples.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

fs::path uhdSample() {
  const fs::path root = test::sharedSamples();
  if (root.empty()) return {};
  const fs::path disc = root / "commercial-metadata/disc5_uhd";
  return fs::is_directory(disc) ? disc : fs::path{};
}

// Files an Ultra HD disc holds that no reader here covers.
const char* const kOtherFiles[] = {
    "BDMV/META/DL/bdmt_eng.xml", "BDMV/JAR/00000.jar", "BDMV/BDJO/00000.bdjo", "CERTIFICATE/id.bdmv",
    "CERTIFICATE/BACKUP/id.bdmv", "BDMV/STREAM/00000.m2ts",
};

TEST(UltraHDDisc, ReadsEveryFileAndLeavesTheOthersAlone) {
  const fs::path sample = uhdSample();
  if (sample.empty()) GTEST_SKIP() << "no Ultra HD sample disc";
  test::ReportScope s;
  test::TempDir d;
  fs::copy(sample, d.path() / "BDMV", fs::copy_options::recursive);
  for (const auto& e : fs::recursive_directory_iterator(d.path()))
    fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add);
  d.mkdir("BDMV/BACKUP");
  for (const char* f : kOtherFiles) d.write(f, std::string("kept ") + f);
  Workspace ws;
  ws.disc.folder = d.folder() + "BDMV/";
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter())) << s.rep.text();
  EXPECT_TRUE(ws.index.loaded());
  EXPECT_EQ(ws.index.readErrors(), "");
  EXPECT_TRUE(ws.mobj.loaded());
  EXPECT_EQ(ws.disc.playlists.size(), 16u);
  EXPECT_EQ(ws.disc.clips.size(), 23u);
  ASSERT_TRUE(ultraHdInfo(ws.index.model()));
  EXPECT_EQ(ultraHdInfo(ws.index.model())->discType, 5);
  const std::string log = s.rep.text();
  EXPECT_EQ(log.find("not supported"), std::string::npos) << log;
  EXPECT_EQ(log.find("format error"), std::string::npos) << log;
  EXPECT_EQ(log.find("Invalid format"), std::string::npos) << log;
  for (const std::string& name : ws.disc.playlists) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(readPlaylist(ws, name, mirdal::test::testReporter()));
    EXPECT_TRUE(ws.playlist.loaded());
  }
  for (const std::string& name : ws.disc.clips) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(readClip(ws, name, mirdal::test::testReporter()));
    EXPECT_TRUE(ws.clip.loaded());
  }

  // Unedited playlists and clips save back the same bytes.
  for (const char* name : {"00001", "01000"}) {
    const std::string file = std::string("BDMV/PLAYLIST/") + name + ".mpls";
    const Bytes pl = d.read(file);
    ASSERT_TRUE(readPlaylist(ws, name, mirdal::test::testReporter()));
    ASSERT_TRUE(savePlaylist(ws, mirdal::test::testReporter()));
    EXPECT_EQ(d.read(file), pl) << file;
  }
  for (const char* name : {"00002", "00019"}) {
    const std::string file = std::string("BDMV/CLIPINF/") + name + ".clpi";
    const Bytes clip = d.read(file);
    ASSERT_TRUE(readClip(ws, name, mirdal::test::testReporter()));
    ASSERT_TRUE(saveClip(ws, mirdal::test::testReporter()));
    EXPECT_EQ(d.read(file), clip) << file;
  }

  // An edit saved, then undone and saved again, gives back the file.
  const Bytes before = d.read("BDMV/index.bdmv");
  ws.index.edit(ChangeNotice::rows("ultra_hd", 0),
                [](IndexFile& m) { return setUltraHdField(m, UltraHdField::HdrPlus, 1); });
  ASSERT_TRUE(saveIndex(ws, mirdal::test::testReporter()));
  EXPECT_NE(d.read("BDMV/index.bdmv"), before);
  ws.index.undo();
  ASSERT_TRUE(saveIndex(ws, mirdal::test::testReporter()));
  EXPECT_EQ(d.read("BDMV/index.bdmv"), before);
  for (const char* f : kOtherFiles) {
    const std::string want = std::string("kept ") + f;
    EXPECT_EQ(d.read(f), Bytes(want.begin(), want.end())) << f;
  }
}

}  // namespace
}  // namespace mirdal
