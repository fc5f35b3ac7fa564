// Palettes for authoring tools: the XML palette of Scenarist Designer
// (.pxml, every entry with R, G, B, T, Y, Cr, Cb) and the Adobe colour table
// (.act, 256 R, G, B triples, no transparency).
#pragma once

#include <string>

#include "core/fields.h"
#include "menu/igs_model.h"

namespace mirdal {

Bytes paletteToPxml(const IgPalette& pal);
Bytes paletteToAct(const IgPalette& pal);

// The file for a path: .pxml or .act after its extension (exact
// comparison); any other extension gives an empty file.
Bytes paletteFile(const IgPalette& pal, const std::string& path);

}  // namespace mirdal
