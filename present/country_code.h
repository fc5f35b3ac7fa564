// The player's country code (the Options page, register PSR 19): a 16-bit
// value whose two bytes are the letters of an ISO 3166 country ("US" is
// 0x5553).
#pragma once

#include <cstdint>
#include <string>

namespace mirdal {

inline constexpr std::uint32_t kFirstCountryCode = 0x4141;  // "AA"
inline constexpr std::uint32_t kLastCountryCode = 0x5A5A;   // "ZZ"

// The two letters the low 16 bits stand for, as Latin-1 bytes; a byte that
// is no printable character shows as '?'.
std::string countryLetters(std::uint32_t code);
// The code brought to "AA".."ZZ".
std::uint32_t clampCountryCode(std::uint32_t code);

}  // namespace mirdal
