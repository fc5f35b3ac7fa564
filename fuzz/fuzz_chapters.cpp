// Chapter files: any text imports in each format without fault onto a
// playlist of three PlayItems. The marks it gives lie inside their
// PlayItems, the playlist stays consistent, and those marks exported as
// PTS lines import back to the same marks.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/playlist/chapters.h"
#include "formats/playlist/mpls.h"
#include "fuzz_check.h"
#include "tests/support/recording_reporter.h"

using namespace mirdal;

namespace {

// 23.976 frames per second video in three PlayItems of 10 s, 0.5 s and
// 3 hours (room for a film's chapters), the first on a timeline that starts
// at 600 s as muxers write it.
Playlist playlist() {
  Playlist m;
  for (const auto& [in, out] : {std::pair{27000000u, 27450000u}, {0u, 22500u}, {45000u, 486045000u}}) {
    PlayItem p;
    p.clipName = "00000";
    p.inTime = in;
    p.outTime = out;
    StreamRecord video;
    video.entry.type = 1;
    video.entry.mainPid = 0x1011;
    video.attributes.codingType = 0x1B;
    video.attributes.videoFormat = 6;
    video.attributes.frameRate = 1;
    p.stn.primaryVideo.push_back(video);
    m.playlist.items.push_back(p);
  }
  fitLayout(m);
  return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Playlist base = playlist();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (ChapterFormat f : {ChapterFormat::PTS, ChapterFormat::Frame, ChapterFormat::Time}) {
    Playlist m = base;
    const auto n = importChapters(m, text, f, mirdal::test::testReporter());
    if (!n) {
      FUZZ_CHECK(m == base);
      continue;
    }
    FUZZ_CHECK(*n == m.marks.marks.size() && *n <= 999);
    FUZZ_CHECK(checkLayout(m).empty());
    for (const Mark& k : m.marks.marks) {
      FUZZ_CHECK(k.playItemRef < m.playlist.items.size());
      const PlayItem& p = m.playlist.items[k.playItemRef];
      FUZZ_CHECK(k.time >= p.inTime && k.time < p.outTime);
    }
    for (ChapterFormat g : {ChapterFormat::Frame, ChapterFormat::Time}) FUZZ_CHECK(exportChapters(m, g, mirdal::test::testReporter()));
    const auto pts = exportChapters(m, ChapterFormat::PTS, mirdal::test::testReporter());
    FUZZ_CHECK(pts);
    Playlist again = base;
    FUZZ_CHECK(importChapters(again, *pts, ChapterFormat::PTS, mirdal::test::testReporter()) == n);
    FUZZ_CHECK(again.marks == m.marks);
  }
  return 0;
}
