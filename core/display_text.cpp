#include "core/display_text.h"

namespace mirdal {

std::string hexText(std::uint64_t v, int digits) {
  static const char* kDigits = "0123456789ABCDEF";
  std::string s;
  do {
    s.insert(s.begin(), kDigits[v & 0xF]);
    v >>= 4;
  } while (v != 0);
  if (int(s.size()) < digits) s.insert(0, std::size_t(digits) - s.size(), '0');
  return s;
}

std::string zeroPadded(std::uint64_t v, int digits) {
  std::string s = std::to_string(v);
  if (int(s.size()) < digits) s.insert(0, std::size_t(digits) - s.size(), '0');
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
