#include <gtest/gtest.h>

#include "core/disc_folder.h"
#include "formats/clip/apply_to_clpi.h"
#include "present/clpi_rows.h"
#include "formats/common/find_tool.h"
#include "formats/playlist/mpls_edit.h"
#include "support/bdmv_files.h"
#include "support/clip_bytes.h"
#include "support/mpls_bytes.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::ReportScope;
using test::TempDir;

TEST(FindPlaylist, OnlyImmediatePlayCommandsOfThePlaylistMatch) {
  MovieObjectFile m;
  parseMovieObjects(test::movieObjectFile(
                        "0200", {{0,
                                  {{0x22800000, 5, 0},     // Play PL 5
                                   {0x22000000, 5, 0},     // Play PL with the number in a register
                                   {0x42C10000, 5, 2},     // Play PL_PI, src immediate
                                   {0x42810000, 6, 1}}},   // another playlist
                                 {0, {}},
                                 {0, {{0x42820000, 5, 3}, {0x42C20000, 5, 1}, {0x50000001, 5, 0}}}}),
                    m);
  struct Case {
    std::uint32_t playlist;
    std::vector<std::string> lines;
  } cases[] = {
      {5, {"Object 0000, Command line 0000", "Object 0000, Command line 0002", "Object 0002, Command line 0000",
           "Object 0002, Command line 0001"}},
      {6, {"Object 0000, Command line 0003"}},
      {7, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> got;
    for (const PlaylistUse& u : findPlaylistCommands(m, c.playlist)) got.push_back(playlistUseLine(u));
    EXPECT_EQ(got, c.lines) << c.playlist;
  }
  ReportScope rs;
  logPlaylistFind("00005", findPlaylistCommands(m, 6), mirdal::test::testReporter());
  EXPECT_EQ(rs.rep.lines(), (std::vector<std::string>{" ", " PlayList 00005 found in:", " Object 0000, Command line 0003"}));
  EXPECT_TRUE(rs.rep.paragraphs[1].runs.size() > 1);  // the name in bold
}

// A playlist whose PlayItems use `items` and whose one SubPath (when
// `sub` is not empty) has a SubPlayItem for each name of `sub`.
Bytes playlistUsing(const std::vector<std::string>& items, const std::vector<std::string>& sub) {
  std::vector<test::Raw> raw;
  for (const std::string& c : items) raw.push_back(test::playItem({.clip = c}));
  test::PlaylistBytes pb;
  pb.playList = test::playListSection(raw, {});
  Playlist m;
  EXPECT_EQ(parsePlaylist(test::playlistFile(pb).data(), m).status, ReadStatus::Ok);
  if (!sub.empty()) {
    insertSubPath(m, kNoRow);
    auto& items = m.playlist.subpaths[0].items;
    while (items.size() < sub.size()) insertSubPlayItem(m, 0, items.empty() ? kNoRow : items.size() - 1);
    while (items.size() > sub.size()) deleteSubPlayItem(m, 0, items.size() - 1);
    for (std::size_t j = 0; j < sub.size(); ++j) items[j].clipName = sub[j];
  }
  return composePlaylist(m);
}

TEST(FindClips, EveryUseIsListedAndMissingStreamsReported) {
  TempDir d;
  d.write("BDMV/PLAYLIST/00001.mpls", playlistUsing({"00007", "00008", "00007"}, {}));
  d.write("BDMV/PLAYLIST/00002.mpls", std::string("MPLS0400 not a playlist"));
  d.write("BDMV/PLAYLIST/00003.mpls", playlistUsing({"00008"}, {"00007", "00009"}));
  d.write("BDMV/PLAYLIST/menu.mpls", playlistUsing({"00007"}, {}));
  {
    // PlayItem 0 plays 00008, and 00010 as its second angle.
    Playlist m;
    parsePlaylist(playlistUsing({"00008"}, {}), m);
    setMultiAngle(m, 0, true);
    insertAngle(m, 0, 0);
    m.playlist.items[0].angles.angles[1].clipName = "00010";
    d.write("BDMV/PLAYLIST/00004.mpls", composePlaylist(m));
  }
  d.write("BDMV/STREAM/00007.m2ts", std::string("x"));
  d.write("BDMV/STREAM/00009.m2ts", std::string("x"));
  DiscState disc;
  disc.folder = d.folder() + "BDMV/";
  disc.playlists = {"00001", "00002", "00003", "00004", "menu"};
  disc.clips = {"00007", "00008", "00010"};
  disc.ciRefs = {{{9, 'p', 9}}, {}};  // an earlier Find's rows go

  ReportScope rs;
  const std::size_t missing = findClipReferences(disc, nameSet(false), mirdal::test::testReporter());
  auto rows = [&](std::size_t clip) {
    std::vector<ClipRow> out;
    for (const ClipUse& r : disc.ciRefs[clip]) out.push_back(ciRefRow(r));
    return out;
  };
  EXPECT_EQ(rows(0), (std::vector<ClipRow>{{"00001", "p", "00000"}, {"00001", "p", "00002"}, {"00003", "s", "00000"}}));
  EXPECT_EQ(rows(1), (std::vector<ClipRow>{{"00001", "p", "00001"}, {"00003", "p", "00000"}, {"00004", "p", "00000"}}));
  // A clip played only as an angle is used, by its PlayItem.
  EXPECT_EQ(rows(2), (std::vector<ClipRow>{{"00004", "p", "00000"}}));
  EXPECT_EQ(missing, 4u);
  const std::string log = rs.rep.text();
  EXPECT_NE(log.find("Missing stream file referenced by 00001.mpls, PlayItem 1"), std::string::npos) << log;
  EXPECT_NE(log.find("Missing stream file referenced by 00003.mpls, PlayItem 0"), std::string::npos) << log;
  EXPECT_NE(log.find("Missing stream file referenced by 00004.mpls, PlayItem 0, angle 1"), std::string::npos) << log;
  EXPECT_EQ(log.find("SubPlayItem 1"), std::string::npos);  // 00009's stream exists; the clip is unlisted
  EXPECT_NE(log.find("Invalid format: 00002.mpls"), std::string::npos) << log;
}

ProgramStream* streamOf(ClipInfoFile& c, std::size_t i) { return &c.programInfo.programSequences[0].streams[i]; }

StreamRecord rec(std::uint16_t pid, std::uint8_t coding, std::uint8_t a, std::uint8_t b, const std::string& lang,
                 std::uint8_t entryType = 1) {
  StreamRecord s;
  s.entry.type = entryType;
  s.entry.mainPid = pid;
  s.attributes.codingType = coding;
  s.attributes.videoFormat = s.attributes.presentationType = a;
  s.attributes.frameRate = s.attributes.samplingFrequency = b;
  s.attributes.language = lang;
  return s;
}

TEST(ApplyToClpi, StreamsAtTheirPlaceWithTheirPidTakeTheAttributes) {
  // The clip's program: 1011 AVC, 1100 DD, 1200 PG, 1400 IG, 1800 text,
  // 1FFE unknown, 1101 LPCM.
  ClipInfoFile base;
  parseClipInfo(test::clipBytes({}), base);
  struct Case {
    const char* what;
    std::function<void(Stn&)> stn;
    std::vector<std::size_t> changed;
    std::function<void(ClipInfoFile&)> check;
  } cases[] = {
      {"video, audio, PG and IG in program order",
       [](Stn& s) {
         s.primaryVideo = {rec(0x1011, 0xEA, 5, 4, "")};
         s.primaryAudio = {rec(0x1100, 0x83, 12, 5, "ger")};
         s.pg = {rec(0x1200, 0x90, 0, 0, "ita")};
         s.ig = {rec(0x1400, 0x91, 0, 0, "swe")};
       },
       {0, 1, 2, 3},
       [](ClipInfoFile& c) {
         EXPECT_EQ(programStreamRow(*streamOf(c, 0))[1], "VC1");
         EXPECT_EQ(streamOf(c, 0)->videoFormat, 5);
         EXPECT_EQ(streamOf(c, 0)->frameRate, 4);
         EXPECT_EQ(streamOf(c, 1)->streamCodingType, 0x83);
         EXPECT_EQ(streamOf(c, 1)->audioLanguage, "ger");
         EXPECT_EQ(streamOf(c, 1)->samplingFrequency, 5);
         EXPECT_EQ(streamOf(c, 2)->pgLanguage, "ita");
         EXPECT_EQ(streamOf(c, 3)->igLanguage, "swe");
       }},
      {"audio listed before video: nothing matches",
       [](Stn& s) {
         s.primaryVideo = {};
         s.primaryAudio = {rec(0x1100, 0x83, 12, 5, "ger"), rec(0x1011, 0x80, 1, 1, "xxx")};
       },
       {}, [](ClipInfoFile&) {}},
      {"IG from a SubPath is not applied",
       [](Stn& s) {
         s.primaryVideo = {rec(0x1011, 0x1B, 6, 1, "")};
         s.primaryAudio = {rec(0x1100, 0x81, 3, 1, "eng")};
         s.pg = {rec(0x1200, 0x90, 0, 0, "fra")};
         s.ig = {rec(0x1400, 0x91, 0, 0, "swe", 2)};
       },
       {0, 1, 2}, [](ClipInfoFile& c) { EXPECT_EQ(streamOf(c, 3)->igLanguage, "deu"); }},
      {"PiP PG streams do not count as PG",
       [](Stn& s) {
         s.primaryVideo = {rec(0x1011, 0x1B, 6, 1, "")};
         s.primaryAudio = {rec(0x1100, 0x81, 3, 1, "eng")};
         s.pg = {rec(0x1200, 0x90, 0, 0, "nld"), rec(0x1400, 0x90, 0, 0, "pip")};
         s.pipPgCount = 1;
       },
       {0, 1, 2}, [](ClipInfoFile& c) { EXPECT_EQ(streamOf(c, 3)->igLanguage, "deu"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClipInfoFile clip = base;
    PlayItem item;
    c.stn(item.stn);
    EXPECT_EQ(applyToClpi(item, clip), c.changed);
    c.check(clip);
  }
  ClipInfoFile empty;
  EXPECT_TRUE(applyToClpi(PlayItem{}, empty).empty());
}

}  // namespace
}  // namespace mirdal
