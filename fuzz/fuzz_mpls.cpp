// Playlists: any input parses without fault; a file read whole is written
// and read back to the same model; Find's walk over the clip names gives the
// model's uses; the grid rows, the chapter export and the layout check work
// on whatever was read.
#include <cstddef>
#include <cstdint>

#include "core/report.h"
#include "formats/playlist/chapters.h"
#include "formats/playlist/mpls.h"
#include "formats/playlist/mpls_edit.h"
#include "formats/playlist/playlist_clip_uses.h"
#include "present/mpls_rows.h"
#include "fuzz_check.h"
#include "tests/support/recording_reporter.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  Playlist m;
  const PlaylistParse res = parsePlaylist(in, m);
  // A consistent model comes back whole; the reserved header bytes are the
  // only fields the writer changes. An inconsistent one (sections that
  // overlap, lengths that disagree) is never saved.
  std::vector<PlaylistClipUse> uses;
  const ReadStatus walked = walkClipUses(in, uses);
  if (res.status == ReadStatus::Ok && checkLayout(m).empty()) {
    // Lengths that agree with the content: the walk steps where the parse does.
    FUZZ_CHECK(walked == ReadStatus::Ok && uses == clipUsesOf(m));
    Playlist again;
    FUZZ_CHECK(parsePlaylist(composePlaylist(m), again).status == ReadStatus::Ok);
    Playlist expected = m;
    expected.reserved = Bytes(20, 0);
    FUZZ_CHECK(again == expected);
  }
  if (!usable(res.status)) return 0;
  for (std::size_t i = 0; i < m.playlist.items.size(); ++i) {
    playItemRow(m, i);
    const PlayItem& p = m.playlist.items[i];
    for (std::size_t k = 0; k < p.angles.angles.size(); ++k) angleRow(p, k);
    stnRow(p.stn);
    for (int c = 0; c < kStreamCategories; ++c)
      for (std::size_t r = 0; r < streamCount(p.stn, StreamCategory(c)); ++r) streamRow(p.stn, StreamCategory(c), r);
  }
  for (std::size_t i = 0; i < m.playlist.subpaths.size(); ++i) {
    const SubPath& s = m.playlist.subpaths[i];
    subPathRow(s, i);
    for (std::size_t k = 0; k < s.items.size(); ++k) {
      subPlayItemRow(s.items[k], k);
      for (std::size_t e = 0; e < s.items[k].clips.size(); ++e) multiClipRow(s.items[k], e);
    }
  }
  for (std::size_t i = 0; i < m.marks.marks.size(); ++i) markRow(m.marks, i);
  for (ChapterFormat f : {ChapterFormat::PTS, ChapterFormat::Frame, ChapterFormat::Time}) exportChapters(m, f, mirdal::test::testReporter());
  return 0;
}
