// How a cell of a command grid is painted: colours, weight and the split of
// the text into a plain part and an italic comment. A grid's painter draws
// what this returns and decides nothing itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mirdal {

// Palette roles come from the platform; the others are fixed colours.
enum class PaintColor {
  GridBackground,  // the grid's own colour
  FixedBackground,  // the grid's fixed (header) colour
  WindowText,
  Highlight,
  HighlightText,
  Red,        // 255, 0, 0: invalid command
  Orange,     // 255, 170, 0: forbidden command
  Blue,       // 0, 0, 255: opcode, operand in use
  Grey,       // 160, 160, 164: operand not in use
  DarkGreen,  // 0, 128, 0: comment
};

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};
// The fixed colours; false for a palette role.
bool fixedRgb(PaintColor c, Rgb& out);

struct CellState {
  int column = 0;
  bool fixed = false;     // header row or fixed column
  bool selected = false;
  bool focused = false;
};

struct CellPaint {
  PaintColor background = PaintColor::GridBackground;
  PaintColor text = PaintColor::WindowText;
  bool bold = false;
  // Drawn at 2 pixels from the cell's left and top: `plain` in the cell's
  // style, then `comment` right after it in italics in commentColor.
  std::string plain;
  std::string comment;
  PaintColor commentColor = PaintColor::WindowText;
};

// rowCommandLine is column 4 of the cell's row (its "!" or "*" marker
// colours the whole row).
CellPaint paintCommandCell(std::string_view cellText, std::string_view rowCommandLine,
                           const CellState& state);

}  // namespace mirdal
