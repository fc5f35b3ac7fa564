// Playlist edits: the last bytes of the input choose a sequence of edits
// (streams, SubPaths, SubPlayItems, multi-clip entries, angles, marks,
// cells, chapter import) applied to the playlist the input holds, or to a
// fresh one. A model that was consistent stays consistent after every
// edit, and its file reads back to the same file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "formats/playlist/chapters.h"
#include "formats/playlist/mpls.h"
#include "present/mpls_cells.h"
#include "formats/playlist/mpls_edit.h"
#include "fuzz_check.h"
#include "tests/support/recording_reporter.h"

using namespace mirdal;

namespace {

constexpr std::size_t kOps = 48;

void apply(Playlist& m, std::uint8_t op, std::uint8_t a, std::uint8_t b) {
  const std::size_t items = m.playlist.items.size();
  const std::size_t item = items ? a % items : 0;
  const std::size_t subs = m.playlist.subpaths.size();
  const std::size_t sub = subs ? a % subs : 0;
  const StreamCategory cat = StreamCategory(b % kStreamCategories);
  const std::size_t row = b / kStreamCategories;
  switch (op % 20) {
    case 0: insertStream(m, item, cat, row == 0 ? kNoRow : row); break;
    case 1: deleteStream(m, item, cat, row); break;
    case 2: insertSubPath(m, b == 0 ? kNoRow : b); break;
    case 3: deleteSubPath(m, b); break;
    case 4: insertSubPlayItem(m, sub, b); break;
    case 5: deleteSubPlayItem(m, sub, b); break;
    case 6: setMultiClip(m, sub, b % 4, b & 1); break;
    case 7: insertMultiClipEntry(m, sub, b % 4, b / 4); break;
    case 8: deleteMultiClipEntry(m, sub, b % 4, b / 4); break;
    case 9: setMultiAngle(m, item, b & 1); break;
    case 10: insertAngle(m, item, b); break;
    case 11: deleteAngle(m, item, b); break;
    case 12: insertMark(m, b == 0 ? kNoRow : b); break;
    case 13: deleteMarks(m, {b, std::size_t(a)}); break;
    case 14: setPlayItemInTime(m, item, std::uint32_t(a) << 16 | b, {bool(a & 1), bool(a & 2), bool(a & 4)}); break;
    case 15: editSubPlayItemCell(m, sub, b % 4, SubPlayItemColumn::Multi, a & 1 ? "Y" : "N"); break;
    case 16: importChapters(m, std::to_string(a * 100000u) + "\r\n" + std::to_string(b * 45000u) + "\r\n",
                            ChapterFormat(b % 3), mirdal::test::testReporter()); break;
    case 17: setStreamField(m, item, cat, row, StreamField(a % 10), b); break;
    case 18: setSubPathType(m, sub, b); break;
    case 19: editPlayItemCell(m, item, PlayItemColumn(1 + a % 8), "00:00:0" + std::to_string(b % 10) + ".000"); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The whole input is the playlist, its last bytes the edits: bytes after
  // the last section are kept by the reader, so a real playlist with edits
  // appended still reads as itself.
  const std::size_t opBytes = std::min(size, kOps * 3);
  const std::uint8_t* ops = data + size - opBytes;
  Playlist m;
  if (parsePlaylist(Bytes(data, data + size), m).status != ReadStatus::Ok || !checkLayout(m).empty()) {
    m = Playlist{};
    m.playlist.items.push_back(PlayItem{});
    PlayItem& p = m.playlist.items[0];
    p.stn.primaryVideo.push_back(StreamRecord{});
    p.stn.primaryAudio.push_back(StreamRecord{});
    m.extensionDataStartAddress = size > 0 && (data[0] & 1);
    fitLayout(m);
    FUZZ_CHECK(checkLayout(m).empty());
  }
  for (std::size_t i = 0; i + 2 < opBytes; i += 3) {
    apply(m, ops[i], ops[i + 1], ops[i + 2]);
    const std::string broken = checkLayout(m);
    if (!broken.empty()) std::fprintf(stderr, "%s\n", broken.c_str());
    FUZZ_CHECK(broken.empty());
  }
  // Edits may leave fields the file does not hold (a PID of another entry
  // type): the file, not the model, must come back the same.
  const Bytes out = composePlaylist(m);
  Playlist back;
  FUZZ_CHECK(parsePlaylist(out, back).status == ReadStatus::Ok);
  FUZZ_CHECK(composePlaylist(back) == out);
  return 0;
}
