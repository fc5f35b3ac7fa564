// `menu edit` lists: any JSON applies without fault to an empty menu, or to
// the .mnu that follows a zero byte after the JSON. A refused list says
// why; the menu the edits leave saves and reads back to the same pages.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/menu_edit_json.h"
#include "core/report.h"
#include "fuzz_check.h"
#include "menu/igs_read.h"
#include "menu/igs_write.h"
#include "tests/support/recording_reporter.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto* zero = static_cast<const std::uint8_t*>(size ? std::memchr(data, 0, size) : nullptr);
  const std::uint8_t* jsonEnd = zero ? zero : data + size;
  IgMenu m = newMenu();
  if (zero) {
    if (parseMnu(Bytes(zero + 1, data + size), m, mirdal::test::testReporter()).status != ReadStatus::Ok) return 0;
    std::size_t pixels = 0;
    for (const IgObject& o : m.objects) pixels += std::size_t(o.width) * o.height;
    if (pixels > (4u << 20)) return 0;
  }
  const nlohmann::json edits = nlohmann::json::parse(data, jsonEnd, nullptr, false);
  if (edits.is_discarded()) return 0;
  std::string error;
  // Pictures named by import_object are looked for in a folder that is not there.
  const bool applied = cli::applyMenuEdits(m, edits, "/nonexistent/mirdal-fuzz", error, mirdal::test::testReporter());
  FUZZ_CHECK(applied == error.empty());
  Bytes out;
  if (!composeMenuSegments(m, SegmentFraming::Mnu, out, mirdal::test::testReporter())) return 0;
  IgMenu back;
  FUZZ_CHECK(parseMnu(out, back, mirdal::test::testReporter()).status == ReadStatus::Ok);
  FUZZ_CHECK(back.ics.pages == m.ics.pages);
  FUZZ_CHECK(back.objects.size() == m.objects.size() && back.palettes.size() == m.palettes.size());
  return 0;
}
