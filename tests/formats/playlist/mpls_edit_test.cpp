// Playlist edits: the length and address arithmetic of every edit in one
// table, the limits, the IN-time cascade, the cell rules and the chapter
// arithmetic with its worked examples.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "formats/playlist/chapters.h"
#include "formats/playlist/mpls.h"
#include "present/mpls_cells.h"
#include "formats/playlist/mpls_edit.h"
#include "present/mpls_rows.h"
#include "support/bdmv_files.h"
#include "support/mpls_bytes.h"
#include "support/recording_reporter.h"

namespace mirdal {
namespace {

using namespace test;

// Two PlayItems (the first with 2 PG and 1 PiP PG stream), one SubPath,
// three marks and an ExtensionData block.
Playlist sample() {
  PlayItemBytes first;
  first.in = 450000;  // 00:00:10.000
  first.out = 900000;
  first.stnTable = stn({1, 1, 2, 0, 0, 0, 1},
                       cat({videoStream(0x1011, 0x63), plainStream(0x1100, 0x81, 0x61, "eng"),
                            plainStream(0x1200, 0x90, 'e', "ng"), plainStream(0x1201, 0x90, 'd', "eu"),
                            plainStream(0x1A00, 0x90, 'f', "ra")}));
  PlayItemBytes second;
  second.in = 900000;
  second.out = 1350000;
  PlaylistBytes f;
  ByteBuilder spi;
  spi.str("00003", 5).str("M2TS", 4).u32(2).u8(0).u32(450000).u32(900000).u16(0).u32(0);
  f.playList = playListSection({playItem(first), playItem(second)},
                               {withLength32(cat({{0, 3, 0, 0, 0, 1}, withLength16(spi.data())}))});
  f.marks = markSection({{1, 0, 450000}, {1, 1, 1125000}, {2, 0, 500000}});
  f.ext = extensionData({{1, 1, {9}}});
  Playlist m;
  EXPECT_EQ(parsePlaylist(playlistFile(f), m).status, ReadStatus::Ok);
  EXPECT_EQ(checkLayout(m), "");
  return m;
}

struct EditCase {
  const char* name;
  std::function<bool(Playlist&)> edit;
  std::int64_t fileDelta;  // bytes the file grows by
  bool marksOnly;          // only the mark section changes size
};

TEST(PlaylistEdit, EveryEditKeepsLengthsAndAddressesRight) {
  const EditCase cases[] = {
      {"insert audio", [](Playlist& m) { return insertStream(m, 0, StreamCategory::PrimaryAudio, 0) == 1; }, 16, false},
      {"insert PG", [](Playlist& m) { return insertStream(m, 0, StreamCategory::PG, 1) == 2; }, 16, false},
      {"insert IG into none", [](Playlist& m) { return insertStream(m, 1, StreamCategory::IG, kNoRow) == 0; }, 16, false},
      {"delete PG", [](Playlist& m) { return deleteStream(m, 0, StreamCategory::PG, 0); }, -16, false},
      {"delete PiP PG", [](Playlist& m) { return deleteStream(m, 0, StreamCategory::PiPPG, 0); }, -16, false},
      {"insert SubPath", [](Playlist& m) { return insertSubPath(m, 0) == 1; }, 40, false},
      {"delete SubPath", [](Playlist& m) { return deleteSubPath(m, 0); }, -40, false},
      {"insert SubPlayItem", [](Playlist& m) { return insertSubPlayItem(m, 0, 0) == 1; }, 30, false},
      {"multi-clip on", [](Playlist& m) { return setMultiClip(m, 0, 0, true); }, 2, false},
      {"multi-clip entry",
       [](Playlist& m) { return setMultiClip(m, 0, 0, true) && insertMultiClipEntry(m, 0, 0, 0) == 1; }, 12, false},
      {"multi-angle on with an angle",
       [](Playlist& m) { return setMultiAngle(m, 1, true) && insertAngle(m, 1, 0) == 1; }, 12, false},
      {"insert mark", [](Playlist& m) { return insertMark(m, 2) == 3; }, 14, true},
      {"delete three marks", [](Playlist& m) { return deleteMarks(m, {0, 1, 2}) == 3; }, -42, true},
      {"three chapters for three marks",
       [](Playlist& m) { return importChapters(m, "0\r\n1\r\n2\r\n", ChapterFormat::PTS, mirdal::test::testReporter()) == 3u; }, 0, true},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    Playlist m = sample();
    const Playlist before = m;
    ASSERT_TRUE(c.edit(m));
    EXPECT_EQ(checkLayout(m), "");
    EXPECT_EQ(std::int64_t(composePlaylist(m).size()), std::int64_t(composePlaylist(before).size()) + c.fileDelta);
    EXPECT_EQ(std::int64_t(m.extensionDataStartAddress) - before.extensionDataStartAddress, c.fileDelta);
    const std::int64_t markShift = c.marksOnly ? 0 : c.fileDelta;
    EXPECT_EQ(std::int64_t(m.playListMarkStartAddress) - before.playListMarkStartAddress, markShift);
    Playlist back;
    ASSERT_EQ(parsePlaylist(composePlaylist(m), back).status, ReadStatus::Ok);
    EXPECT_EQ(back, m);
  }
}

struct NewMarkCase {
  const char* name;
  std::vector<Mark> marks;
  std::size_t selectedMark, selectedItem;
  std::uint16_t item;  // where the new mark is
  std::uint32_t time;
  std::size_t row;
};

// "+" puts the mark where the user is, never before a PlayItem's IN time,
// and keeps marks in time order.
TEST(PlaylistEdit, NewMarkGoesWhereTheUserIsInTimeOrder) {
  const std::vector<Mark> ordered = {Mark{0, 1, 0, 450000, 0xFFFF, 0}, Mark{0, 1, 0, 500000, 0xFFFF, 0},
                                     Mark{0, 1, 1, 1125000, 0xFFFF, 0}};
  const NewMarkCase cases[] = {
      {"at the selected mark", ordered, 1, kNoRow, 0, 500000, 2},
      {"at the last mark", ordered, 2, 0, 1, 1125000, 3},
      {"at the selected PlayItem", ordered, kNoRow, 1, 1, 900000, 2},
      {"nothing selected", ordered, kNoRow, kNoRow, 0, 450000, 1},
      {"no marks yet", {}, kNoRow, 1, 1, 900000, 0},
      {"PlayItem that is not there", {}, kNoRow, 9, 0, 450000, 0},
  };
  for (const NewMarkCase& c : cases) {
    SCOPED_TRACE(c.name);
    Playlist m = sample();
    replaceMarks(m, c.marks);
    ASSERT_EQ(insertMark(m, c.selectedMark, c.selectedItem), c.row);
    const Mark& k = m.marks.marks[c.row];
    EXPECT_EQ(k.playItemRef, c.item);
    EXPECT_EQ(k.time, c.time);
    EXPECT_EQ(k.type, 1);
    EXPECT_EQ(k.entryPid, 0xFFFF);
    EXPECT_TRUE(std::is_sorted(m.marks.marks.begin(), m.marks.marks.end(), [](const Mark& a, const Mark& b) {
      return a.playItemRef < b.playItemRef || (a.playItemRef == b.playItemRef && a.time < b.time);
    }));
    EXPECT_EQ(checkLayout(m), "");
  }
}

// The ExtensionData editor's OK: removing the block and giving it back
// leaves the file as it was; a block added to a playlist without one goes
// after the marks.
TEST(PlaylistEdit, ExtensionDataGoesAndComesBack) {
  Playlist m = sample();
  const Playlist before = m;
  const Bytes original = composePlaylist(m);
  applyExtensionData(m, ExtensionData{});
  EXPECT_EQ(m.extensionDataStartAddress, 0u);
  EXPECT_EQ(checkLayout(m), "");
  EXPECT_LT(composePlaylist(m).size(), original.size());
  applyExtensionData(m, before.extensionData);
  EXPECT_EQ(checkLayout(m), "");
  EXPECT_EQ(composePlaylist(m), original);
}

struct LimitCase {
  const char* name;
  std::function<void(Playlist&)> fill;
  std::function<bool(Playlist&)> edit;
};

TEST(PlaylistEdit, EditsAtALimitChangeNothing) {
  const LimitCase cases[] = {
      {"33rd audio stream",
       [](Playlist& m) {
         while (m.playlist.items[0].stn.primaryAudio.size() < 32) insertStream(m, 0, StreamCategory::PrimaryAudio, 0);
       },
       [](Playlist& m) { return insertStream(m, 0, StreamCategory::PrimaryAudio, 0) != kNoRow; }},
      {"33rd IG stream",
       [](Playlist& m) { while (m.playlist.items[0].stn.ig.size() < 32) insertStream(m, 0, StreamCategory::IG, 0); },
       [](Playlist& m) { return insertStream(m, 0, StreamCategory::IG, 0) != kNoRow; }},
      {"only audio stream", [](Playlist&) {}, [](Playlist& m) { return deleteStream(m, 0, StreamCategory::PrimaryAudio, 0); }},
      {"primary video", [](Playlist&) {}, [](Playlist& m) { return deleteStream(m, 0, StreamCategory::PrimaryVideo, 0); }},
      {"secondary video insert", [](Playlist&) {},
       [](Playlist& m) { return insertStream(m, 0, StreamCategory::SecondaryVideo, 0) != kNoRow; }},
      {"empty IG list", [](Playlist&) {}, [](Playlist& m) { return deleteStream(m, 0, StreamCategory::IG, 0); }},
      {"256th SubPath", [](Playlist& m) { while (m.playlist.subpaths.size() < 255) insertSubPath(m, 0); },
       [](Playlist& m) { return insertSubPath(m, 0) != kNoRow; }},
      {"1000th mark", [](Playlist& m) { while (m.marks.marks.size() < 999) insertMark(m, 0); },
       [](Playlist& m) { return insertMark(m, 0) != kNoRow; }},
      {"last SubPlayItem", [](Playlist&) {}, [](Playlist& m) { return deleteSubPlayItem(m, 0, 0); }},
      {"angle 0", [](Playlist& m) { setMultiAngle(m, 0, true); }, [](Playlist& m) { return deleteAngle(m, 0, 0); }},
      {"mark without a mark section", [](Playlist& m) { m.playListMarkStartAddress = 0; },
       [](Playlist& m) { return insertMark(m, 0) != kNoRow; }},
  };
  for (const LimitCase& c : cases) {
    SCOPED_TRACE(c.name);
    Playlist m = sample();
    c.fill(m);
    const Playlist before = m;
    EXPECT_FALSE(c.edit(m));
    EXPECT_EQ(m, before);
  }
}

TEST(PlaylistEdit, PGInsertKeepsThePiPStreamBehind) {
  Playlist m = sample();
  ASSERT_EQ(insertStream(m, 0, StreamCategory::PG, 1), 2u);
  const Stn& t = m.playlist.items[0].stn;
  EXPECT_EQ(pgStreamCount(t), 3u);
  EXPECT_EQ(t.pipPgCount, 1);
  EXPECT_EQ(t.pg.back().entry.mainPid, 0x1A00);
  EXPECT_EQ(t.pg[2].entry.mainPid, 0x1200);  // the default PG stream
}

TEST(PlaylistEdit, InTimeCascadeMovesWhatTheAnswersSay) {
  Playlist m = sample();
  const auto t12 = parsePlaylistTime("00:00:12.000");
  ASSERT_TRUE(t12);
  EXPECT_EQ(inTimeQuestions(m, 0, *t12).size(), 3u);
  EXPECT_TRUE(inTimeQuestions(m, 0, 450000).empty());
  setPlayItemInTime(m, 0, *t12, {true, true, true});
  EXPECT_EQ(m.playlist.items[0].outTime, 990000u);
  EXPECT_EQ(m.playlist.subpaths[0].items[0].inTime, 540000u);
  EXPECT_EQ(m.playlist.subpaths[0].items[0].outTime, 990000u);
  EXPECT_EQ(m.marks.marks[0].time, 540000u);
  EXPECT_EQ(m.marks.marks[1].time, 1125000u);  // names PlayItem 1
  EXPECT_EQ(m.marks.marks[2].time, 590000u);

  Playlist n = sample();
  EXPECT_TRUE(editPlayItemCell(n, 0, PlayItemColumn::InTime, "00:00:12.000", {false, false, false}));
  EXPECT_EQ(n.playlist.items[0].outTime, 900000u);
  EXPECT_EQ(playItemRow(n, 0)[5], "00:00:08.000");
}

struct CellCase {
  const char* name;
  std::function<bool(Playlist&)> edit;
  bool accepted;
  std::function<std::string(const Playlist&)> shown;
  const char* expected;
};

TEST(PlaylistEdit, CellRules) {
  auto item = [](const Playlist& m) { return playItemRow(m, 0); };
  auto sub = [](const Playlist& m) { return subPlayItemRow(m.playlist.subpaths[0].items[0], 0); };
  const CellCase cases[] = {
      {"4-character clip name", [](Playlist& m) { return editPlayItemCell(m, 0, PlayItemColumn::File, "0001"); }, false,
       [&](const Playlist& m) { return item(m)[1]; }, "00001"},
      {"clip name", [](Playlist& m) { return editPlayItemCell(m, 0, PlayItemColumn::File, "00042"); }, true,
       [&](const Playlist& m) { return item(m)[1]; }, "00042"},
      {"UO2 keeps bit 30", [](Playlist& m) { return editPlayItemCell(m, 0, PlayItemColumn::UO2, "40000001"); }, true,
       [&](const Playlist& m) { return item(m)[7]; }, "40000000"},
      {"UO1 non-hex is 0", [](Playlist& m) { return editPlayItemCell(m, 0, PlayItemColumn::UO1, "0000000G"); }, true,
       [&](const Playlist& m) { return item(m)[6]; }, "00000000"},
      {"OUT time with a blank", [](Playlist& m) { return editPlayItemCell(m, 0, PlayItemColumn::OutTime, "00:00:1 .000"); },
       false, [&](const Playlist& m) { return item(m)[4]; }, "00:00:20.000"},
      {"conn 3 is 1", [](Playlist& m) { return editSubPlayItemCell(m, 0, 0, SubPlayItemColumn::Conn, "3"); }, true,
       [&](const Playlist& m) { return sub(m)[3]; }, "1"},
      {"conn 6", [](Playlist& m) { return editSubPlayItemCell(m, 0, 0, SubPlayItemColumn::Conn, "6"); }, true,
       [&](const Playlist& m) { return sub(m)[3]; }, "6"},
      {"multi Y", [](Playlist& m) { return editSubPlayItemCell(m, 0, 0, SubPlayItemColumn::Multi, "Y"); }, true,
       [&](const Playlist& m) { return sub(m)[4] + checkLayout(m); }, "Yes"},
      {"STC above a byte", [](Playlist& m) { return editSubPlayItemCell(m, 0, 0, SubPlayItemColumn::STC, "300"); }, false,
       [&](const Playlist& m) { return sub(m)[5]; }, "0"},
      {"sync PI modulo 999", [](Playlist& m) { return editSubPlayItemCell(m, 0, 0, SubPlayItemColumn::SyncPI, "999"); },
       true, [&](const Playlist& m) { return sub(m)[8]; }, "000"},
  };
  for (const CellCase& c : cases) {
    SCOPED_TRACE(c.name);
    Playlist m = sample();
    EXPECT_EQ(c.edit(m), c.accepted);
    EXPECT_EQ(c.shown(m), c.expected);
  }
}

TEST(PlaylistEdit, TimesAndMarkTimeEditors) {
  EXPECT_EQ(playlistTimeText(2812500), "00:01:02.500");
  EXPECT_EQ(parsePlaylistTime("00:01:02.500"), 2812500u);
  EXPECT_EQ(parsePlaylistTime("00-01:02.500"), std::nullopt);
  EXPECT_EQ(parsePlaylistTime("99:00:00.000"), std::nullopt);  // past 32 bits
  EXPECT_EQ(parsePlaylistTime("00:61:01.000"), std::nullopt);  // not 01:01:01
  EXPECT_EQ(parsePlaylistTime("00:00:60.000"), std::nullopt);
  EXPECT_EQ(parsePlaylistTime("00:59:59.999"), 161999955u);
  EXPECT_EQ(playlistTimeText(0xFFFFFFFF), "26:30:43.717");  // hours run past 24
  EXPECT_EQ(markTime({25, 59, 59, 999}), 4211999955u);
  const MarkTimeParts p = markTimeParts(4211999955u);
  EXPECT_EQ(p.hours, 25u);
  EXPECT_EQ(p.ms, 999u);
}

TEST(Chapters, WorkedExamples) {
  Playlist m = sample();  // PlayItems 450000-900000 and 900000-1350000
  m.marks.marks = {Mark{0, 1, 1, 1125000, 0xFFFF, 0}};
  EXPECT_EQ(exportChapters(m, ChapterFormat::PTS, mirdal::test::testReporter()), "675000\r\n");
  EXPECT_EQ(exportChapters(m, ChapterFormat::Time, mirdal::test::testReporter()), "00:00:15.000\r\n");
  // The primary video runs at 25 frames per second (code 3).
  EXPECT_EQ(exportChapters(m, ChapterFormat::Frame, mirdal::test::testReporter()), "375000\r\n");
  EXPECT_EQ(chapterLine(45000, ChapterFormat::Frame, {25000, 1000}), "25000");
  EXPECT_EQ(chapterFileName("00001", ChapterFormat::Frame), "chapter_00001_frame.txt");

  struct ImportCase {
    const char* line;
    ChapterFormat format;
    std::uint16_t item;
    std::uint32_t time;
  };
  const ImportCase cases[] = {
      {"450000", ChapterFormat::PTS, 1, 900000},   // the end of PlayItem 0 is the start of 1
      {"449999", ChapterFormat::PTS, 0, 899999},
      {"0", ChapterFormat::PTS, 0, 450000},
      {"00:00:15.000", ChapterFormat::Time, 1, 1125000},
      {"375000", ChapterFormat::Frame, 1, 1125000},
  };
  for (const ImportCase& c : cases) {
    SCOPED_TRACE(c.line);
    Playlist n = sample();
    ASSERT_EQ(importChapters(n, std::string(c.line) + "\r\n", c.format, mirdal::test::testReporter()), 1u);
    EXPECT_EQ(n.marks.marks[0].playItemRef, c.item);
    EXPECT_EQ(n.marks.marks[0].time, c.time);
    EXPECT_EQ(n.marks.marks[0].entryPid, 0xFFFF);
    EXPECT_EQ(checkLayout(n), "");
  }
}

// A mark at the start of a PlayItem is where the file's coarse units (a
// thousandth of a frame, a millisecond) meet the PlayItem boundary: it must
// come back on its own PlayItem, at its IN time, at every frame rate.
TEST(Chapters, MarksAtAPlayItemStartComeBackOnIt) {
  for (const std::uint8_t rate : {1, 2, 3, 4, 6, 7}) {
    for (const ChapterFormat f : {ChapterFormat::PTS, ChapterFormat::Frame, ChapterFormat::Time}) {
      SCOPED_TRACE("rate code " + std::to_string(rate) + ", format " + std::to_string(int(f)));
      Playlist m = sample();  // PlayItems 450000-900000 and 900000-1350000
      m.playlist.items[0].stn.primaryVideo[0].attributes.frameRate = rate;
      m.marks.marks = {Mark{0, 1, 0, 450000, 0xFFFF, 0}, Mark{0, 1, 1, 900000, 0xFFFF, 0},
                       Mark{0, 1, 1, 900001, 0xFFFF, 0}};
      const auto text = exportChapters(m, f, mirdal::test::testReporter());
      ASSERT_TRUE(text);
      Playlist back = m;
      ASSERT_EQ(importChapters(back, *text, f, mirdal::test::testReporter()), 3u);
      EXPECT_EQ(back.marks.marks[0].playItemRef, 0);
      EXPECT_EQ(back.marks.marks[0].time, 450000u);
      EXPECT_EQ(back.marks.marks[1].playItemRef, 1);
      EXPECT_EQ(back.marks.marks[1].time, 900000u);
      EXPECT_EQ(back.marks.marks[2].playItemRef, 1);
    }
  }
}

TEST(Chapters, FrameFormatRoundTripsUpToTruncation) {
  Playlist m = sample();
  m.playlist.items[0].stn.primaryVideo[0].attributes.frameRate = 1;  // 23.976
  m.marks.marks = {Mark{0, 1, 0, 450000 + 12345, 0xFFFF, 0}, Mark{0, 1, 1, 1000000, 0xFFFF, 0}};
  const auto text = exportChapters(m, ChapterFormat::Frame, mirdal::test::testReporter());
  ASSERT_TRUE(text);
  Playlist back = m;
  ASSERT_EQ(importChapters(back, *text, ChapterFormat::Frame, mirdal::test::testReporter()), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(back.marks.marks[i].playItemRef, m.marks.marks[i].playItemRef);
    EXPECT_NEAR(double(back.marks.marks[i].time), double(m.marks.marks[i].time), 2);
  }
}

struct ChapterProblem {
  const char* name;
  std::function<void(Playlist&)> prepare;
  std::function<bool(Playlist&)> run;  // true when the operation went ahead
  bool goesAhead;
  const char* logText;
};

TEST(Chapters, ProblemsAreToldInTheLog) {
  const ChapterProblem cases[] = {
      {"Frame without a frame rate", [](Playlist& m) { m.playlist.items[0].stn.primaryVideo[0].attributes.frameRate = 5; },
       [](Playlist& m) { return exportChapters(m, ChapterFormat::Frame, mirdal::test::testReporter()).has_value(); }, false, "Frame format needs"},
      {"mark naming no PlayItem", [](Playlist& m) { m.marks.marks[1].playItemRef = 7; },
       [](Playlist& m) { return exportChapters(m, ChapterFormat::PTS, mirdal::test::testReporter()) == "0\r\n50000\r\n"; }, true,
       "names PlayItem 7, which this playlist does not have"},
      {"chapter past the end", [](Playlist&) {},
       [](Playlist& m) { return importChapters(m, "100\r\n900000\r\n", ChapterFormat::PTS, mirdal::test::testReporter()) == 1u; }, true,
       "lies beyond the last PlayItem"},
      {"line that is not a number", [](Playlist&) {},
       [](Playlist& m) { return importChapters(m, "100\r\nabc\r\n", ChapterFormat::PTS, mirdal::test::testReporter()).has_value(); }, false,
       "Line 2 is not a chapter time: abc (a whole number)"},
      {"61 minutes", [](Playlist&) {},
       [](Playlist& m) {
         return importChapters(m, "00:00:01.000\r\n00:61:01.000\r\n", ChapterFormat::Time, mirdal::test::testReporter()).has_value();
       },
       false, "Line 2 is not a chapter time: 00:61:01.000 (minutes and seconds run from 00 to 59)"},
      {"60 seconds", [](Playlist&) {},
       [](Playlist& m) { return importChapters(m, "00:00:60.000\r\n", ChapterFormat::Time, mirdal::test::testReporter()).has_value(); }, false,
       "Line 1 is not a chapter time: 00:00:60.000 (minutes and seconds run from 00 to 59)"},
      {"time of another shape", [](Playlist&) {},
       [](Playlist& m) { return importChapters(m, "0:00:01.000\r\n", ChapterFormat::Time, mirdal::test::testReporter()).has_value(); }, false,
       "Line 1 is not a chapter time: 0:00:01.000 (hh:mm:ss.mmm)"},
      {"UTF-8 byte order mark", [](Playlist&) {},
       [](Playlist& m) { return importChapters(m, "\xEF\xBB\xBF" "00:00:01.000\r\n", ChapterFormat::Time, mirdal::test::testReporter()) == 1u; },
       true, "0, 00:00:00.000"},
  };
  for (const ChapterProblem& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingReporter rec;
    mirdal::test::ScopedTestReporter scope(rec);
    Playlist m = sample();
    c.prepare(m);
    const Playlist before = m;
    EXPECT_EQ(c.run(m), c.goesAhead);
    EXPECT_NE(rec.text().find(c.logText), std::string::npos) << rec.text();
    if (!c.goesAhead) {
      EXPECT_EQ(m, before);
    }
  }
}

TEST(Chapters, ImportTracesThePlayItemsPassed) {
  RecordingReporter rec;
  mirdal::test::ScopedTestReporter scope(rec);
  Playlist m = sample();
  ASSERT_EQ(importChapters(m, "500000\r\n", ChapterFormat::PTS, mirdal::test::testReporter()), 1u);
  const auto lines = rec.lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_NE(rec.text().find("0: 00:00:11.111 00:00:10.000   0007A120 0006DDD0"), std::string::npos) << rec.text();
  EXPECT_NE(rec.text().find("1, 00:00:10.000"), std::string::npos) << rec.text();

  // Without the trace only what the user must know is logged.
  RecordingReporter quiet;
  mirdal::test::ScopedTestReporter quietScope(quiet);
  Playlist n = sample();
  ASSERT_EQ(importChapters(n, "500000\r\n900000\r\n", ChapterFormat::PTS, mirdal::test::testReporter(), false), 1u);
  EXPECT_EQ(quiet.text().find("00:00:11.111"), std::string::npos) << quiet.text();
  EXPECT_NE(quiet.text().find("lies beyond the last PlayItem"), std::string::npos) << quiet.text();
}

}  // namespace
}  // namespace mirdal
