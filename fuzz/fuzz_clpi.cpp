// Clip information files: any input parses without fault; a file read whole
// is written and read back to the same model; the grid texts and the edits
// work on whatever was read and keep the addresses pointing at the sections.
#include <cstddef>
#include <cstdint>

#include "formats/clip_packets.h"
#include "formats/clpi.h"
#include "formats/clpi_edit.h"
#include "present/clpi_rows.h"
#include "fuzz_check.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  TCLPI c;
  const ClpiParse res = parseCLPI(in, c);
  if (!usable(res.status)) return 0;
  for (const auto& ps : c.program_info.program_sequences)
    for (const auto& s : ps.streams) programStreamRow(s);
  for (const auto& a : c.sequence_info.ATC_sequences) {
    atcSequenceRow(a);
    for (const auto& s : a.STC_sequences) stcSequenceRow(s);
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
    TCLPI fitted = c;
    fitClipLayout(fitted);
    const Bytes out = composeCLPI(fitted);
    TCLPI again;
    FUZZ_CHECK(parseCLPI(out, again).status == ReadStatus::Ok);
    FUZZ_CHECK(composeCLPI(again) == out);
  }
  // Edits keep the sections where the addresses say.
  fitClipLayout(c);
  setATCDeltaFlag(c, !c.clip_info.is_ATC_delta);
  if (insertATCDelta(c, size % 3)) deleteATCDelta(c, size % 5);
  setApplicationType(c, std::uint8_t(size % 11));
  insertFontFile(c, std::nullopt);
  setATCDeltaCell(c, 0, int(size % 3), "1A2B");
  if (c.clip_info.is_ATC_delta && c.clip_info.ATC_delta_entries.empty()) setATCDeltaFlag(c, false);
  const Bytes edited = composeCLPI(c);
  TCLPI back;
  FUZZ_CHECK(parseCLPI(edited, back).status == ReadStatus::Ok);
  FUZZ_CHECK(back.sequence_info == c.sequence_info);
  FUZZ_CHECK(back.cpi.entries == c.cpi.entries);
  return 0;
}
