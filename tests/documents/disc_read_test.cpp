#include "documents/disc_read.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/report.h"
#include "support/byte_builder.h"
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
  ASSERT_TRUE(readDisc(ws));

  const std::vector<std::string> expected = {
      " Checking required files and directories...",
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
  EXPECT_FALSE(errorFlag());
  EXPECT_EQ(statusLine().panel[0], " Ready. ");

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
  ASSERT_EQ(ws.mobj.model().movie_objects.objects.size(), 1u);
  ASSERT_EQ(ws.index.model().indexes.titles.size(), 1u);
  EXPECT_EQ(ws.index.model().indexes.top_menu.playback_type, 1);
}

TEST(DiscRead, MarkupOfCheckLines) {
  ReportScope s;
  TempDir d;
  makeDisc(d);
  Workspace ws;
  workspaceFor(ws, d);
  readDisc(ws);
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
  EXPECT_FALSE(readDisc(ws));
  const std::vector<std::string> expected = {
      " Checking required files and directories...",
      " PLAYLIST folder: missing",
      " CLIPINF folder: OK",
      " BACKUP folder: missing",
      " index.bdmv: missing",
      " MovieObject.bdmv: OK",
      " ERROR: Check failed.",
  };
  EXPECT_EQ(s.rep.lines(), expected);
  EXPECT_TRUE(errorFlag());
  EXPECT_TRUE(statusLine().errorMark);
  EXPECT_FALSE(ws.disc.checkPassed);
  EXPECT_TRUE(ws.disc.clips.empty());
}

TEST(DiscRead, EmptyFolderTextReportsEverythingMissing) {
  ReportScope s;
  Workspace ws;
  EXPECT_FALSE(readDisc(ws));
  EXPECT_EQ(s.rep.lines().back(), " ERROR: Check failed.");
}

TEST(DiscRead, ShortNamesAreChosenAutomatically) {
  ReportScope s;
  TempDir d;
  makeDisc(d, true);
  std::filesystem::remove(d.path() / "BDMV/BACKUP");  // not checked with short names
  Workspace ws;
  workspaceFor(ws, d, false);
  ASSERT_TRUE(readDisc(ws));
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
  EXPECT_FALSE(readDisc(ws));
  EXPECT_FALSE(ws.options.shortNames);
}

TEST(DiscRead, SecondReadStartsFromScratch) {
  ReportScope s;
  TempDir d;
  makeDisc(d);
  Workspace ws;
  workspaceFor(ws, d);
  ASSERT_TRUE(readDisc(ws));
  std::filesystem::remove(d.path() / "BDMV/CLIPINF/00001.clpi");
  ASSERT_TRUE(readDisc(ws));
  EXPECT_EQ(ws.disc.clips.size(), 2u);
  EXPECT_EQ(ws.disc.avStreams.size(), 2u);
}

TEST(DiscRead, BadIndexHeaderLeavesTheDiscHalfLoaded) {
  ReportScope s;
  TempDir d;
  makeDisc(d);
  Workspace ws;
  workspaceFor(ws, d);
  ASSERT_TRUE(readDisc(ws));
  ASSERT_TRUE(ws.index.loaded());
  d.write("BDMV/index.bdmv", test::ByteBuilder().str("INDX0300").zeros(100));
  s.rep.paragraphs.clear();
  ASSERT_TRUE(readDisc(ws)) << "a header mismatch does not fail the check";
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
  ASSERT_TRUE(readDisc(ws));
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
  ASSERT_TRUE(readDisc(ws));
  EXPECT_TRUE(ws.disc.soundPresent);
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
  ScopedReporter scope(spy);
  readDisc(ws);
  EXPECT_NE(std::find(panel1.begin(), panel1.end(), " Checking 00001.mpls "), panel1.end());
  EXPECT_NE(std::find(panel1.begin(), panel1.end(), " Checking 00000.bdjo "), panel1.end());
}

}  // namespace
}  // namespace mirdal
