// Number texts shared by the grids, the log and mirdal-cli: hexadecimal is
// upper case with a fixed number of digits, row numbers have leading zeros.
#pragma once

#include <cstdint>
#include <string>

namespace mirdal {

// v in upper-case hexadecimal with at least `digits` digits.
std::string hexText(std::uint64_t v, int digits);

// v in decimal with at least `digits` digits ("007").
std::string zeroPadded(std::uint64_t v, int digits);

// A decimal number grouped by three digits: 1234567 -> "1,234,567".
std::string groupedDecimal(std::uint64_t v, char separator = ',');

// "Yes" or "No", as flags show in rows and dumps.
inline std::string yesNo(bool v) { return v ? "Yes" : "No"; }

// The value of one hexadecimal digit (either case), -1 for any other character.
int hexDigitValue(char c);

// A grid column: header text and width in pixels.
struct GridColumn {
  const char* header;
  int width;
};

}  // namespace mirdal
