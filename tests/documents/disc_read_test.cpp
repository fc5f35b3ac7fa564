#include "documents/disc_read.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/report.h"
#include "documents/disc_files.h"
#include "support/byte_builder.h"
#include "support/sound_files.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::ReportScope;
using test::TempDir;

// index.bdmv with First Playback off, Top Menu on object 0 and one HDMV
// title on object 0.
Bytes minimalIndex() {
  return test::ByteBuilder()
      .str("INDX0200").u32(78).u32(0).zeros(24).u32(34).u16(0).zeros(32)
      .u32(38)
      .u32(0x40000000).u16(0).u16(0xFFFF).u32(0)
      .u32(0x40000000).u16(0x4000).u16(0).u32(0)
      .u16(1)
      .u32(0x40000000).u16(0).u16(0).u32(0);
}

// MovieObject.bdmv with one object holding one command.
Bytes minimalMovieObjects() {
  return test::ByteBuilder()
      .str("MOBJ0200").u32(0).zeros(28)
      .u32(22).u32(0).u16(1)
      .u16(0).u16(1).u32(0x21810000).u32(1).u32(0);
}

// A disc folder with the mandatory layout: two playlists, three clips of
// which 00002 has no stream file, and a BDJO folder with one object.
void makeDisc(const TempDir& d, bool shortNames = false) {
  const NameSet& n = nameSet(shortNames);
  d.mkdir("BDMV/BACKUP");
  d.write("BDMV/" + n.index, minimalIndex());
  d.write("BDMV/" + n.movieObject, minimalMovieObjects());
  d.write("BDMV/PLAYLIST/00000" + n.playlistExt);
  d.write("BDMV/PLAYLIST/00001" + n.playlistExt);
  for (const char* c : {"00000", "00001", "00002"}) d.write(std::string("BDMV/CLIPINF/") + c + n.clipExt);
  d.write("BDMV/STREAM/00000" + n.streamExt, std::string(1000, 'x'));
  d.write("BDMV/STREAM/00001" + n.streamExt, "y");
  d.write("BDMV/BDJO/00000.bdjo");
}

void workspaceFor(Workspace& ws, const TempDir& d, bool shortNames = false) {
  ws.disc.folder = d.folder() + "BDMV/";
  ws.options.shortNames = shortNames;
}

TEST(DiscRead, FullLogOfACompleteFolder) {
  ReportScope s;
  TempDir d;
  makeDisc(d);
  Workspace ws;
  workspaceFor(ws, d);
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));

  const std::vector<std::string> expected = {
      " Checking required files and directories... " + ws.disc.folder,
      " PLAYLIST folder: OK",
      " CLIPINF folder: OK",
      " BACKUP folder: OK",
      " index.bdmv: OK",
      " MovieObject.bdmv: OK",
      " Reading MovieObject.bdmv",
      "   Found 1 objects, 0 extended entry.",
      " Reading playlists",
      "   Found 2 playlists.",
      " Reading clipinfos",
      "   Found 3 clipinfos.",
      " Reading index.bdmv",
      "   Found 1 titles, 0 extended entry.",
      " AUXDATA folder: missing",
      " AUXDATA/sound.bdmv: missing",
      " STREAM folder: OK",
      "   Stream 00002.m2ts missing",
      "   Found 2 AV streams, missing 1",
      " META folder: missing",
      " BDJO folder: OK",
      " JAR folder: missing",
      " ",
  };
  EXPECT_EQ(s.rep.lines(), expected);
  EXPECT_EQ(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_EQ(mirdal::test::testReporter().status().panel[0], " Ready. ");

  EXPECT_EQ(ws.disc.playlists.size(), 2u);
  ASSERT_EQ(ws.disc.clips.size(), 3u);
  ASSERT_EQ(ws.disc.avStreams.size(), 3u);
  EXPECT_EQ(ws.disc.ciRefs.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& a = ws.disc.avStreams[i];
    const std::string want = ws.disc.clips[i] == "00002" ? "" : ws.disc.clips[i] + ".m2ts";
    EXPECT_EQ(a.name, want);
    if (ws.disc.clips[i] == "00000") {
      EXPECT_EQ(a.size, 1000u);
    }
  }
  EXPECT_EQ(ws.disc.bdjos, (std::vector<std::string>{"00000"}));
  EXPECT_EQ(ws.disc.caption, "Mirdal v0.34b [" + d.path().filename().string() + "]");
  EXPECT_FALSE(ws.disc.soundPresent);
  EXPECT_TRUE(ws.mobj.loaded());
  EXPECT_TRUE(ws.index.loaded());
  ASSERT_EQ(ws.mobj.model().movieObjects.objects.size(), 1u);
  ASSERT_EQ(ws.index.model().indexes.titles.size(), 1u);
  EXPECT_EQ(ws.index.model().indexes.topMenu.playbackType, 1);
}

