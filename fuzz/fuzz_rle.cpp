// Object run-length code: any bytes decode without fault; the picture they
// give encodes to a code that decodes to the same picture and encodes to the
// same bytes again.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "menu/rle.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  // The first four bytes choose the size, large widths included.
  const std::uint16_t w = std::uint16_t(data[0] << 8 | data[1]);
  const std::uint16_t h = std::uint16_t(1 + (data[2] << 8 | data[3]) % 64);
  std::vector<ShortLine> lines;
  const IndexImage img = rleDecodeBytes(data + 4, size - 4, w, h, &lines);
  FUZZ_CHECK(img.pixels.size() == std::size_t(w) * h);
  FUZZ_CHECK(lines.size() <= h);
  const Bytes code = rleEncodeImage(img);
  const IndexImage back = rleDecodeBytes(code.data(), code.size(), w, h);
  FUZZ_CHECK(back == img);
  FUZZ_CHECK(rleEncodeImage(back) == code);
  return 0;
}
