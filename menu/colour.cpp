#include "menu/colour.h"

#include <algorithm>
#include <cstring>

#include "core/report.h"
#include "menu/rle.h"

namespace mirdal {

namespace {

std::uint8_t clampByte(int v) { return std::uint8_t(std::clamp(v, 0, 255)); }

}  // namespace

TRGB ycrcb2rgb(TYCrCb c) {
  const int y = c.y - 16, r = c.cr - 128, b = c.cb - 128;
  return {clampByte((1164 * y + 1596 * r + 500) / 1000),
          clampByte((1164 * y - 813 * r - 391 * b + 500) / 1000),
          clampByte((1164 * y + 2018 * b + 500) / 1000)};
}

TYCrCb rgb2ycrcb(TRGB c) {
  const int r = c.r, g = c.g, b = c.b;
  return {clampByte((257 * r + 504 * g + 98 * b + 500) / 1000 + 16),
          clampByte((439 * r - 368 * g - 71 * b + 500) / 1000 + 128),
          clampByte((-148 * r - 291 * g + 439 * b + 500) / 1000 + 128)};
}

TRGBApalettes id2pal(const TMenu& m, std::size_t index) {
  TRGBApalettes p{};
  if (index < m.palettes.size()) p = m.palettes[index].colours;
  return p;
}

RgbaPicture drawThroughPalette(const IndexImage& img, const TRGBApalettes& pal) {
  RgbaPicture pic;
  pic.width = img.width;
  pic.height = img.height;
  pic.rgba.resize(img.pixels.size() * 4);
  std::uint32_t table[256];
  for (int i = 0; i < 256; ++i) std::memcpy(&table[i], &pal[std::size_t(i)], 4);
  std::uint8_t* out = pic.rgba.data();
  for (std::uint8_t k : img.pixels) {
    std::memcpy(out, &table[k], 4);
    out += 4;
  }
  return pic;
}

const RgbaPicture* Obj2Pic(TMenu& m, std::size_t object, std::size_t palette) {
  if (object >= m.objects.size() || palette >= m.palettes.size()) return nullptr;
  if (m.cache.size() < m.objects.size()) m.cache.resize(m.objects.size());
  auto& slots = m.cache[object].byPalette;
  if (slots.size() < m.palettes.size()) slots.resize(m.palettes.size());
  if (slots[palette]) return &*slots[palette];
  const bool showStatus = !progressState().visible;
  if (showStatus) slog("Decoding RLE pixel data and build bitmaps...", 1);
  if (!m.objects[object].image) rle_decode(m, object);
  slots[palette] = drawThroughPalette(*m.objects[object].image, id2pal(m, palette));
  if (showStatus) slog("", 1);
  return &*slots[palette];
}

}  // namespace mirdal
