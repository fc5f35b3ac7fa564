#include "core/display_text.h"

#include <algorithm>

namespace mirdal {

// Both write the digits into a string of the final width from the right:
// the command grids render thousands of these per program, and building
// the text a digit at a time at the front cost most of that time.
std::string hexText(std::uint64_t v, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  int n = 1;
  for (std::uint64_t rest = v >> 4; rest != 0; rest >>= 4) ++n;
  std::string s(std::size_t(std::max(n, digits)), '0');
  for (std::size_t i = s.size(); n-- > 0; v >>= 4) s[--i] = kDigits[v & 0xF];
  return s;
}

std::string zeroPadded(std::uint64_t v, int digits) {
  int n = 1;
  for (std::uint64_t rest = v / 10; rest != 0; rest /= 10) ++n;
  std::string s(std::size_t(std::max(n, digits)), '0');
  for (std::size_t i = s.size(); n-- > 0; v /= 10) s[--i] = char('0' + v % 10);
  return s;
}

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string groupedDecimal(std::uint64_t v, char separator) {
  std::string digits = std::to_string(v);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

}  // namespace mirdal
