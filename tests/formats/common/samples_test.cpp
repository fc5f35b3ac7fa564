// Real disc files: the committed sample disc, and the shared samples of
// files nobody here wrote (skipped when that folder is absent).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/fields.h"
#include "formats/bdjo/bdjo.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/sound/sound_bdmv.h"

#include "support/shared_samples.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

using test::sharedSamples;

// Every index and movie object file below root comes back byte for byte.
int roundTripAll(const fs::path& root) {
  int files = 0;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (!e.is_regular_file()) continue;
    const std::string name = e.path().filename().string();
    Bytes data;
    EXPECT_TRUE(readFileBytes(e.path().string(), data)) << e.path();
    if (name == "index.bdmv" || name == "INDEX.BDM") {
      IndexFile idx;
      EXPECT_EQ(parseIndex(data, idx).status, ReadStatus::Ok) << e.path();
      EXPECT_EQ(composeIndex(idx), data) << e.path();
      ++files;
    } else if (name == "MovieObject.bdmv" || name == "MOVIEOBJ.BDM") {
      MovieObjectFile m;
      EXPECT_EQ(parseMovieObjects(data, m).status, ReadStatus::Ok) << e.path();
      EXPECT_EQ(composeMovieObjects(m), data) << e.path();
      ++files;
    } else if (name == "sound.bdmv") {
      SoundFile snd;
      EXPECT_EQ(parseSound(data, snd).status, ReadStatus::Ok) << e.path();
      EXPECT_EQ(composeSound(snd), data) << e.path();
      ++files;
    } else if (e.path().extension() == ".bdjo") {
      BdjoFile o;
      EXPECT_EQ(parseBdjo(data, o), ReadStatus::Ok) << e.path();
      ++files;
    }
  }
  return files;
}

TEST(Samples, SharedDiscFilesRoundTrip) {
  const fs::path root = sharedSamples();
  if (root.empty()) GTEST_SKIP() << "no shared samples folder";
  EXPECT_GT(roundTripAll(root), 0);
}

TEST(Samples, CommittedSampleDisc) {
  const fs::path bdmv = fs::path(MIRDAL_SOURCE_DIR) / "samples/disc/BDMV";
  EXPECT_GE(roundTripAll(bdmv), 6);

  Bytes data;
  ASSERT_TRUE(readFileBytes((bdmv / "index.bdmv").string(), data));
  IndexFile idx;
  ASSERT_EQ(parseIndex(data, idx).status, ReadStatus::Ok);
  int hdmv = 0, bdj = 0;
  for (const auto& t : idx.indexes.titles) (t.objectType == 1 ? hdmv : bdj)++;
  EXPECT_GE(hdmv, 2);
  EXPECT_GE(bdj, 2);
  for (const auto& t : idx.indexes.titles)
    if (t.objectType != 1) {
      EXPECT_TRUE(fs::exists(bdmv / "BDJO" / (t.bdjObjectName + ".bdjo")));
    }

  // Three sounds, mono and stereo, each a whole number of sample frames.
  ASSERT_TRUE(readFileBytes((bdmv / "AUXDATA/sound.bdmv").string(), data));
  SoundFile snd;
  ASSERT_EQ(parseSound(data, snd).status, ReadStatus::Ok);
  ASSERT_EQ(snd.entries.size(), 3u);
  int stereo = 0;
  for (const SoundEntry& e : snd.entries) {
    stereo += e.channelConfiguration == kSoundStereo;
    EXPECT_EQ(e.length % (e.channelConfiguration == kSoundStereo ? 4 : 2), 0u);
  }
  EXPECT_EQ(stereo, 1);
}

}  // namespace
}  // namespace mirdal
