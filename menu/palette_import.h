// Palettes from authoring tools' files into the menu: the XML palette of
// Scenarist Designer (.pxml) and the Adobe colour table (.act), the same
// files the palette export writes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/fields.h"
#include "menu/colour.h"
#include "menu/igs_model.h"

namespace mirdal {

// Reads a palette file, chosen by its extension (".pxml" or ".act", any
// case). .pxml: every PaletteData entry with its R, G, B, T and Y, Cr, Cb;
// a side the entry leaves out is computed from the other, a missing T is
// 255, entries not listed stay unused (all zero). .act: 256 R, G, B
// triples, all opaque, optionally followed by the colour count and the
// transparent index (which gets T = 0). The side computed uses mx, the
// matrix of the menu the palette is for. False, with why, for anything
// else.
bool readPaletteFile(const Bytes& data, const std::string& path, ColourMatrix mx, IgPalette& out,
                     std::string* why = nullptr);

// Puts a palette into the menu: over palette `replace`, or appended. The
// palette takes its index as id; the pictures drawn through the replaced
// palette are dropped from the cache. Returns the index, or nullopt (the
// menu unchanged) when `replace` does not exist or 256 palettes are there.
std::optional<std::size_t> putPalette(IgMenu& m, IgPalette pal, std::optional<std::size_t> replace);

}  // namespace mirdal
