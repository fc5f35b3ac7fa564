// Objects as 8-bit palette PNG images: the pixels are the object's palette
// indices, the colour table and transparency chunk come from a palette.
// Importing takes the PNG's colour table as a palette, so no colour
// reduction ever happens.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/fields.h"
#include "menu/colour.h"
#include "menu/igs_model.h"

namespace mirdal {

class Reporter;

// A decoded palette PNG.
struct PalettePng {
  IndexImage image;
  std::vector<PaletteRgb> colours;   // the PLTE chunk, at most 256 entries
  std::vector<std::uint8_t> alpha;   // the tRNS chunk, at most 256 entries
};

// Decodes a PNG held in memory. Only 8-bit palette images not larger than
// maxWidth x maxHeight are accepted; why says what was wrong.
bool readPalettePng(const Bytes& png, std::uint32_t maxWidth, std::uint32_t maxHeight, PalettePng& out,
                    std::string* why = nullptr);

// An 8-bit palette PNG of the picture with all 256 colours of the palette,
// their 256 transparency values, and a "Software" text chunk.
Bytes writePalettePng(const IndexImage& img, const IgPalette& pal, const std::string& software);

struct ObjectImport {
  std::optional<std::size_t> replaceObject;   // else a new object is appended
  std::optional<std::size_t> replacePalette;  // else a new palette is appended
};

struct ImportResult {
  std::size_t object = 0;
  std::size_t palette = 0;
};

// Puts a PNG into the menu as an object and a palette. An image that is not
// an 8-bit palette PNG or is larger than the menu's video size gets "Not
// supported file format!" and leaves the model unchanged. Replaced slots
// must exist.
std::optional<ImportResult> importObjectPng(IgMenu& m, const Bytes& png, const ObjectImport& where, Reporter& rep);

// The PNG of object `object` through palette `palette` (decoded first when
// needed); empty for an index out of range or an object too large to
// decode.
Bytes exportObjectPng(IgMenu& m, std::size_t object, std::size_t palette, const std::string& software, Reporter& rep);

}  // namespace mirdal
