// Palette colours: Y/Cr/Cb of the stream to R/G/B and back (studio range,
// integer arithmetic), a palette as an RGBA table, and an object drawn
// through a palette, cached per (object, palette).
//
// Players convert the palettes of graphics of 720 lines and more with the
// BT.709 matrix and smaller ones with BT.601, so every conversion takes the
// matrix of the menu's video height.
#pragma once

#include <array>
#include <cstddef>

#include "menu/igs_model.h"

namespace mirdal {

class Reporter;

struct PaletteRgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const PaletteRgb&) const = default;
};

enum class ColourMatrix { BT601, BT709 };

// The matrix a player uses for graphics of that height, and for a menu.
ColourMatrix colourMatrixFor(std::uint16_t videoHeight);
ColourMatrix colourMatrixOf(const IgMenu& m);
// "BT.601" or "BT.709".
const char* colourMatrixName(ColourMatrix mx);

PaletteRgb yCrCbToRgb(YCrCb c, ColourMatrix mx);
YCrCb rgbToYCrCb(PaletteRgb c, ColourMatrix mx);

// Gives every palette entry whose Y/Cr/Cb is stored (Y not 0) the R/G/B of
// the menu's matrix again, keeping its transparency, and empties the
// pictures of the palettes that changed. An entry with Y 0 holds colours
// set as R/G/B, which stay. For a menu whose video height moved across 720
// lines; returns whether anything changed.
bool reconvertPalettes(IgMenu& m);

using RgbaPalette = std::array<Rgba, 256>;

// The colour table of palette `index` (all zero for an index out of range).
RgbaPalette paletteColours(const IgMenu& m, std::size_t index);

// Draws the object's picture through a palette table.
RgbaPicture drawThroughPalette(const IndexImage& img, const RgbaPalette& pal);

// The object drawn through the palette, from the cache when it holds it;
// otherwise decoded when needed, converted and kept in the cache. Returns
// nullptr for an object or palette index out of range. The picture stays
// valid until the cache slot is emptied.
const RgbaPicture* cachedObjectPicture(IgMenu& m, std::size_t object, std::size_t palette, Reporter& rep);

}  // namespace mirdal
