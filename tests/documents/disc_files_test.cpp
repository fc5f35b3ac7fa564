#include "documents/disc_files.h"

#include <gtest/gtest.h>

#include "documents/disc_read.h"
#include "core/report.h"
#include "documents/bdmv_edits.h"
#include "formats/bdmv/bdmv_edit.h"
#include "support/bdmv_files.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::IndexEntryBytes;
using test::ObjectBytes;

const IndexEntryBytes kOff{1, 0, 0, 0xFFFF, ""};
const std::vector<std::uint8_t> kExt = test::extensionData({{0x1000, 1, {1, 2, 3, 4}}});

// A disc with three objects, titles on objects 0, 2 and 1, and a BD-J title.
void makeFilesDisc(const test::TempDir& d) {
  d.mkdir("BDMV/BACKUP");
  d.mkdir("BDMV/PLAYLIST");
  d.mkdir("BDMV/CLIPINF");
  d.write("BDMV/index.bdmv", test::indexFile("0200", {1, 0, 0, 0, ""}, kOff,
                                             {{1, 0, 0, 0, ""}, {1, 0, 0, 2, ""}, {2, 0, 0, 0, "00001"},
                                              {1, 0, 0, 1, ""}},
                                             kExt));
  d.write("BDMV/MovieObject.bdmv",
          test::movieObjectFile("0200", {{0, {{1, 1, 1}}}, {0x8000, {{2, 2, 2}, {3, 3, 3}}}, {0, {}}}, kExt));
}

void filesWorkspaceFor(Workspace& ws, const test::TempDir& d) {
  ws.disc.folder = d.folder() + "BDMV/";
  ws.options.backup.saveToBackupDir = true;
}

TEST(BdmvFiles, ReadEditSaveReread) {
  test::ReportScope s;
  test::TempDir d;
  makeFilesDisc(d);
  Workspace ws;
  filesWorkspaceFor(ws, d);
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
  ASSERT_TRUE(ws.index.loaded() && ws.mobj.loaded());

  // Object 1 goes; title 4 loses its object, title 2 follows object 2 to 1.
  const ObjectDeletion del = deleteMovieObjects(ws, 1, 1, mirdal::test::testReporter());
  EXPECT_EQ(del.invalidTitles, (std::vector<unsigned>{4}));
  ASSERT_TRUE(ws.index.edit(ChangeNotice::resized("titles", 1), [](IndexFile& m) { return insertTitle(m, 1); }));
  ws.index.edit(ChangeNotice::rows("titles", 1), [](IndexFile& m) { setTitleObject(m, 1, 1); });
  ASSERT_TRUE(saveIndex(ws, mirdal::test::testReporter()));
  ASSERT_TRUE(saveMovieObjects(ws, mirdal::test::testReporter()));

  const Bytes index = test::indexFile("0200", {1, 0, 0, 0, ""}, kOff,
                                      {{1, 0, 0, 0, ""}, {1, 0, 0, 1, ""}, {1, 0, 0, 1, ""},
                                       {2, 0, 0, 0, "00001"}, {1, 0, 0, 0xFFFF, ""}},
                                      kExt);
  const Bytes objects = test::movieObjectFile("0200", {{0, {{1, 1, 1}}}, {0, {}}}, kExt);
  EXPECT_EQ(d.read("BDMV/index.bdmv"), index);
  EXPECT_EQ(d.read("BDMV/MovieObject.bdmv"), objects);
  EXPECT_EQ(d.read("BDMV/BACKUP/index.bdmv"), index);
  EXPECT_EQ(d.read("BDMV/BACKUP/MovieObject.bdmv"), objects);
  EXPECT_TRUE(d.exists("BDMV/index.bdmv.backup"));
  EXPECT_TRUE(d.exists("BDMV/MovieObject.bdmv.backup"));

  const IndexFile edited = ws.index.model();
  const MovieObjectFile editedObjects = ws.mobj.model();
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
  EXPECT_EQ(ws.index.model(), edited);
  EXPECT_EQ(ws.mobj.model(), editedObjects);
}

TEST(BdmvFiles, ModelsThatWereNotLoadedAreNeverSaved) {
  test::ReportScope s;
  test::TempDir d;
  makeFilesDisc(d);
  const Bytes badIndex = test::ByteBuilder().str("INDX0400").zeros(120);
  const Bytes badObjects = test::ByteBuilder().str("MOBJ0400").zeros(120);
  d.write("BDMV/index.bdmv", badIndex);
  d.write("BDMV/MovieObject.bdmv", badObjects);
  Workspace ws;
  filesWorkspaceFor(ws, d);
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
  s.rep.paragraphs.clear();
  EXPECT_FALSE(saveIndex(ws, mirdal::test::testReporter()));
  EXPECT_FALSE(saveMovieObjects(ws, mirdal::test::testReporter()));
  EXPECT_EQ(s.rep.lines(), (std::vector<std::string>{" index.bdmv was not loaded: not saved.",
                                                      " MovieObject.bdmv was not loaded: not saved."}));
  EXPECT_EQ(d.read("BDMV/index.bdmv"), badIndex);
  EXPECT_EQ(d.read("BDMV/MovieObject.bdmv"), badObjects);
}

TEST(BdmvFiles, ReadBDJO) {
  test::TempDir d;
  makeFilesDisc(d);
  // Enough of an object for the reader: header, addresses of empty sections.
  test::ByteBuilder b;
  b.str("BDJO0200").u32(0).u32(62).u32(68).u32(76).u32(82).u32(86).zeros(16);
  b.u32(10).str("00000").u8(0).u32(0);      // 48: TerminalInfo
  b.u32(2).u8(0).u8(0);                     // 62: AppCacheInfo
  b.u32(4).u16(0).u16(0);                   // 68: playlists
  b.u32(2).u8(0).u8(0);                     // 76: applications
  b.u32(0x80000000);                        // 82: key interest
  b.u16(2).str("ab");                       // 86: file access
  d.write("BDMV/BDJO/00001.bdjo", b);
  d.write("BDMV/BDJO/00002.BDJ", b);  // an 8.3 disc's name
  Workspace ws;
  filesWorkspaceFor(ws, d);

  struct Case {
    const char* name;
    bool loaded;
    const char* firstLine;
  };
  for (const Case& c : {Case{"00001", true, " Reading 00001.bdjo"}, Case{"00002", true, " Reading 00002.BDJ"},
                        Case{"00003", false, " Reading 00003.bdjo"}}) {
    test::ReportScope s;
    EXPECT_EQ(readBdjo(ws, c.name, mirdal::test::testReporter()), c.loaded) << c.name;
    EXPECT_EQ(ws.bdjo.loaded(), c.loaded);
    EXPECT_EQ(ws.bdjoName, c.name);
    ASSERT_FALSE(s.rep.lines().empty());
    EXPECT_EQ(s.rep.lines()[0], c.firstLine);
    EXPECT_EQ(mirdal::test::testReporter().errorCount() > 0, !c.loaded);
    if (c.loaded) {
      EXPECT_EQ(ws.bdjo.model().fileAccessInfo.directoryPath, "ab");
    }
  }
}

}  // namespace
}  // namespace mirdal
