// The run-length code of menu graphics objects: 8-bit palette indices,
// lines ended by 00 00.
//
//   K (K != 0)              one pixel of colour K
//   00 00                   end of line
//   00 00LLLLLL             L pixels of colour 0 (L6 != 0)
//   00 01LLLLLL LLLLLLLL    L pixels of colour 0 (L14)
//   00 10LLLLLL K           L pixels of colour K (L6)
//   00 11LLLLLL LLLLLLLL K  L pixels of colour K (L14)
//
// A run of length 0 fills the rest of the line and ends it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/fields.h"
#include "menu/igs_model.h"

namespace mirdal {

class Reporter;

inline constexpr std::uint32_t kMaxRunLength = 0x3FFF;
// The object data length field is 24 bits and counts 4 bytes of its own.
inline constexpr std::uint32_t kMaxRleLength = 0xFFFFFF - 4;

// A line ended (by 00 00) before the width: column and line where it ended.
struct ShortLine {
  std::uint32_t x = 0, y = 0;
};

// Decodes RLE bytes into a width x height picture; pixels the data does not
// reach stay 0. Lines below the height are not stored. Short lines within
// the picture are listed in shortLines when given.
IndexImage rleDecodeBytes(const std::uint8_t* data, std::size_t size, std::uint16_t width,
                          std::uint16_t height, std::vector<ShortLine>* shortLines = nullptr);

// Decodes object `index` of the menu from its RLE bytes and attaches the
// picture; each short line is logged as "x,y". Returns false for an index
// out of range, and with an error line for an object over kMaxObjectPixels,
// which is left without a picture.
bool decodeObject(IgMenu& m, std::size_t index, Reporter& rep);

// Encodes a picture: every line separately, runs never cross lines, runs
// longer than 16383 pixels are split. Deterministic: decoding the result
// and encoding again gives the same bytes.
Bytes rleEncodeImage(const IndexImage& img);

// Encodes object `index` (decoding it first when it has no picture) into
// out. Refuses, with an logError line, an object whose code does not fit the
// 24-bit data length of the stream.
bool encodeObject(IgMenu& m, std::size_t index, Bytes& out, Reporter& rep);

}  // namespace mirdal
