// The number texts every grid, log line and CLI output is made of.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/display_text.h"

namespace mirdal {
namespace {

TEST(DisplayText, HexText) {
  struct Case {
    std::uint64_t v;
    int digits;
    const char* text;
  } cases[] = {
      {0, 8, "00000000"},
      {0, 0, "0"},
      {0xABCDEF, 2, "ABCDEF"},     // never cut to the width
      {0x1F, 4, "001F"},
      {0xFFFFFFFF, 8, "FFFFFFFF"},
      {0x80000004, 8, "80000004"},
      {0x10, 1, "10"},
      {0xFFFFFFFFFFFFFFFFull, 16, "FFFFFFFFFFFFFFFF"},
      {0x123456789ABCDEF0ull, 20, "0000123456789ABCDEF0"},  // wider than the value's type
      {7, -3, "7"},
  };
  for (const Case& c : cases) EXPECT_EQ(hexText(c.v, c.digits), c.text) << c.v << " " << c.digits;
}

TEST(DisplayText, ZeroPadded) {
  struct Case {
    std::uint64_t v;
    int digits;
    const char* text;
  } cases[] = {
      {0, 4, "0000"},   {12, 4, "0012"},  {9999, 4, "9999"},  {10000, 4, "10000"},
      {7, 0, "7"},      {7, -2, "7"},     {0, 1, "0"},
      {18446744073709551615ull, 22, "0018446744073709551615"},
  };
  for (const Case& c : cases) EXPECT_EQ(zeroPadded(c.v, c.digits), c.text) << c.v << " " << c.digits;
}

}  // namespace
}  // namespace mirdal
