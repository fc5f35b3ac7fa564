#include "formats/bdmv/index_bdmv.h"

#include <gtest/gtest.h>

#include "core/report.h"
#include "support/bdmv_files.h"
#include "support/round_trip_case.h"
#include "present/bdmv_rows.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::ByteBuilder;
using test::IndexEntryBytes;
using test::indexFile;

const IndexEntryBytes kOff{1, 0, 0, 0xFFFF, ""};

IndexEntryBytes hdmv(std::uint16_t ref, int playback = 0, int access = 0) {
  return {1, access, playback, ref, ""};
}
IndexEntryBytes bdj(const std::string& name, int playback = 0, int access = 0) {
  return {2, access, playback, 0, name};
}

using test::RoundTripCase;


class IndexRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(IndexRoundTrip, UneditedFileComesBackByteForByte) {
  IndexFile idx;
  const IndexParse res = parseIndex(GetParam().file, idx);
  ASSERT_EQ(res.status, ReadStatus::Ok);
  EXPECT_EQ(composeIndex(idx), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IndexRoundTrip,
    ::testing::Values(
        RoundTripCase{"NoTitles", indexFile("0100", kOff, hdmv(0, 1), {})},
        RoundTripCase{"HdmvAndBdjTitles",
                      indexFile("0200", hdmv(3), hdmv(1, 1),
                                {hdmv(0), bdj("00001", 1, 2), hdmv(2, 1, 3), bdj("00002", 2, 1),
                                 bdj("AB")},
                                {}, "Mirdal test content provider 32c")},
        RoundTripCase{"BdjFirstPlaybackAndTopMenu",
                      indexFile("0200", bdj("00007"), bdj("00008", 0), {bdj("00007")})},
        RoundTripCase{"ExtensionDataWithSeveralEntries",
                      indexFile("0200", hdmv(0), kOff, {hdmv(1)},
                                test::extensionData({{0x1000, 0x0100, {1, 2, 3, 4, 5}},
                                                     {0x2000, 0x0200, {6, 7, 8}},
                                                     {0x3000, 0x0300, {}}},
                                                    {0, 0, 0xEE}))},
        RoundTripCase{"IndexesBlockBehindAGap",
                      [] {
                        ByteBuilder b;
                        b.str("INDX0200").u32(84).u32(84 + 4 + 38).zeros(24).u32(34).u16(0).zeros(32);
                        b.bytes({0xDE, 0xAD, 0, 0, 0xBE, 0xEF});  // 6 bytes between 78 and 84
                        b.u32(38);
                        test::putIndexEntry(b, kOff);
                        test::putIndexEntry(b, kOff);
                        b.u16(1);
                        test::putIndexEntry(b, hdmv(0));
                        b.bytes(test::extensionData({{1, 1, {9}}}));
                        return Bytes(b.data());
                      }()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Index, FieldsOfEveryEntryKind) {
  const Bytes file = indexFile("0200", hdmv(3, 1), bdj("00009"),
                               {hdmv(4, 1, 0), bdj("00001", 2, 1), hdmv(2, 0, 3), bdj("12345", 0, 2)},
                               {}, "provider");
  IndexFile idx;
  ASSERT_EQ(parseIndex(file, idx).status, ReadStatus::Ok);
  EXPECT_EQ(idx.versionNumber, "0200");
  EXPECT_EQ(idx.contentProviderData, "provider");
  const Indexes& ix = idx.indexes;
  EXPECT_EQ(ix.length, 26u + 48u);
  EXPECT_EQ(ix.firstPlayback, (IndexEntry{1, 1, 3, ""}));
  EXPECT_EQ(ix.topMenu, (IndexEntry{2, 0, 0, "00009"})) << "a BD-J entry counts as on";

  const std::vector<std::array<std::string, 5>> rows = {
      {"001", "HDMV", "Permitted", "Interactive", "4"},
      {"002", "BD-J", "Permitted", "", "00001"},  // access type 1, playback type 2
      {"003", "HDMV", "Prohibited2", "Movie", "2"},
      {"004", "BD-J", "Prohibited1", "Movie", "12345"},
  };
  ASSERT_EQ(ix.titles.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(ix.titles[i].titleNumber, i + 1);
    EXPECT_EQ(titleRow(idx, i), rows[i]) << "title " << i + 1;
  }
  EXPECT_EQ(ix.titles[1].accessType, 1) << "kept until edited";
  EXPECT_EQ(ix.titles[1].playbackType, 2);
  EXPECT_EQ(titleCounter(idx), "4 + 2 titles");
}

TEST(Index, ReservedBitsAreDroppedAndTextsCutAtZero) {
  ByteBuilder in;
  in.str("INDX0200").u32(78).u32(0).zeros(24).u32(34).u16(0xABCD);
  in.bytes({'A', 'B', 0, 'C', 'D'}).zeros(27);
  in.u32(38);
  in.u32(0x4FFFFFFF).u16(0x7FFF).u16(5).u32(0xFFFFFFFF);  // First Playback, reserved bits set
  in.u32(0x80000123).u16(0x0001).str("00001").u8(0x77);          // Top Menu, BD-J
  in.u16(1).u32(0x7FFFFFFF).u16(0x4ABC).u16(9).u32(0x12345678);

  ByteBuilder out;
  out.str("INDX0200").u32(78).u32(0).zeros(24).u32(34).u16(0xABCD);
  out.str("AB", 32);
  out.u32(38);
  out.u32(0x40000000).u16(0x4000).u16(5).u32(0);
  out.u32(0x80000000).u16(0).str("00001").u8(0);
  out.u16(1).u32(0x70000000).u16(0x4000).u16(9).u32(0);

  IndexFile idx;
  ASSERT_EQ(parseIndex(in, idx).status, ReadStatus::Ok);
  EXPECT_EQ(idx.appInfoBdmvFlags, 0xABCD) << "flags are kept, never interpreted";
  EXPECT_EQ(composeIndex(idx), out.data());
}

TEST(Index, IndexesAddressBeforeTheEndOfTheHeaderIsWrittenWhereTheBlockIs) {
  // The block overlaps the content provider data: read from 74, written at 78.
  ByteBuilder in;
  in.str("INDX0200").u32(74).u32(74 + 4 + 26).zeros(24).u32(34).u16(0).zeros(28);
  in.u32(26);
  test::putIndexEntry(in, kOff);
  test::putIndexEntry(in, kOff);
  in.u16(0).u32(0);  // an empty ExtensionData
  IndexFile idx;
  ASSERT_EQ(parseIndex(in, idx).status, ReadStatus::Ok);
  const Bytes out = composeIndex(idx);
  IndexFile again;
  ASSERT_EQ(parseIndex(out, again).status, ReadStatus::Ok);
  EXPECT_EQ(again.indexesStartAddress, 78u);
  EXPECT_EQ(again.extensionDataStartAddress, 78u + 4 + 26);
  EXPECT_EQ(again.indexes, idx.indexes);
}

struct LoadCase {
  const char* name;
  Bytes file;
  ReadStatus status;
  std::vector<std::string> log;
};
void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }


class IndexLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(IndexLoad, LogLines) {
  test::ReportScope s;
  test::TempDir d;
  d.write("index.bdmv", GetParam().file);
  IndexFile idx;
  EXPECT_EQ(readIndexFile(d.folder() + "index.bdmv", idx, mirdal::test::testReporter()).status, GetParam().status);
  EXPECT_EQ(s.rep.lines(), GetParam().log);
}

Bytes tooManyTitles() {
  ByteBuilder b;
  b.str("INDX0200").u32(78).u32(0).zeros(24).u32(34).u16(0).zeros(32).u32(26 + 12000);
  test::putIndexEntry(b, kOff);
  test::putIndexEntry(b, kOff);
  b.u16(1000).zeros(12000);
  return b.data();
}

INSTANTIATE_TEST_SUITE_P(
    Files, IndexLoad,
    ::testing::Values(
        LoadCase{"Good", indexFile("0200", kOff, kOff, {hdmv(0), hdmv(1)}, test::extensionData({{1, 2, {3}}})),
                 ReadStatus::Ok,
                 {" Reading index.bdmv", "   Found 2 titles, 1 extended entry."}},
        LoadCase{"VersionNextToUltraHD", ByteBuilder().str("INDX0301").zeros(200), ReadStatus::Rejected,
                 {" Reading index.bdmv", " ERROR: index.bdmv format error at $00000008"}},
        LoadCase{"WrongVersion", ByteBuilder().str("INDX0400").zeros(200), ReadStatus::Rejected,
                 {" Reading index.bdmv", " ERROR: index.bdmv format error at $00000008"}},
        LoadCase{"WrongType", ByteBuilder().str("MOBJ0200").zeros(200), ReadStatus::Rejected,
                 {" Reading index.bdmv", " ERROR: index.bdmv format error at $00000008"}},
        LoadCase{"ShorterThanTheHeader", ByteBuilder().str("IND"), ReadStatus::Rejected,
                 {" Reading index.bdmv", " ERROR: index.bdmv format error at $00000008"}},
        LoadCase{"TooManyTitles", tooManyTitles(), ReadStatus::Rejected,
                 {" Reading index.bdmv", " Error in index.bdmv (number of title: 1000)"}},
        LoadCase{"EndsInsideTheTitles",
                 [] {
                   Bytes b = indexFile("0200", kOff, kOff, {hdmv(0), hdmv(1), hdmv(2)}).data();
                   b.resize(b.size() - 14);
                   return b;
                 }(),
                 ReadStatus::Truncated,
                 {" Reading index.bdmv", " ERROR: index.bdmv ends early at $00000082",
                  "   Found 3 titles, 0 extended entry."}},
        LoadCase{"ExtensionDataMissing",
                 ByteBuilder(indexFile("0200", kOff, kOff, {hdmv(0)})).patch32(12, 120), ReadStatus::Truncated,
                 {" Reading index.bdmv", " ERROR: index.bdmv ends early at $00000078",
                  "   Found 1 titles, 0 extended entry."}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IndexLoad, MissingFileIsReported) {
  test::ReportScope s;
  test::TempDir d;
  IndexFile idx;
  EXPECT_EQ(readIndexFile(d.folder() + "index.bdmv", idx, mirdal::test::testReporter()).status, ReadStatus::Unreadable);
  ASSERT_EQ(s.rep.lines().size(), 2u);
  EXPECT_EQ(s.rep.lines()[1].rfind(" ERROR: Cannot read ", 0), 0u);
}

TEST(IndexLoad, TitleCounterOnStatusPanel) {
  struct Panels : test::RecordingReporter {
    std::vector<std::string> panel1;
    void statusChanged(const StatusLine& st) override { panel1.push_back(st.panel[1]); }
  } rep;
  mirdal::test::ScopedTestReporter scope(rep);
  test::TempDir d;
  d.write("index.bdmv", indexFile("0200", kOff, kOff, {hdmv(0), hdmv(1), hdmv(2)}));
  IndexFile idx;
  readIndexFile(d.folder() + "index.bdmv", idx, mirdal::test::testReporter());
  const std::vector<std::string> want = {"", " 1/3 ", " 2/3 ", " 3/3 "};
  EXPECT_EQ(rep.panel1, want);
}

TEST(IndexSave, WritesTheFileWithBackupAndLogLines) {
  test::ReportScope s;
  test::TempDir d;
  d.mkdir("BACKUP");
  const Bytes original = indexFile("0200", kOff, hdmv(0), {hdmv(0)});
  d.write("index.bdmv", original);
  IndexFile idx;
  ASSERT_EQ(parseIndex(original, idx).status, ReadStatus::Ok);
  idx.contentProviderData = "changed";

  SaveRequest req;
  req.folder = d.folder();
  req.name = "index.bdmv";
  req.backup.saveToBackupDir = true;
  req.copyToBackupDir = true;
  ASSERT_TRUE(saveIndex(idx, req, mirdal::test::testReporter()));
  EXPECT_EQ(s.rep.lines(), (std::vector<std::string>{" Saving index.bdmv", " index.bdmv saved."}));
  EXPECT_EQ(mirdal::test::testReporter().status().panel[0], " Ready. ");
  EXPECT_EQ(d.read("index.bdmv"), composeIndex(idx));
  EXPECT_EQ(d.read("index.bdmv.backup"), original);
  EXPECT_EQ(d.read("BACKUP/index.bdmv"), composeIndex(idx));
}

}  // namespace
}  // namespace mirdal
