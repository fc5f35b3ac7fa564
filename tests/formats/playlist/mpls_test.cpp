// Playlist files laid out by hand: every layout branch of the reader and the
// writer, the load and save messages, and the refusal of a model whose
// lengths do not fit its content.
#include <gtest/gtest.h>

#include "formats/playlist/mpls.h"
#include "support/bdmv_files.h"
#include "support/mpls_bytes.h"
#include "support/recording_reporter.h"
#include "support/round_trip_case.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using namespace test;

Raw multiAngleItem() {
  PlayItemBytes p;
  p.flags = 0x10 | 1;
  p.angleBlock = cat({ByteBuilder().u8(3).u8(0x03).data(), clipRef("00002", 1), clipRef("00003", 2)});
  return playItem(p);
}

Raw secondaryStreamsItem() {
  PlayItemBytes p;
  const Raw secAudio3 = cat({plainStream(0x1A00, 0xA1, 0x31, "eng"), {3, 0, 1, 2, 3, 0}});
  const Raw secAudio2 = cat({plainStream(0x1A01, 0xA2, 0x31, "deu"), {2, 0, 1, 2}});
  const Raw secVideo = cat({videoStream(0x1B00, 0x61), {1, 0, 1, 0}, {1, 0, 1, 0}});
  const Raw pg = ByteBuilder().u8(9).u8(2).u8(1).u8(0).u16(0x1200).zeros(4).u8(5).u8(0x90).str("eng", 3).u8(0).data();
  const Raw pipText = ByteBuilder().u8(9).u8(3).u8(1).u16(0x1201).zeros(5).u8(5).u8(0x92).u8(1).str("fra", 3).data();
  const Raw ig = ByteBuilder().u8(9).u8(2).u8(0).u8(0).u16(0x1400).zeros(4).u8(5).u8(0x91).str("jpn", 3).u8(0).data();
  p.stnTable = stn({1, 1, 1, 1, 2, 1, 1}, cat({videoStream(0x1011, 0x61), plainStream(0x1100, 0x81, 0x61, "eng"),
                                               pg, pipText, ig, secAudio3, secAudio2, secVideo}));
  return playItem(p);
}

Raw unknownKindsItem() {
  PlayItemBytes p;
  // Entry type 7 and coding type 0x25 are not taken apart; their bytes stay.
  const Raw odd = ByteBuilder().u8(9).u8(7).bytes({1, 2, 3, 4, 5, 6, 7, 8}).u8(5).u8(0x25).bytes({0x61, 9, 8, 7}).data();
  // A longer entry (length 11) of a known type.
  const Raw longEntry = ByteBuilder().u8(11).u8(1).u16(0x1101).zeros(8).u8(5).u8(0x81).u8(0x31).str("eng", 3).data();
  p.stnTable = stn({0, 2, 0, 0, 0, 0, 0}, cat({odd, longEntry}));
  return playItem(p);
}

Raw subPathWithMultiClip(std::uint8_t type) {
  ByteBuilder spi;
  spi.str("00004", 5).str("M2TS", 4).u32(0x0B).u8(0).u32(100).u32(200).u16(0).u32(300);
  spi.u8(3).u8(0).bytes(clipRef("00005", 0)).bytes(clipRef("00006", 0));
  ByteBuilder sp;
  sp.u8(0).u8(type).u16(1).u8(0).u8(1).bytes(withLength16(spi.data()));
  return withLength32(sp.data());
}

std::vector<RoundTripCase> roundTripCases() {
  PlaylistBytes plain;
  PlaylistBytes v0100;
  v0100.version = "0100";
  PlaylistBytes angles;
  angles.playList = playListSection({playItem({}), multiAngleItem()}, {});
  PlaylistBytes streams;
  streams.playList = playListSection({secondaryStreamsItem()}, {});
  PlaylistBytes sub;
  sub.playList = playListSection({playItem({})}, {subPathWithMultiClip(5), subPathWithMultiClip(2)});
  sub.marks = markSection({{1, 0, 100}, {2, 0, 200}});
  sub.ext = extensionData({{0x1000, 0x0100, {1, 2, 3, 4}}});
  PlaylistBytes unknown;
  unknown.playList = playListSection({unknownKindsItem()}, {});
  PlaylistBytes gaps;
  gaps.appInfoExtra = {0xAB, 0xCD};
  gaps.gapBeforePlayList = {0, 0, 7};
  gaps.gapBeforeMarks = {0};
  gaps.gapBeforeExt = {5, 5};
  gaps.ext = extensionData({{1, 1, {9}}});
  PlaylistBytes noMarks;
  noMarks.hasMarks = false;
  noMarks.ext = extensionData({{1, 2, {3}}});
  return {{"Plain", playlistFile(plain)},
          {"Version0100", playlistFile(v0100)},
          {"MultiAngle", playlistFile(angles)},
          {"AllStreamKinds", playlistFile(streams)},
          {"SubPathsMarksExtensionData", playlistFile(sub)},
          {"UnknownEntryAndCodingTypes", playlistFile(unknown)},
          {"LongAppInfoAndGaps", playlistFile(gaps)},
          {"NoMarkSection", playlistFile(noMarks)}};
}

class PlaylistRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(PlaylistRoundTrip, WrittenBackByteForByteAndConsistent) {
  Playlist m;
  ASSERT_EQ(parsePlaylist(GetParam().file, m).status, ReadStatus::Ok);
  EXPECT_EQ(checkLayout(m), "");
  EXPECT_EQ(composePlaylist(m), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(Layouts, PlaylistRoundTrip, ::testing::ValuesIn(roundTripCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Playlist, MultiAngleItemRepeatsItsClipAsAngleZero) {
  PlaylistBytes f;
  f.playList = playListSection({multiAngleItem()}, {});
  Playlist m;
  ASSERT_EQ(parsePlaylist(playlistFile(f), m).status, ReadStatus::Ok);
  const PlayItem& p = m.playlist.items[0];
  ASSERT_EQ(p.angles.angles.size(), 3u);
  EXPECT_EQ(p.angles.angles[0].clipName, "00001");
  EXPECT_EQ(p.angles.angles[1].clipName, "00002");
  EXPECT_EQ(p.angles.angles[2].stcId, 2);
  EXPECT_EQ(p.angles.isDifferentAudios, 1);
  EXPECT_EQ(p.angles.isSeamlessAngleChange, 1);
  // The STN table starts 22 bytes after offset 34.
  EXPECT_EQ(p.stn.primaryVideo.size(), 1u);
  EXPECT_EQ(p.stn.primaryVideo[0].entry.mainPid, 0x1011);
}

TEST(Playlist, StreamsOfEveryCategoryAreTakenApart) {
  PlaylistBytes f;
  f.playList = playListSection({secondaryStreamsItem()}, {});
  Playlist m;
  ASSERT_EQ(parsePlaylist(playlistFile(f), m).status, ReadStatus::Ok);
  const Stn& t = m.playlist.items[0].stn;
  EXPECT_EQ(t.primaryVideo[0].attributes.videoFormat, 6);
  EXPECT_EQ(t.primaryVideo[0].attributes.frameRate, 1);
  EXPECT_EQ(t.primaryAudio[0].attributes.language, "eng");
  ASSERT_EQ(t.pg.size(), 2u);  // one PG, one PiP text subtitle
  EXPECT_EQ(t.pipPgCount, 1);
  EXPECT_EQ(t.pg[0].entry.subPathId, 1);
  EXPECT_EQ(t.pg[0].entry.subPid, 0x1200);
  EXPECT_EQ(t.pg[1].entry.type, 3);
  EXPECT_EQ(t.pg[1].entry.mainPid, 0x1201);
  EXPECT_EQ(t.pg[1].attributes.characterCode, 1);
  EXPECT_EQ(t.pg[1].attributes.language, "fra");
  EXPECT_EQ(t.ig[0].attributes.language, "jpn");
  EXPECT_EQ(t.secondaryAudio[0].primaryAudioRefs, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(t.secondaryAudio[1].primaryAudioRefs, (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(t.secondaryVideo[0].pipPgRefs, (std::vector<std::uint8_t>{1}));
  EXPECT_EQ(secAudioSize(t.secondaryAudio[0]), 16u + 2 + 3 + 1);
  EXPECT_EQ(secAudioSize(t.secondaryAudio[1]), 16u + 2 + 2);
}

TEST(Playlist, SubPlayItemKeepsTheUpperConnectionBits) {
  PlaylistBytes f;
  f.playList = playListSection({playItem({})}, {subPathWithMultiClip(5)});
  Playlist m;
  ASSERT_EQ(parsePlaylist(playlistFile(f), m).status, ReadStatus::Ok);
  const SubPlayItem& s = m.playlist.subpaths[0].items[0];
  EXPECT_EQ(s.connectionCondition, 5);
  EXPECT_EQ(s.isMultiClip, 1);
  ASSERT_EQ(s.clips.size(), 3u);
  EXPECT_EQ(s.clips[0].clipName, "00004");
  EXPECT_EQ(s.clips[2].clipName, "00006");
}

TEST(Playlist, ReservedBitsAndHeaderBytesComeBackAsZero) {
  PlayItemBytes p;
  p.randomAccess = 0x81;
  PlaylistBytes f;
  f.playList = playListSection({playItem(p)}, {});
  f.appFlags = 0xA001;
  Bytes file = playlistFile(f);
  file[25] = 0x77;  // a reserved header byte
  Playlist m;
  ASSERT_EQ(parsePlaylist(file, m).status, ReadStatus::Ok);
  EXPECT_EQ(m.playlist.items[0].randomAccessFlag, 1);
  EXPECT_EQ(m.randomAccessFlag, 1);
  EXPECT_EQ(m.audioMixFlag, 0);
  EXPECT_EQ(m.bypassMixerFlag, 1);
  const Bytes out = composePlaylist(m);
  EXPECT_EQ(out[25], 0);
  EXPECT_EQ(out[56], 0xA0);
  EXPECT_EQ(out[57], 0x00);
  // PlayItem at 58 + 10: the random access byte is at offset 30.
  EXPECT_EQ(out[68 + 30], 0x80);
}

struct BadFileCase {
  const char* name;
  Bytes file;
  ReadStatus status;
  const char* logLine;
};

TEST(Playlist, FilesThatFailToReadLeaveAnEmptyModel) {
  PlaylistBytes v3;
  v3.version = "0400";
  const Bytes good = playlistFile(PlaylistBytes{});
  const Bytes truncated(good.begin(), good.begin() + 80);
  Bytes wrongType = good;
  wrongType[3] = 'X';
  const BadFileCase cases[] = {
      {"version 0400", playlistFile(v3), ReadStatus::Rejected, "ERROR: Invalid format: 00001.mpls"},
      {"wrong type", wrongType, ReadStatus::Rejected, "ERROR: Invalid format: 00001.mpls"},
      {"truncated", truncated, ReadStatus::Truncated, "ERROR: 00001.mpls ends early at $00000050"},
      {"garbage", Bytes(7, 0xFF), ReadStatus::Rejected, "ERROR: Invalid format: 00001.mpls"},
  };
  for (const BadFileCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const auto path = dir.write("00001.mpls", c.file);
    RecordingReporter rec;
    mirdal::test::ScopedTestReporter scope(rec);
    Playlist m;
    parsePlaylist(good, m);  // the playlist shown before
    EXPECT_EQ(readPlaylistFile(path.string(), m, mirdal::test::testReporter()), c.status);
    EXPECT_NE(rec.text().find(c.logLine), std::string::npos) << rec.text();
    if (c.status == ReadStatus::Rejected) {
      EXPECT_EQ(m, Playlist{});
    }
  }
}

TEST(Playlist, ReadLogsTheCountsUnlessQuiet) {
  TempDir dir;
  PlaylistBytes f;
  f.playList = playListSection({playItem({}), playItem({})}, {subPathWithMultiClip(3)});
  f.marks = markSection({{1, 0, 0}});
  const auto path = dir.write("00002.mpls", playlistFile(f));
  for (bool quiet : {false, true}) {
    RecordingReporter rec;
    mirdal::test::ScopedTestReporter scope(rec);
    Playlist m;
    EXPECT_EQ(readPlaylistFile(path.string(), m, mirdal::test::testReporter(), quiet), ReadStatus::Ok);
    const std::string log = rec.text();
    EXPECT_NE(log.find("Reading 00002.mpls"), std::string::npos);
    EXPECT_EQ(log.find("2 PlayItem(s), 1 SubPath(s) and 1 PlayListMark(s) found.") != std::string::npos, !quiet);
  }
}

TEST(Playlist, SaveRefusesAModelWhoseLengthsDoNotFit) {
  Playlist m;
  ASSERT_EQ(parsePlaylist(playlistFile(PlaylistBytes{}), m).status, ReadStatus::Ok);
  m.playlist.items[0].stn.primaryAudio.push_back(StreamRecord{});  // without the length updates
  TempDir dir;
  RecordingReporter rec;
  mirdal::test::ScopedTestReporter scope(rec);
  SaveRequest req{dir.folder(), "00001.mpls", {}, false, true};
  EXPECT_FALSE(savePlaylist(m, req, mirdal::test::testReporter()));
  EXPECT_NE(rec.text().find("Cannot save 00001.mpls: PlayItem 0 STN table: length"), std::string::npos) << rec.text();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "00001.mpls"));
}

// Inputs the fuzzers found faults with: a consistent read comes back whole;
// an inconsistent one is refused by the save, never written.
TEST(Playlist, FuzzerFindings) {
  const std::filesystem::path dir = std::filesystem::path(MIRDAL_SOURCE_DIR) / "tests/data/fuzz";
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (e.path().filename().string().rfind("mpls-", 0) != 0) continue;
    SCOPED_TRACE(e.path().filename().string());
    Bytes b;
    ASSERT_TRUE(readFileBytes(e.path().string(), b));
    Playlist m;
    if (parsePlaylist(b, m).status != ReadStatus::Ok) continue;
    if (checkLayout(m).empty()) {
      Playlist again;
      EXPECT_EQ(parsePlaylist(composePlaylist(m), again).status, ReadStatus::Ok);
    } else {
      TempDir dir2;
      RecordingReporter rec;
      mirdal::test::ScopedTestReporter scope(rec);
      EXPECT_FALSE(savePlaylist(m, SaveRequest{dir2.folder(), "x.mpls", {}, false, true}, mirdal::test::testReporter()));
    }
  }
}

}  // namespace
}  // namespace mirdal
