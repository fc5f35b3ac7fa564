// Palette colours: Y/Cr/Cb of the stream to R/G/B and back (BT.601 studio
// range, integer arithmetic), a palette as an RGBA table, and an object
// drawn through a palette, cached per (object, palette).
#pragma once

#include <array>
#include <cstddef>

#include "menu/igs_model.h"

namespace mirdal {

struct TRGB {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const TRGB&) const = default;
};

TRGB ycrcb2rgb(TYCrCb c);
TYCrCb rgb2ycrcb(TRGB c);

using TRGBApalettes = std::array<TRGBA, 256>;

// The colour table of palette `index` (all zero for an index out of range).
TRGBApalettes id2pal(const TMenu& m, std::size_t index);

// Draws the object's picture through a palette table.
RgbaPicture drawThroughPalette(const IndexImage& img, const TRGBApalettes& pal);

// The object drawn through the palette, from the cache when it holds it;
// otherwise decoded when needed, converted and kept in the cache. Returns
// nullptr for an object or palette index out of range. The picture stays
// valid until the cache slot is emptied.
const RgbaPicture* Obj2Pic(TMenu& m, std::size_t object, std::size_t palette);

}  // namespace mirdal
