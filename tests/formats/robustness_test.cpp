// Damaged and random input: every reader must return, with a status, on
// every prefix of a valid file and on random bytes behind a valid header.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "support/bdmv_files.h"
#include "formats/bdjo.h"
#include "formats/ext_data_edit.h"
#include "formats/index_bdmv.h"
#include "formats/movie_objects.h"

namespace mirdal {
namespace {

Bytes validIndex() {
  const test::IndexEntryBytes fp{1, 0, 1, 0, ""};
  return test::indexFile("0200", fp, {2, 0, 0, 0, "00001"},
                         {{1, 0, 0, 1, ""}, {2, 2, 1, 0, "00002"}, {1, 3, 0, 2, ""}},
                         test::extensionData({{1, 2, {1, 2, 3}}, {3, 4, {5}}}))
      .data();
}

Bytes validMovieObjects() {
  return test::movieObjectFile("0200", {{0x8000, {{1, 2, 3}, {4, 5, 6}}}, {0, {}}, {0x2000, {{7, 8, 9}}}},
                               test::extensionData({{1, 2, {1, 2, 3}}}))
      .data();
}

// Parses with each reader and, where the model came out whole, checks that
// writing it and reading it again gives the same model.
void exercise(const Bytes& b) {
  TINDX idx;
  if (parseIndex(b, idx).status == ReadStatus::Ok) {
    TINDX again;
    ASSERT_EQ(parseIndex(composeIndex(idx), again).status, ReadStatus::Ok);
    EXPECT_EQ(again.indexes, idx.indexes);
    if (idx.ExtensionData_start_address != 0) {
      EXPECT_EQ(again.extension_data, idx.extension_data);
    }
    for (std::size_t i = 0; i < idx.extension_data.entries.size(); ++i) extDataDump(idx.extension_data, i);
    composeExd(idx.extension_data);
  }
  TMOBJ m;
  if (parseMovieObjects(b, m).status == ReadStatus::Ok) {
    TMOBJ again;
    ASSERT_EQ(parseMovieObjects(composeMovieObjects(m), again).status, ReadStatus::Ok);
    EXPECT_EQ(again.movie_objects, m.movie_objects);
  }
  TBDJO o;
  parseBDJO(b, o);
}

// Inputs the fuzzers found faults with, one file each.
TEST(Robustness, FuzzerFindings) {
  const std::filesystem::path dir = std::filesystem::path(MIRDAL_SOURCE_DIR) / "tests/data/fuzz";
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    Bytes b;
    ASSERT_TRUE(readFileBytes(e.path().string(), b));
    SCOPED_TRACE(e.path().filename().string());
    exercise(b);
    ++files;
  }
  EXPECT_GT(files, 0);
}

TEST(Robustness, EveryPrefixOfAValidFile) {
  for (const Bytes& full : {validIndex(), validMovieObjects()}) {
    for (std::size_t n = 0; n < full.size(); ++n) {
      const Bytes prefix(full.begin(), full.begin() + std::ptrdiff_t(n));
      exercise(prefix);
    }
  }
}

TEST(Robustness, TruncatedFilesAreNeverReportedWhole) {
  const Bytes idx = validIndex(), mo = validMovieObjects();
  // Up to the end of the entry table of the ExtensionData; past it every
  // byte belongs to the open-ended data part.
  for (std::size_t n = 8; n < idx.size() - 28 + 24; ++n) {
    TINDX m;
    EXPECT_NE(parseIndex(Bytes(idx.begin(), idx.begin() + std::ptrdiff_t(n)), m).status, ReadStatus::Ok) << n;
  }
  for (std::size_t n = 8; n < mo.size() - 3; ++n) {
    TMOBJ m;
    EXPECT_NE(parseMovieObjects(Bytes(mo.begin(), mo.begin() + std::ptrdiff_t(n)), m).status, ReadStatus::Ok)
        << n;
  }
}

TEST(Robustness, RandomBytesBehindValidHeaders) {
  std::mt19937 rng(4711);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> len(0, 400);
  for (const char* head : {"INDX0200", "MOBJ0100", "BDJO0200"}) {
    for (int round = 0; round < 2000; ++round) {
      Bytes b(head, head + 8);
      const int n = len(rng);
      for (int i = 0; i < n; ++i) b.push_back(std::uint8_t(byte(rng)));
      exercise(b);
    }
  }
}

TEST(Robustness, RandomMutationsOfValidFiles) {
  std::mt19937 rng(815);
  for (const Bytes& full : {validIndex(), validMovieObjects()}) {
    std::uniform_int_distribution<std::size_t> pos(8, full.size() - 1);
    for (int round = 0; round < 3000; ++round) {
      Bytes b = full;
      for (int k = 0; k < 3; ++k) b[pos(rng)] = std::uint8_t(rng());
      exercise(b);
    }
  }
}

}  // namespace
}  // namespace mirdal
