// PNG import: any input is accepted or refused without fault; an accepted
// image exports to a PNG that reads back to the same pixels.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "menu/object_png.h"
#include "tests/support/recording_reporter.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  IgMenu m = newMenu();
  m.ics.videoWidth = 720;
  m.ics.videoHeight = 576;
  const auto r = importObjectPng(m, in, {}, mirdal::test::testReporter());
  if (!r) {
    FUZZ_CHECK(m.objects.empty() && m.palettes.empty());
    return 0;
  }
  const Bytes png = exportObjectPng(m, r->object, r->palette, "fuzz", mirdal::test::testReporter());
  PalettePng back;
  FUZZ_CHECK(readPalettePng(png, 720, 576, back));
  FUZZ_CHECK(back.image == *m.objects[r->object].image);
  return 0;
}