TEST(DiscRead, MarkupOfCheckLines) {
  ReportScope s;
  TempDir d;
  makeDisc(d);
  Workspace ws;
  workspaceFor(ws, d);
  readDisc(ws, mirdal::test::testReporter());
  const LogParagraph& folderLine = s.rep.paragraphs[1];
  ASSERT_GE(folderLine.runs.size(), 4u);
  EXPECT_EQ(folderLine.runs[1].color, LogColor::Blue);
  EXPECT_TRUE(folderLine.runs[3].bold);
  const LogParagraph& missing = s.rep.paragraphs[14];  // AUXDATA folder: missing
  EXPECT_EQ(missing.runs.back().color, LogColor::Red);
}

TEST(DiscRead, MissingPiecesFailTheCheck) {
  ReportScope s;
  TempDir d;
  d.mkdir("BDMV/CLIPINF");
  d.write("BDMV/MovieObject.bdmv");
  Workspace ws;
  workspaceFor(ws, d);
  EXPECT_FALSE(readDisc(ws, mirdal::test::testReporter()));
  const std::vector<std::string> expected = {
      " Checking required files and directories... " + ws.disc.folder,
      " PLAYLIST folder: missing",
      " CLIPINF folder: OK",
      " BACKUP folder: missing",
      " index.bdmv: missing",
      " MovieObject.bdmv: OK",
      " ERROR: Check failed.",
      " The folder PLAYLIST is missing in " + ws.disc.folder + "; creating it (it may stay empty) lets this folder be read.",
      " The folder BACKUP is missing in " + ws.disc.folder + "; creating it (it may stay empty) lets this folder be read.",
  };
  EXPECT_EQ(s.rep.lines(), expected);
  EXPECT_GT(mirdal::test::testReporter().errorCount(), 0);
  EXPECT_TRUE(mirdal::test::testReporter().status().errorMark);
  EXPECT_FALSE(ws.disc.checkPassed);
  EXPECT_TRUE(ws.disc.clips.empty());
}

// The first line names the folder; after "Check failed." one plain line
// says why: no folder chosen, a folder that does not exist.
TEST(DiscRead, FailedCheckSaysWhereAndWhy) {
  TempDir d;
  const struct {
    std::string folder;
    std::string first, last;
  } cases[] = {
      {"", " Checking required files and directories... (no folder chosen)",
       " No disc folder is chosen: choose its BDMV folder with the folder button, drop a file of it on the window or "
       "name one on the command line."},
      {d.folder() + "Nowhere/BDMV/", " Checking required files and directories... " + d.folder() + "Nowhere/BDMV/",
       " The folder " + d.folder() + "Nowhere/BDMV/ does not exist."},
  };
  for (const auto& c : cases) {
    ReportScope s;
    Workspace ws;
    ws.disc.folder = c.folder;
    EXPECT_FALSE(readDisc(ws, mirdal::test::testReporter()));
    const std::vector<std::string> lines = s.rep.lines();
    EXPECT_EQ(lines.front(), c.first);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], " ERROR: Check failed.");
    EXPECT_EQ(lines.back(), c.last);
  }
}

