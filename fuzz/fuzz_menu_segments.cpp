// .mnu segment streams: any input loads without fault; a menu read whole
// saves and reads back to the same pages and the same pixels.
#include <cstddef>
#include <cstdint>

#include "core/report.h"
#include "fuzz_check.h"
#include "menu/igs_read.h"
#include "menu/igs_write.h"
#include "menu/rle.h"
#include "tests/support/recording_reporter.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  IgMenu m;
  const MenuLoad r = parseMnu(in, m, mirdal::test::testReporter());
  if (r.status != ReadStatus::Ok) return 0;
  // Decoding allocates every object's pixels; keep the harness's memory small.
  std::size_t pixels = 0;
  for (const IgObject& o : m.objects) pixels += std::size_t(o.width) * o.height;
  if (pixels > (8u << 20)) return 0;
  Bytes out;
  if (!composeMenuSegments(m, SegmentFraming::Mnu, out, mirdal::test::testReporter())) return 0;
  IgMenu back;
  FUZZ_CHECK(parseMnu(out, back, mirdal::test::testReporter()).status == ReadStatus::Ok);
  FUZZ_CHECK(back.ics.pages == m.ics.pages);
  FUZZ_CHECK(back.objects.size() == m.objects.size());
  for (std::size_t i = 0; i < back.objects.size(); ++i) {
    decodeObject(back, i, mirdal::test::testReporter());
    FUZZ_CHECK(back.objects[i].image == m.objects[i].image);
  }
  Bytes pes;
  FUZZ_CHECK(composeMenuSegments(back, SegmentFraming::Pes, pes, mirdal::test::testReporter()));
  return 0;
}
