#include "menu/object_preview.h"

#include <cctype>
#include <cstdio>
#include <string>

#include "menu/menu_edit.h"
#include "menu/igs_read.h"
#include "menu/rle.h"

namespace mirdal {

std::optional<std::size_t> referencePalette(const IgMenu& m, std::uint16_t object) {
  // The first reference begins with the page number, then ':' for buttons,
  // 'i' for in-effects (which come first when both are used) or 'o'.
  const std::string ref = objectUses(m, object);
  std::size_t i = 0;
  std::size_t page = 0;
  while (i < ref.size() && std::isdigit(static_cast<unsigned char>(ref[i]))) page = page * 10 + std::size_t(ref[i++] - '0');
  if (i == 0 || i >= ref.size() || page >= m.ics.pages.size()) return std::nullopt;
  const IgPage& p = m.ics.pages[page];
  std::size_t palette = p.paletteId;
  if (ref[i] == 'i') {
    if (p.effects[0].effects.empty()) return std::nullopt;
    palette = p.effects[0].effects.back().paletteId;
  } else if (ref[i] == 'o') {
    if (p.effects[1].effects.empty()) return std::nullopt;
    palette = p.effects[1].effects.front().paletteId;
  } else if (ref[i] != ':') {
    return std::nullopt;
  }
  if (palette >= m.palettes.size()) return std::nullopt;
  return palette;
}

IndexImage objectImage(const IgMenu& m, std::size_t object) {
  if (object >= m.objects.size()) return {};
  const IgObject& o = m.objects[object];
  if (o.image) return o.image->pixels.empty() ? IndexImage{} : *o.image;
  if (o.width == 0 || o.height == 0 || o.rle.empty()) return {};
  if (tooLargeToDecode(o)) return {};
  return rleDecodeBytes(o.rle.data(), o.rle.size(), o.width, o.height);
}

RgbaPicture objectPicture(const IgMenu& m, std::size_t object, std::size_t palette) {
  const IndexImage img = objectImage(m, object);
  if (img.pixels.empty()) return {};
  return drawThroughPalette(img, paletteColours(m, palette));
}

namespace {

void put(Canvas& c, int x, int y, Colour col) {
  std::uint8_t* p = c.rgba.data() + (std::size_t(y) * std::size_t(c.width) + std::size_t(x)) * 4;
  p[0] = col.r;
  p[1] = col.g;
  p[2] = col.b;
  p[3] = 255;
}

// A size x size square at (x, y) without its four corner pixels.
void clippedSquare(Canvas& c, int x, int y, int size, Colour col) {
  for (int dy = 0; dy < size; ++dy)
    for (int dx = 0; dx < size; ++dx) {
      const bool corner = (dx == 0 || dx == size - 1) && (dy == 0 || dy == size - 1);
      if (!corner) put(c, x + dx, y + dy, col);
    }
}

std::uint8_t over(std::uint8_t top, std::uint8_t under, std::uint8_t alpha) {
  return std::uint8_t((top * alpha + under * (255 - alpha) + 127) / 255);
}

}  // namespace

Canvas paletteChart(const RgbaPalette& pal, Colour background) {
  Canvas c;
  c.width = kPaletteChartWidth;
  c.height = kPaletteChartHeight;
  c.rgba.resize(std::size_t(c.width) * std::size_t(c.height) * 4);
  fillRect(c, Rect{0, 0, c.width, c.height}, background);
  for (int n = 0; n < 256; ++n) {
    const int col = n % 16, row = n / 16;
    const Rgba& e = pal[std::size_t(n)];
    const int y = 10 + row * 10;
    const int left = 10 + col * 10, right = 180 + col * 10;
    clippedSquare(c, left, y, 9, Colour{0, 0, 0});
    clippedSquare(c, left + 1, y + 1, 7, Colour{e.r, e.g, e.b});
    clippedSquare(c, right, y, 9, Colour{255, 255, 255});
    clippedSquare(c, right + 1, y + 1, 7,
                  Colour{over(e.r, background.r, e.t), over(e.g, background.g, e.t), over(e.b, background.b, e.t)});
  }
  return c;
}

// Cells are 10 pixels from x and y 11 on; a point is in a grid from 11 to 170
// (the 16th cell ends at 170: 171 would name the first cell of the next row).
int paletteChartEntry(int x, int y) {
  const auto cell = [](int v, int from) { return v >= from && v <= from + 159 ? (v - from) / 10 : -1; };
  const int row = cell(y, 11);
  if (row < 0) return -1;
  int col = cell(x, 11);
  if (col < 0) col = cell(x, 181);
  return col < 0 ? -1 : row * 16 + col;
}

namespace {

std::string hexDec(unsigned v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%02X (%u)", v, v);
  return buf;
}

}  // namespace

std::string paletteInspectionText(std::size_t paletteId, const RgbaPalette& pal, int entry) {
  std::string s = "Palette: " + hexDec(unsigned(paletteId));
  if (entry < 0 || entry > 255) return s;
  const Rgba& c = pal[std::size_t(entry)];
  char rgb[48];
  std::snprintf(rgb, sizeof rgb, "#%02X%02X%02X  (%u,%u,%u)", c.r, c.g, c.b, c.r, c.g, c.b);
  const unsigned clear = 255u - c.t;
  s += "      Color: " + hexDec(unsigned(entry)) + "      RGB: " + rgb + "      Opacity: " + hexDec(c.t) +
       "      Transparency: " + hexDec(clear) + "  " + std::to_string(clear * 100 / 255) + "%";
  return s;
}

}  // namespace mirdal
