// Clip information files: any input parses without fault; a file read whole
// is written and read back to the same model; the grid texts and the edits
// work on whatever was read and keep the addresses pointing at the sections.
#include <cstddef>
#include <cstdint>

#include "formats/clip/clip_packets.h"
#include "formats/clip/clpi.h"
#include "formats/clip/clpi_edit.h"
#include "present/clpi_rows.h"
#include "fuzz_check.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  ClipInfoFile c;
  const ClipInfoParse res = parseClipInfo(in, c);
  if (!usable(res.status)) return 0;
  for (const auto& ps : c.programInfo.programSequences)
    for (const auto& s : ps.streams) programStreamRow(s);
  for (const auto& a : c.sequenceInfo.atcSequences) {
    atcSequenceRow(a);
    for (const auto& s : a.stcSequences) stcSequenceRow(s);
  }
  for (const auto& e : c.cpi.entries) epStreamRow(e);
  for (const auto& m : c.cpi.maps) {
    for (const auto& x : m.coarse) epCoarseRow(x);
    for (const auto& x : m.fine) epFineRow(x);
  }
  checkPacketCount(c, size * 192);
  if (res.status == ReadStatus::Ok) {
    // A model whose lengths and addresses agree with its content is written
    // and read back to the same bytes. (A file whose addresses point into
    // other sections is written as held and reads back differently.)
    ClipInfoFile fitted = c;
    fitClipLayout(fitted);
    const Bytes out = composeClipInfo(fitted);
    ClipInfoFile again;
    FUZZ_CHECK(parseClipInfo(out, again).status == ReadStatus::Ok);
    FUZZ_CHECK(composeClipInfo(again) == out);
  }
  // Edits keep the sections where the addresses say.
  fitClipLayout(c);
  setAtcDeltaFlag(c, !c.clipInfo.isAtcDelta);
  if (insertAtcDelta(c, size % 3)) deleteAtcDelta(c, size % 5);
  setApplicationType(c, std::uint8_t(size % 11));
  insertFontFile(c, std::nullopt);
  setAtcDeltaCell(c, 0, int(size % 3), "1A2B");
  if (c.clipInfo.isAtcDelta && c.clipInfo.atcDeltaEntries.empty()) setAtcDeltaFlag(c, false);
  const Bytes edited = composeClipInfo(c);
  ClipInfoFile back;
  FUZZ_CHECK(parseClipInfo(edited, back).status == ReadStatus::Ok);
  FUZZ_CHECK(back.sequenceInfo == c.sequenceInfo);
  FUZZ_CHECK(back.cpi.entries == c.cpi.entries);
  return 0;
}