// The end of a Read that logged errors keeps the error mark: one error
// shows its text, more show their count.
TEST(DiscRead, ErrorsOfTheReadStayOnTheStatusLine) {
  const Bytes badIndex = test::ByteBuilder().str("INDX0400").zeros(100);
  const Bytes badObjects = test::ByteBuilder().str("MOBJ0400").zeros(20);
  const struct {
    bool index, objects;
    bool mark;
    std::string panel1, hint;
  } cases[] = {
      {false, false, false, "", ""},
      {true, false, true, " index.bdmv format error at $00000008", "index.bdmv format error at $00000008"},
      {true, true, true, " 2 errors: see Status", "index.bdmv format error at $00000008"},
  };
  for (const auto& c : cases) {
    ReportScope s;
    TempDir d;
    makeDisc(d);
    if (c.index) d.write("BDMV/index.bdmv", badIndex);
    if (c.objects) d.write("BDMV/MovieObject.bdmv", badObjects);
    Workspace ws;
    workspaceFor(ws, d);
    ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
    EXPECT_EQ(mirdal::test::testReporter().status().errorMark, c.mark);
    EXPECT_EQ(mirdal::test::testReporter().status().panel[0], c.mark ? mirdal::test::testReporter().status().panel[0] : std::string(" Ready. "));
    EXPECT_EQ(mirdal::test::testReporter().status().panel[1], c.panel1);
    if (c.mark) EXPECT_EQ(mirdal::test::testReporter().status().hint, c.hint);
    // An unknown version is no Ultra HD file: no note follows its error line.
    const std::string log = s.rep.text();
    EXPECT_EQ(log.find("version 0300 (Ultra HD) is not supported"), std::string::npos);
  }
}

TEST(DiscRead, EmptyFolderTextReportsEverythingMissing) {
  ReportScope s;
  Workspace ws;
  EXPECT_FALSE(readDisc(ws, mirdal::test::testReporter()));
  EXPECT_TRUE(mirdal::test::testReporter().status().errorMark);
}

TEST(DiscRead, ShortNamesAreChosenAutomatically) {
  ReportScope s;
  TempDir d;
  makeDisc(d, true);
  std::filesystem::remove(d.path() / "BDMV/BACKUP");  // not checked with short names
  Workspace ws;
  workspaceFor(ws, d, false);
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
  EXPECT_TRUE(ws.options.shortNames) << "the option stays on afterwards";
  const std::string log = s.rep.text();
  EXPECT_NE(log.find(" INDEX.BDM: OK"), std::string::npos);
  EXPECT_EQ(log.find("BACKUP"), std::string::npos);
  EXPECT_NE(log.find("Stream 00002.MTS missing"), std::string::npos);
  EXPECT_EQ(ws.disc.clips.size(), 3u);
}

TEST(DiscRead, NameSetSwitchesBackWhenNeitherIndexExists) {
  ReportScope s;
  TempDir d;
  d.mkdir("BDMV/PLAYLIST");
  Workspace ws;
  workspaceFor(ws, d, false);
  EXPECT_FALSE(readDisc(ws, mirdal::test::testReporter()));
  EXPECT_FALSE(ws.options.shortNames);
}

TEST(DiscRead, SecondReadStartsFromScratch) {
  ReportScope s;
  TempDir d;
  makeDisc(d);
  Workspace ws;
  workspaceFor(ws, d);
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
  std::filesystem::remove(d.path() / "BDMV/CLIPINF/00001.clpi");
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
  EXPECT_EQ(ws.disc.clips.size(), 2u);
  EXPECT_EQ(ws.disc.avStreams.size(), 2u);
}

