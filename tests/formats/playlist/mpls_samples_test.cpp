// Real playlists from the shared samples (skipped when that folder is
// absent): a read and a write give the file back byte for byte apart from
// the reserved header bytes, and every insert followed by the matching
// delete gives back the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "formats/playlist/mpls.h"
#include "formats/playlist/playlist_clip_uses.h"
#include "formats/playlist/mpls_edit.h"

#include "support/shared_samples.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> samplePlaylists() {
  const fs::path root = test::sharedSamples();
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
    Playlist m;
    ASSERT_EQ(parsePlaylist(data, m).status, ReadStatus::Ok);
    EXPECT_EQ(checkLayout(m), "");
    EXPECT_EQ(composePlaylist(m), withZeroReserved(data));
    // Find's walk over the clip names gives the uses the model lists.
    std::vector<PlaylistClipUse> uses;
    EXPECT_EQ(walkClipUses(data, uses), ReadStatus::Ok);
    EXPECT_EQ(uses, clipUsesOf(m));
  }
}

// An insert and the delete that undoes it, with the bytes the insert adds.
struct EditPair {
  const char* name;
  std::size_t bytes;
  bool (*insert)(Playlist&);  // false when the file offers no place for it
  bool (*remove)(Playlist&);
};

const EditPair kEditPairs[] = {
    {"primary audio stream", 16,
     [](Playlist& m) { return !m.playlist.items.empty() && insertStream(m, 0, StreamCategory::PrimaryAudio, 0) == 1; },
     [](Playlist& m) { return deleteStream(m, 0, StreamCategory::PrimaryAudio, 1); }},
    {"PG stream", 16,
     [](Playlist& m) { return !m.playlist.items.empty() && insertStream(m, 0, StreamCategory::PG, kNoRow) == 0; },
     [](Playlist& m) { return deleteStream(m, 0, StreamCategory::PG, 0); }},
    {"IG stream", 16,
     [](Playlist& m) { return !m.playlist.items.empty() && insertStream(m, 0, StreamCategory::IG, 0) != kNoRow; },
     [](Playlist& m) { return deleteStream(m, 0, StreamCategory::IG, m.playlist.items[0].stn.ig.size() > 1 ? 1 : 0); }},
    {"SubPath", 40, [](Playlist& m) { return insertSubPath(m, kNoRow) == 0; },
     [](Playlist& m) { return deleteSubPath(m, 0); }},
    {"SubPlayItem", 30,
     [](Playlist& m) { return !m.playlist.subpaths.empty() && insertSubPlayItem(m, 0, 0) == 1; },
     [](Playlist& m) { return deleteSubPlayItem(m, 0, 1); }},
    {"angle", 10,
     [](Playlist& m) {
       // A PlayItem with an angle block, or the block turned on (2 bytes
       // more, undone below) when none has one.
       return !m.playlist.items.empty() && setMultiAngle(m, 0, true) && insertAngle(m, 0, 0) == 1;
     },
     [](Playlist& m) { return deleteAngle(m, 0, 1); }},
    {"multi-clip entry", 10,
     [](Playlist& m) {
       return !m.playlist.subpaths.empty() && setMultiClip(m, 0, 0, true) && insertMultiClipEntry(m, 0, 0, 0) == 1;
     },
     [](Playlist& m) { return deleteMultiClipEntry(m, 0, 0, 1); }},
    {"mark", 14, [](Playlist& m) { return insertMark(m, 0) != kNoRow; },
     [](Playlist& m) { return deleteMarks(m, {m.marks.marks.size() > 1 ? 1u : 0u}) == 1; }},
};

TEST(PlaylistSamples, InsertThenDeleteGivesTheBytesBack) {
  const auto files = samplePlaylists();
  if (files.empty()) GTEST_SKIP() << "no shared samples folder";
  std::size_t applied = 0;
  for (const fs::path& f : files) {
    Bytes data;
    ASSERT_TRUE(readFileBytes(f.string(), data));
    Playlist original;
    ASSERT_EQ(parsePlaylist(data, original).status, ReadStatus::Ok);
    const Bytes before = composePlaylist(original);
    for (const EditPair& e : kEditPairs) {
      SCOPED_TRACE(f.string() + ": " + e.name);
      Playlist m = original;
      if (!e.insert(m)) continue;
      ++applied;
      EXPECT_EQ(checkLayout(m), "");
      // Turning an angle or multi-clip block on adds its own 2 bytes.
      const bool blockAdded = (e.bytes == 10) && composePlaylist(m).size() == before.size() + 12;
      EXPECT_EQ(composePlaylist(m).size(), before.size() + e.bytes + (blockAdded ? 2 : 0));
      Playlist back;
      EXPECT_EQ(parsePlaylist(composePlaylist(m), back).status, ReadStatus::Ok);
      EXPECT_EQ(back, m);
      ASSERT_TRUE(e.remove(m));
      if (blockAdded) {
        if (e.name == std::string("angle")) setMultiAngle(m, 0, false);
        else setMultiClip(m, 0, 0, false);
      }
      EXPECT_EQ(composePlaylist(m), before);
    }
  }
  EXPECT_GT(applied, files.size());
}

// Deleting any stream keeps the file consistent and shortens it by the
// stream's size, for every category the real files have.
TEST(PlaylistSamples, DeletingStreamsKeepsLengthsRight) {
  const auto files = samplePlaylists();
  if (files.empty()) GTEST_SKIP() << "no shared samples folder";
  for (const fs::path& f : files) {
    Bytes data;
    ASSERT_TRUE(readFileBytes(f.string(), data));
    Playlist original;
    ASSERT_EQ(parsePlaylist(data, original).status, ReadStatus::Ok);
    for (std::size_t i = 0; i < original.playlist.items.size(); ++i) {
      for (int c = 1; c < kStreamCategories; ++c) {
        Playlist m = original;
        const std::size_t size = streamSize(m.playlist.items[i].stn, StreamCategory(c), 0);
        if (!deleteStream(m, i, StreamCategory(c), 0)) continue;
        SCOPED_TRACE(f.string() + " item " + std::to_string(i) + " category " + std::to_string(c));
        EXPECT_EQ(checkLayout(m), "");
        EXPECT_EQ(composePlaylist(m).size() + size, data.size());
      }
    }
  }
}

}  // namespace
}  // namespace mirdal
