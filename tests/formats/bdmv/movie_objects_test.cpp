#include "formats/bdmv/movie_objects.h"

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
using test::movieObjectFile;
using test::ObjectBytes;

const std::vector<ObjectBytes> kThreeObjects = {
    {0x0000, {{0x50400001, 0, 1}, {0x22800000, 0, 0}}},
    {0xA000, {}},
    {0x6000, {{0x21810000, 1, 0}}},
};

using test::RoundTripCase;


class MovieObjectRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(MovieObjectRoundTrip, UneditedFileComesBackByteForByte) {
  MovieObjectFile m;
  ASSERT_EQ(parseMovieObjects(GetParam().file, m).status, ReadStatus::Ok);
  EXPECT_EQ(composeMovieObjects(m), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MovieObjectRoundTrip,
    ::testing::Values(
        RoundTripCase{"NoObjects", movieObjectFile("0200", {})},
        RoundTripCase{"Version0100", movieObjectFile("0100", kThreeObjects)},
        RoundTripCase{"ExtensionData",
                      movieObjectFile("0200", kThreeObjects,
                                      test::extensionData({{0x1000, 1, {1, 2, 3}}, {0x2000, 2, {4}}}, {0, 0}))},
        RoundTripCase{"ReservedFieldsKept",
                      [] {
                        Bytes b = movieObjectFile("0200", kThreeObjects).data();
                        for (int i = 12; i < 40; ++i) b[i] = std::uint8_t(i);
                        b[44] = 0x12;  // the reserved word after the length
                        b[47] = 0x34;
                        return b;
                      }()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MovieObjects, FlagsAndRows) {
  const Bytes file = movieObjectFile("0200", kThreeObjects);
  MovieObjectFile m;
  ASSERT_EQ(parseMovieObjects(file, m).status, ReadStatus::Ok);
  ASSERT_EQ(m.movieObjects.objects.size(), 3u);
  EXPECT_EQ(m.movieObjects.length, 6u + 28 + 4 + 16);
  EXPECT_EQ(objectRow(m, 0), (std::array<std::string, 5>{"000", "discard", "enable", "enable", "2"}));
  EXPECT_EQ(objectRow(m, 1), (std::array<std::string, 5>{"001", "suspend", "enable", "disable", "0"}));
  EXPECT_EQ(objectRow(m, 2), (std::array<std::string, 5>{"002", "discard", "disable", "disable", "1"}));
  EXPECT_EQ(m.movieObjects.objects[0].commands[0], (NavCommand{0x50400001, 0, 1}));
  EXPECT_EQ(objectCounter(m), "3 objects");
  EXPECT_EQ(commandWords(m.movieObjects.objects[2].commands[0]), "21810000 00000001 00000000");
}

TEST(MovieObjects, LowFlagBitsAreDropped) {
  MovieObjectFile m;
  ASSERT_EQ(parseMovieObjects(movieObjectFile("0200", {{0xFFFF, {}}, {0x1FFF, {}}}), m).status,
            ReadStatus::Ok);
  EXPECT_EQ(composeMovieObjects(m), movieObjectFile("0200", {{0xE000, {}}, {0x0000, {}}}).data());
}

struct EarlyEndCase {
  const char* name;
  Bytes file;
  std::size_t objectsRead;
  std::vector<std::size_t> commandCounts;  // of every object after the read
};
void PrintTo(const EarlyEndCase& c, std::ostream* os) { *os << c.name; }


class MovieObjectEarlyEnd : public ::testing::TestWithParam<EarlyEndCase> {};

TEST_P(MovieObjectEarlyEnd, ReadsUpToTheEndAndLeavesTheRestZero) {
  const EarlyEndCase& c = GetParam();
  MovieObjectFile m;
  const MovieObjectsParse res = parseMovieObjects(c.file, m);
  EXPECT_EQ(res.status, ReadStatus::Truncated);
  EXPECT_EQ(res.objectsRead, c.objectsRead);
  ASSERT_EQ(m.movieObjects.objects.size(), c.commandCounts.size());
  for (std::size_t i = 0; i < c.commandCounts.size(); ++i)
    EXPECT_EQ(m.movieObjects.objects[i].commands.size(), c.commandCounts[i]) << "object " << i;
  EXPECT_EQ(m.extensionData, ExtensionData{});
  // Objects behind the end are empty, with all flags 0.
  for (std::size_t i = c.objectsRead; i < m.movieObjects.objects.size(); ++i)
    EXPECT_EQ(m.movieObjects.objects[i], MovieObject{});
}

Bytes cut(const Bytes& b, std::size_t size) { return Bytes(b.begin(), b.begin() + std::ptrdiff_t(size)); }

const Bytes kFull = movieObjectFile("0200", kThreeObjects, test::extensionData({{1, 1, {1}}})).data();

INSTANTIATE_TEST_SUITE_P(
    Files, MovieObjectEarlyEnd,
    ::testing::Values(
        // Object 0 ends at 50 + 28 = 78, object 1 at 82, object 2 at 98.
        EarlyEndCase{"AfterTheFirstCommand", cut(kFull, 50 + 4 + 12), 1, {2, 0, 0}},
        EarlyEndCase{"InsideACommand", cut(kFull, 50 + 4 + 20), 1, {2, 0, 0}},
        EarlyEndCase{"AfterAnObject", cut(kFull, 82), 2, {2, 0, 0}},
        EarlyEndCase{"InsideTheObjectCount", cut(kFull, 49), 0, {}},
        EarlyEndCase{"BeforeTheExtensionData", cut(kFull, 98), 3, {2, 0, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MovieObjectLoad, LogAndStatusLines) {
  struct Panels : test::RecordingReporter {
    std::vector<std::string> panel1;
    void statusChanged(const StatusLine& st) override { panel1.push_back(st.panel[1]); }
  } rep;
  mirdal::test::ScopedTestReporter scope(rep);
  test::TempDir d;
  d.write("MovieObject.bdmv", movieObjectFile("0200", kThreeObjects, test::extensionData({{1, 1, {1}}})));
  MovieObjectFile m;
  EXPECT_EQ(readMovieObjectFile(d.folder() + "MovieObject.bdmv", m, mirdal::test::testReporter()).status, ReadStatus::Ok);
  EXPECT_EQ(rep.lines(),
            (std::vector<std::string>{" Reading MovieObject.bdmv", "   Found 3 objects, 1 extended entry."}));
  // After each object the position and the file size; the ExtensionData
  // keeps the last object from ending the file.
  EXPECT_EQ(rep.panel1, (std::vector<std::string>{"", " 78/123 ", " 82/123 ", " 98/123 "}));
}

TEST(MovieObjectLoad, ErrorLines) {
  struct Case {
    Bytes file;
    ReadStatus status;
    std::vector<std::string> log;
  };
  const std::vector<Case> cases = {
      {ByteBuilder().str("MOBJ0400").zeros(60), ReadStatus::Rejected,
       {" Reading MovieObject.bdmv", " ERROR: Format error MovieObject.bdmv"}},
      {ByteBuilder().str("MOBJ0000").zeros(60), ReadStatus::Rejected,
       {" Reading MovieObject.bdmv", " ERROR: Format error MovieObject.bdmv"}},
      {ByteBuilder().str("INDX0200").zeros(60), ReadStatus::Rejected,
       {" Reading MovieObject.bdmv", " ERROR: Format error MovieObject.bdmv"}},
      {cut(movieObjectFile("0200", kThreeObjects), 60), ReadStatus::Truncated,
       {" Reading MovieObject.bdmv", " ERROR: MovieObject.bdmv ends early at $0000003C",
        "   Found 3 objects, 0 extended entry."}},
      {movieObjectFile("0200", {}), ReadStatus::Ok,
       {" Reading MovieObject.bdmv", "   Found 0 objects, 0 extended entry."}},
  };
  for (const Case& c : cases) {
    test::ReportScope s;
    test::TempDir d;
    d.write("MovieObject.bdmv", c.file);
    MovieObjectFile m;
    EXPECT_EQ(readMovieObjectFile(d.folder() + "MovieObject.bdmv", m, mirdal::test::testReporter()).status, c.status);
    EXPECT_EQ(s.rep.lines(), c.log);
  }
}

TEST(MovieObjectSave, WritesTheFileAndLogLines) {
  test::ReportScope s;
  test::TempDir d;
  MovieObjectFile m;
  ASSERT_EQ(parseMovieObjects(movieObjectFile("0200", kThreeObjects), m).status, ReadStatus::Ok);
  SaveRequest req;
  req.folder = d.folder();
  req.name = "MovieObject.bdmv";
  ASSERT_TRUE(saveMovieObjects(m, req, mirdal::test::testReporter()));
  EXPECT_EQ(s.rep.lines(),
            (std::vector<std::string>{" Saving MovieObject.bdmv", " MovieObject.bdmv saved."}));
  EXPECT_EQ(d.read("MovieObject.bdmv"), movieObjectFile("0200", kThreeObjects).data());
}

}  // namespace
}  // namespace mirdal
