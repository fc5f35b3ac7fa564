// Numbers typed into fields and grid cells, read the way the editors have
// always read them: blanks around the number are ignored, a '+' is allowed,
// hexadecimal may start with "0x"; anything else, or a value past the type,
// is no number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace mirdal {

std::optional<std::uint32_t> unsignedOfText(std::string_view text, int base = 10);
std::optional<std::int32_t> intOfText(std::string_view text);

// A typed value a 32-bit field can hold (a clip's recording rate or packet
// count, a menu page's fields); another value is not kept.
bool fitsU32(std::int64_t v);

// The text without blanks at its ends.
std::string_view trimmedText(std::string_view text);
// The parts between the separators ("a:b" -> "a", "b"; "" -> one empty part).
std::vector<std::string_view> splitText(std::string_view text, char separator);

}  // namespace mirdal