TEST(DiscRead, BadIndexHeaderLeavesTheDiscHalfLoaded) {
  ReportScope s;
  TempDir d;
  makeDisc(d);
  Workspace ws;
  workspaceFor(ws, d);
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
  ASSERT_TRUE(ws.index.loaded());
  d.write("BDMV/index.bdmv", test::ByteBuilder().str("INDX0400").zeros(100));
  s.rep.paragraphs.clear();
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter())) << "a header mismatch does not fail the check";
  EXPECT_FALSE(ws.index.loaded());
  EXPECT_TRUE(ws.index.model().indexes.titles.empty()) << "nothing of the first Read is kept";
  EXPECT_TRUE(ws.mobj.loaded());
  EXPECT_EQ(ws.disc.clips.size(), 3u);
  const std::string log = s.rep.text();
  EXPECT_NE(log.find(" ERROR: index.bdmv format error at $00000008\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("titles,"), std::string::npos);
}

TEST(DiscRead, BadMovieObjectHeaderIsReportedAndLoadingGoesOn) {
  ReportScope s;
  TempDir d;
  makeDisc(d);
  d.write("BDMV/MovieObject.bdmv", test::ByteBuilder().str("MOBJ0000").zeros(20));
  Workspace ws;
  workspaceFor(ws, d);
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
  EXPECT_FALSE(ws.mobj.loaded());
  EXPECT_TRUE(ws.index.loaded());
  const std::vector<std::string> lines = s.rep.lines();
  const auto at = std::find(lines.begin(), lines.end(), " ERROR: Format error MovieObject.bdmv");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(*(at + 1), " Reading playlists");
}

TEST(DiscRead, SoundIsPresentWithFolderAndFile) {
  ReportScope s;
  TempDir d;
  makeDisc(d);
  d.write("BDMV/AUXDATA/sound.bdmv");
  Workspace ws;
  workspaceFor(ws, d);
  ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
  EXPECT_TRUE(ws.disc.soundPresent);
}

// The Read loads sound.bdmv after the AUXDATA checks; a file of another kind
// is reported and not taken as an empty sound file that Save would write.
TEST(DiscRead, SoundIsReadAfterTheAuxdataChecks) {
  struct Case {
    Bytes file;
    bool loaded;
    std::size_t entries;
    std::string found;
  };
  const Case cases[] = {
      {test::soundFile("0200", {{1, 0, test::pattern(8, 1)}, {3, 8, test::pattern(4, 2)}}), true, 2,
       "  Found 2 sound entries"},
      {Bytes{'X', 'Y', 'Z'}, false, 0, "  Found 0 sound entry"},
  };
  for (const Case& c : cases) {
    ReportScope s;
    TempDir d;
    makeDisc(d);
    d.write("BDMV/AUXDATA/sound.bdmv", c.file);
    Workspace ws;
    workspaceFor(ws, d);
    ASSERT_TRUE(readDisc(ws, mirdal::test::testReporter()));
    EXPECT_EQ(ws.sound.loaded(), c.loaded);
    EXPECT_EQ(ws.sound.model().entries.size(), c.entries);
    const std::vector<std::string> lines = s.rep.lines();
    const auto at = std::find(lines.begin(), lines.end(), " AUXDATA/sound.bdmv: OK");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at + 1), " Reading sound.bdmv");
    EXPECT_NE(std::find(at, lines.end(), c.found), lines.end());
    // Save writes only what was read.
    EXPECT_EQ(saveSound(ws, mirdal::test::testReporter()), c.loaded);
    EXPECT_EQ(d.read("BDMV/AUXDATA/sound.bdmv"), c.file);
    if (c.loaded) EXPECT_TRUE(d.exists("BDMV/AUXDATA/sound.bdmv.backup"));
  }
}

TEST(DiscRead, StatusShowsEachListedFile) {
  ReportScope s;
  TempDir d;
  makeDisc(d);
  Workspace ws;
  workspaceFor(ws, d);
  std::vector<std::string> panel1;
  struct Spy : test::RecordingReporter {
    std::vector<std::string>* out;
    void statusChanged(const StatusLine& st) override {
      out->push_back(st.panel[1]);
      RecordingReporter::statusChanged(st);
    }
  } spy;
  spy.out = &panel1;
  mirdal::test::ScopedTestReporter scope(spy);
  readDisc(ws, mirdal::test::testReporter());
  EXPECT_NE(std::find(panel1.begin(), panel1.end(), " Checking 00001.mpls "), panel1.end());
  EXPECT_NE(std::find(panel1.begin(), panel1.end(), " Checking 00000.bdjo "), panel1.end());
}

}  // namespace
}  // namespace mirdal
