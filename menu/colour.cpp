#include "menu/colour.h"

#include <algorithm>
#include <cstring>

#include "core/report.h"
#include "menu/rle.h"

namespace mirdal {

namespace {

std::uint8_t clampByte(int v) { return std::uint8_t(std::clamp(v, 0, 255)); }

// Thousandths of the studio-range matrices.
struct Matrix {
  int yScale;                     // Y to R, G and B
  int crToR, cbToG, crToG, cbToB;  // subtracted for G
  int rToY, gToY, bToY;
  int rToCb, gToCb, bToCb;
  int rToCr, gToCr, bToCr;
};

constexpr Matrix kBt601{1164, 1596, 391, 813, 2018, 257, 504, 98, -148, -291, 439, 439, -368, -71};
constexpr Matrix kBt709{1164, 1793, 213, 533, 2112, 183, 614, 62, -101, -338, 439, 439, -399, -40};

const Matrix& matrix(ColourMatrix mx) { return mx == ColourMatrix::BT709 ? kBt709 : kBt601; }

}  // namespace

ColourMatrix colourMatrixFor(std::uint16_t videoHeight) {
  return videoHeight >= 720 ? ColourMatrix::BT709 : ColourMatrix::BT601;
}

ColourMatrix colourMatrixOf(const IgMenu& m) { return colourMatrixFor(m.ics.videoHeight); }

const char* colourMatrixName(ColourMatrix mx) { return mx == ColourMatrix::BT709 ? "BT.709" : "BT.601"; }

PaletteRgb yCrCbToRgb(YCrCb c, ColourMatrix mx) {
  const Matrix& k = matrix(mx);
  const int y = c.y - 16, r = c.cr - 128, b = c.cb - 128;
  return {clampByte((k.yScale * y + k.crToR * r + 500) / 1000),
          clampByte((k.yScale * y - k.crToG * r - k.cbToG * b + 500) / 1000),
          clampByte((k.yScale * y + k.cbToB * b + 500) / 1000)};
}

YCrCb rgbToYCrCb(PaletteRgb c, ColourMatrix mx) {
  const Matrix& k = matrix(mx);
  const int r = c.r, g = c.g, b = c.b;
  return {clampByte((k.rToY * r + k.gToY * g + k.bToY * b + 500) / 1000 + 16),
          clampByte((k.rToCr * r + k.gToCr * g + k.bToCr * b + 500) / 1000 + 128),
          clampByte((k.rToCb * r + k.gToCb * g + k.bToCb * b + 500) / 1000 + 128)};
}

bool reconvertPalettes(IgMenu& m) {
  const ColourMatrix mx = colourMatrixOf(m);
  bool any = false;
  for (std::size_t p = 0; p < m.palettes.size(); ++p) {
    IgPalette& pal = m.palettes[p];
    bool changed = false;
    for (std::size_t e = 0; e < 256; ++e) {
      Rgba& c = pal.colours[e];
      if (c.unused() || pal.ycrcb[e].y == 0) continue;
      const PaletteRgb rgb = yCrCbToRgb(pal.ycrcb[e], mx);
      if (rgb == PaletteRgb{c.r, c.g, c.b}) continue;
      c.r = rgb.r, c.g = rgb.g, c.b = rgb.b;
      changed = true;
    }
    if (changed) clearPaletteCache(m, p);
    any = any || changed;
  }
  return any;
}

RgbaPalette paletteColours(const IgMenu& m, std::size_t index) {
  RgbaPalette p{};
  if (index < m.palettes.size()) p = m.palettes[index].colours;
  return p;
}

RgbaPicture drawThroughPalette(const IndexImage& img, const RgbaPalette& pal) {
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

const RgbaPicture* cachedObjectPicture(IgMenu& m, std::size_t object, std::size_t palette, Reporter& rep) {
  if (object >= m.objects.size() || palette >= m.palettes.size()) return nullptr;
  if (m.cache.size() < m.objects.size()) m.cache.resize(m.objects.size());
  auto& slots = m.cache[object].byPalette;
  if (slots.size() < m.palettes.size()) slots.resize(m.palettes.size());
  if (slots[palette]) return &*slots[palette];
  const bool showStatus = !rep.progress().visible;
  if (showStatus) rep.setStatusPanel("Decoding RLE pixel data and build bitmaps...", 1);
  // An object refused by the decoder is kept as an empty picture, so that
  // every redraw does not try (and log) again.
  if (m.objects[object].image || decodeObject(m, object, rep))
    slots[palette] = drawThroughPalette(*m.objects[object].image, paletteColours(m, palette));
  else
    slots[palette] = RgbaPicture{};
  if (showStatus) rep.setStatusPanel("", 1);
  return &*slots[palette];
}

}  // namespace mirdal
