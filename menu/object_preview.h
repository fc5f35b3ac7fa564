// What the menu editors preview: an object drawn through a palette without
// touching the menu's picture cache (the views hold the menu read-only), the
// palette an object is first shown through, and the palette chart.
#pragma once

#include <string>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "menu/colour.h"
#include "menu/igs_model.h"
#include "menu/page_render.h"

namespace mirdal {

// The palette an object is shown through when it is picked in the object
// table, taken from the first place objectUses names: a button range of page
// p gives page p's palette, page p's in-effects the palette of its last
// in-effect, its out-effects the palette of its first out-effect. nullopt
// when the object is not used or that palette is not in the table.
std::optional<std::size_t> referencePalette(const IgMenu& m, std::uint16_t object);

// The object's palette indices: its picture when the menu holds one, else
// decoded from its run-length code. Empty (0 x 0) for an index out of range
// or an object without pixels.
IndexImage objectImage(const IgMenu& m, std::size_t object);

// The object drawn through the palette, decoded from its run-length code
// when the menu holds no picture of it. An empty picture (0 x 0) for an
// index out of range or an object without pixels.
RgbaPicture objectPicture(const IgMenu& m, std::size_t object, std::size_t palette);

// The palette chart, 350 x 180 on the background colour: two 16 x 16 grids
// of 10-pixel cells, entry = row * 16 + column. The left one (from (10, 10))
// has black cells with the entry's colour opaque; the right one (from
// (180, 10)) has white cells whose colour is laid over the background with
// the entry's T as alpha, so transparent entries show the background.
// Cells are 9 x 9 and their 7 x 7 swatches have clipped corners.
inline constexpr int kPaletteChartWidth = 350;
inline constexpr int kPaletteChartHeight = 180;
Canvas paletteChart(const RgbaPalette& pal, Colour background);

// The entry of the palette chart under the point (x, y) of the chart, or
// -1 between and beside the grids.
int paletteChartEntry(int x, int y);

// What the status line says about the palette under inspection: its id,
// and with an entry (>= 0) the entry's colour, opacity and transparency.
std::string paletteInspectionText(std::size_t paletteId, const RgbaPalette& pal, int entry);

}  // namespace mirdal
