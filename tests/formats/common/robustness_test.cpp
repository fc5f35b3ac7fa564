// Damaged and random input: every reader must return, with a status, on
// every prefix of a valid file and on random bytes behind a valid header.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

#include "support/bdmv_files.h"
#include "formats/bdjo/bdjo.h"
#include "formats/common/ext_data_edit.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"

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
  IndexFile idx;
  if (parseIndex(b, idx).status == ReadStatus::Ok) {
    IndexFile again;
    ASSERT_EQ(parseIndex(composeIndex(idx), again).status, ReadStatus::Ok);
    EXPECT_EQ(again.indexes, idx.indexes);
    if (idx.extensionDataStartAddress != 0) {
      EXPECT_EQ(again.extensionData, idx.extensionData);
    }
    for (std::size_t i = 0; i < idx.extensionData.entries.size(); ++i) extDataDump(idx.extensionData, i);
    composeExtDataFile(idx.extensionData);
  }
  MovieObjectFile m;
  if (parseMovieObjects(b, m).status == ReadStatus::Ok) {
    MovieObjectFile again;
    ASSERT_EQ(parseMovieObjects(composeMovieObjects(m), again).status, ReadStatus::Ok);
    EXPECT_EQ(again.movieObjects, m.movieObjects);
  }
  BdjoFile o;
  parseBdjo(b, o);
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
    IndexFile m;
    EXPECT_NE(parseIndex(Bytes(idx.begin(), idx.begin() + std::ptrdiff_t(n)), m).status, ReadStatus::Ok) << n;
  }
  for (std::size_t n = 8; n < mo.size() - 3; ++n) {
    MovieObjectFile m;
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

#include "core/report.h"
#include "formats/clip/clpi.h"
#include "formats/playlist/mpls.h"
#include "formats/sound/sound_bdmv.h"
#include "menu/igs_read.h"
#include "menu/igs_write.h"
#include "support/recording_reporter.h"
#include "support/shared_samples.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

// Real files of one kind: those of the committed sample disc, and of the
// shared samples when they are there.
std::vector<Bytes> realFiles(const std::vector<std::string>& extensions) {
  std::vector<fs::path> roots = {fs::path(MIRDAL_SOURCE_DIR) / "samples/disc"};
  if (!test::sharedSamples().empty()) roots.push_back(test::sharedSamples());
  std::vector<Bytes> out;
  for (const fs::path& root : roots)
    for (const auto& e : fs::recursive_directory_iterator(root)) {
      const std::string ext = e.path().extension().string();
      const std::string name = e.path().filename().string();
      bool wanted = false;
      for (const std::string& x : extensions) wanted = wanted || ext == x || name == x;
      if (!wanted || e.path().string().find("/BACKUP/") != std::string::npos) continue;
      Bytes b;
      if (readFileBytes(e.path().string(), b) && b.size() >= 8) out.push_back(std::move(b));
    }
  return out;
}

// Each real file as it is, then mutated: three random bytes past the
// header changed, `rounds` times.
void overMutations(const std::vector<Bytes>& files, int rounds, const std::function<void(const Bytes&)>& check) {
  std::mt19937 rng(2718);
  for (const Bytes& full : files) {
    check(full);
    std::uniform_int_distribution<std::size_t> pos(8, full.size() - 1);
    for (int round = 0; round < rounds; ++round) {
      Bytes b = full;
      for (int k = 0; k < 3; ++k) b[pos(rng)] = std::uint8_t(rng());
      check(b);
    }
  }
}

// What a save writes reads back as the model that was saved. A writer that
// refuses a model (its layout does not hold) writes nothing, which is fine;
// one that writes must write what it was given.
TEST(SaveThenRead, Clips) {
  const auto files = realFiles({".clpi", ".CPI"});
  ASSERT_GE(files.size(), 3u);
  int written = 0;
  overMutations(files, 400, [&](const Bytes& b) {
    ClipInfoFile c;
    if (parseClipInfo(b, c).status != ReadStatus::Ok) return;
    if (!prepareForSave(c).empty()) return;
    ClipInfoFile again;
    ASSERT_EQ(parseClipInfo(composeClipInfo(c), again).status, ReadStatus::Ok);
    EXPECT_EQ(again, c);
    ++written;
  });
  EXPECT_GE(written, int(files.size()));
}

TEST(SaveThenRead, Playlists) {
  const auto files = realFiles({".mpls", ".MPL"});
  ASSERT_GE(files.size(), 3u);
  int written = 0;
  overMutations(files, 150, [&](const Bytes& b) {
    Playlist m;
    if (parsePlaylist(b, m).status != ReadStatus::Ok || !checkLayout(m).empty()) return;
    Playlist again;
    ASSERT_EQ(parsePlaylist(composePlaylist(m), again).status, ReadStatus::Ok);
    // The 20 reserved bytes of the header are held but written as zeros.
    again.reserved = m.reserved;
    EXPECT_EQ(again.typeIndicator, m.typeIndicator);
    EXPECT_EQ(again.appInfoExtra, m.appInfoExtra);
    EXPECT_EQ(again.gapBeforePlaylist, m.gapBeforePlaylist);
    EXPECT_EQ(again.playlist, m.playlist);
    EXPECT_EQ(again.gapBeforeMarks, m.gapBeforeMarks);
    EXPECT_EQ(again.marks, m.marks);
    EXPECT_EQ(again.gapBeforeExt, m.gapBeforeExt);
    EXPECT_EQ(again.extensionData, m.extensionData);
    EXPECT_EQ(again.tail, m.tail);
    EXPECT_EQ(again, m);
    ++written;
  });
  EXPECT_GE(written, int(files.size()));
}

TEST(SaveThenRead, SoundFiles) {
  const auto files = realFiles({"sound.bdmv"});
  ASSERT_GE(files.size(), 1u);
  int written = 0;
  overMutations(files, 1000, [&](const Bytes& b) {
    SoundFile snd;
    if (parseSound(b, snd).status != ReadStatus::Ok) return;
    // The writer lays the entries out anew; what they hold comes back.
    SoundFile again;
    const Bytes out = composeSound(snd);
    ASSERT_EQ(parseSound(out, again).status, ReadStatus::Ok);
    EXPECT_EQ(again.entries.size(), snd.entries.size());
    for (std::size_t i = 0; i < snd.entries.size() && i < again.entries.size(); ++i) {
      EXPECT_EQ(again.entries[i].data, snd.entries[i].data);
      EXPECT_EQ(again.entries[i].channelConfiguration, snd.entries[i].channelConfiguration);
      EXPECT_EQ(again.entries[i].samplingFrequency, snd.entries[i].samplingFrequency);
      EXPECT_EQ(again.entries[i].bitsPerSample, snd.entries[i].bitsPerSample);
    }
    if (snd.extensionDataStartAddress != 0) {
      EXPECT_EQ(again.extensionData, snd.extensionData);
    }
    EXPECT_EQ(composeSound(again), out);
    ++written;
  });
  EXPECT_GE(written, 1);
}

TEST(SaveThenRead, Menus) {
  const auto files = realFiles({".mnu"});
  ASSERT_GE(files.size(), 1u);
  int written = 0;
  overMutations(files, 150, [&](const Bytes& b) {
    test::ReportScope s;
    IgMenu m;
    const int before = mirdal::test::testReporter().errorCount();
    if (parseMnu(b, m, mirdal::test::testReporter()).status != ReadStatus::Ok || mirdal::test::testReporter().errorCount() != before) return;
    Bytes out;
    if (!composeMenuSegments(m, SegmentFraming::Mnu, out, mirdal::test::testReporter())) return;
    IgMenu again;
    ASSERT_EQ(parseMnu(out, again, mirdal::test::testReporter()).status, ReadStatus::Ok) << s.rep.text();
    EXPECT_EQ(mirdal::test::testReporter().errorCount(), before) << s.rep.text();
    EXPECT_EQ(again.ics.pages, m.ics.pages);
    EXPECT_EQ(again.palettes, m.palettes);
    EXPECT_EQ(again.objects.size(), m.objects.size());
    ++written;
  });
  EXPECT_GE(written, 1);
}

}  // namespace
}  // namespace mirdal
