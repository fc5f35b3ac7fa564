#include "present/country_code.h"

#include <algorithm>

namespace mirdal {

namespace {

// Printable in Latin-1: not a C0 or C1 control and not the soft hyphen,
// which is a format character.
char letter(std::uint32_t b) {
  const std::uint32_t c = b & 0xFF;
  const bool printable = (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c != 0xAD);
  return printable ? char(c) : '?';
}

}  // namespace

std::string countryLetters(std::uint32_t code) { return {letter(code >> 8), letter(code)}; }

std::uint32_t clampCountryCode(std::uint32_t code) {
  return std::clamp(code, kFirstCountryCode, kLastCountryCode);
}

}  // namespace mirdal
