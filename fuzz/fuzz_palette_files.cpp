// Palette files: any bytes read as a .pxml and as an .act without fault. A
// palette read is written in its kind and reads back to the same colours
// (an .act keeps no transparency), and goes into a menu.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "fuzz_check.h"
#include "menu/colour.h"
#include "menu/palette_files.h"
#include "menu/palette_import.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  // The first byte picks the menu's colour matrix, so both are covered.
  const ColourMatrix mx = size > 0 && (data[0] & 1) ? ColourMatrix::BT709 : ColourMatrix::BT601;
  for (const char* path : {"fuzz.pxml", "fuzz.act"}) {
    IgPalette pal;
    std::string why;
    if (!readPaletteFile(in, path, mx, pal, &why)) {
      FUZZ_CHECK(!why.empty());
      continue;
    }
    const Bytes file = paletteFile(pal, path);
    IgPalette back;
    FUZZ_CHECK(readPaletteFile(file, path, mx, back));
    if (path[5] == 'p') {
      FUZZ_CHECK(back == pal);
    } else {
      FUZZ_CHECK(back.ycrcb == pal.ycrcb);
      for (std::size_t e = 0; e < 256; ++e) {
        const Rgba &a = back.colours[e], &b = pal.colours[e];
        FUZZ_CHECK(a.r == b.r && a.g == b.g && a.b == b.b && a.t == 255);
      }
    }
    IgMenu m = newMenu();
    FUZZ_CHECK(putPalette(m, pal, std::nullopt) == 0u);
    FUZZ_CHECK(putPalette(m, back, 0) == 0u && m.palettes.size() == 1);
  }
  return 0;
}
