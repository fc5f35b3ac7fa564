// How the menu page shows a number in hexadecimal and reads a stored
// option colour; its tabs and its player share them.
#pragma once

#include <QLatin1Char>
#include <QString>
#include <cstdint>

#include "menu/page_render.h"

namespace mirdal::gui {

// v as `digits` upper-case hexadecimal digits, with leading zeros.
inline QString hex(std::uint32_t v, int digits) {
  return QStringLiteral("%1").arg(v, digits, 16, QLatin1Char('0')).toUpper();
}

// An option colour, stored as 0x00BBGGRR.
inline mirdal::Colour colourOf(std::uint32_t c) {
  return {std::uint8_t(c & 0xFF), std::uint8_t((c >> 8) & 0xFF), std::uint8_t((c >> 16) & 0xFF)};
}

}  // namespace mirdal::gui
