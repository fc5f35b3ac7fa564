#include "formats/playlist/playlist_clip_uses.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/playlist/mpls.h"
#include "formats/playlist/mpls_edit.h"
#include "support/build_paths.h"
#include "support/file_bytes.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

namespace fs = std::filesystem;

// The committed sample disc's playlists, and one whose PlayItem has a
// second angle and whose SubPlayItem a second clip.
std::vector<Bytes> playlists() {
  std::vector<Bytes> out;
  for (const auto& e : fs::directory_iterator(fs::path(MIRDAL_SOURCE_DIR) / "samples/disc/BDMV/PLAYLIST"))
    out.push_back(test::fileBytes(e.path().string()));
  Playlist m;
  EXPECT_EQ(parsePlaylist(out.front(), m).status, ReadStatus::Ok);
  setMultiAngle(m, 0, true);
  insertAngle(m, 0, 0);
  m.playlist.items[0].angles.angles[1].clipName = "00010";
  insertSubPath(m, kNoRow);
  insertSubPlayItem(m, 0, kNoRow);
  m.playlist.subpaths[0].items[0].clipName = "00011";
  setMultiClip(m, 0, 0, true);
  insertMultiClipEntry(m, 0, 0, 0);
  m.playlist.subpaths[0].items[0].clips[1].clipName = "00012";
  out.push_back(composePlaylist(m));
  return out;
}

// The walk names what the parsed model names, and ends early where a
// parse of the PlayList section does, for every length the file is cut to.
TEST(ClipUses, WalkAgreesWithTheParseAtEveryCut) {
  bool sawAngle = false;
  for (const Bytes& file : playlists()) {
    Playlist whole;
    ASSERT_EQ(parsePlaylist(file, whole).status, ReadStatus::Ok);
    const std::vector<PlaylistClipUse> expected = clipUsesOf(whole);
    for (const PlaylistClipUse& u : expected) sawAngle = sawAngle || u.angle > 0;
    const std::size_t sectionEnd = whole.playListStartAddress + 4 + whole.playlist.length;
    for (std::size_t n = 0; n <= file.size(); ++n) {
      SCOPED_TRACE(n);
      const Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(n));
      std::vector<PlaylistClipUse> uses;
      const ReadStatus walked = walkClipUses(cut, uses);
      if (n >= sectionEnd) {
        ASSERT_EQ(walked, ReadStatus::Ok);
        ASSERT_EQ(uses, expected);
      } else {
        Playlist part;
        ASSERT_EQ(walked, parsePlaylist(cut, part).status);
      }
    }
  }
  EXPECT_TRUE(sawAngle);
}

// Find's read writes the lines of the quiet read of the whole model.
TEST(ClipUses, ReadLogsAsTheQuietReadDoes) {
  TempDir d;
  const Bytes good = playlists().back();
  d.write("good.mpls", std::string(good.begin(), good.end()));
  d.write("short.mpls", std::string(good.begin(), good.begin() + 70));
  d.write("other.mpls", std::string("MPLS0400 not a playlist"));
  for (const char* name : {"good.mpls", "short.mpls", "other.mpls", "absent.mpls"}) {
    SCOPED_TRACE(name);
    const std::string path = d.folder() + name;
    test::ReportScope walked;
    std::vector<PlaylistClipUse> uses;
    const ReadStatus a = readClipUses(path, uses, test::testReporter());
    const std::vector<std::string> walkLines = walked.rep.lines();
    test::ReportScope parsed;
    Playlist m;
    EXPECT_EQ(a, readPlaylistFile(path, m, test::testReporter(), true));
    EXPECT_EQ(walkLines, parsed.rep.lines());
    EXPECT_FALSE(walkLines.empty());
  }
}

}  // namespace
}  // namespace mirdal
