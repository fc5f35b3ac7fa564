// The country code of the Options page and the menu PIDs of the clip
// page's program grid.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "present/clip_rules.h"
#include "present/country_code.h"

namespace mirdal {
namespace {

TEST(CountryCode, LettersAndLimits) {
  // code, letters shown, code kept
  const std::tuple<std::uint32_t, std::string, std::uint32_t> cases[] = {
      {0x5553, "US", 0x5553},
      {0x4141, "AA", 0x4141},
      {0x5A5A, "ZZ", 0x5A5A},
      {0x0000, "??", 0x4141},
      {0x4140, "A@", 0x4141},
      {0x5A5B, "Z[", 0x5A5A},
      {0xFFFF, "\xFF\xFF", 0x5A5A},
      {0x1F7F, "??", 0x4141},          // control characters
      {0x9FAD, "??", 0x5A5A},          // a C1 control, the soft hyphen
      {0xA020, "\xA0 ", 0x5A5A},       // printable blanks
      {0x15553, "US", 0x5A5A},         // letters from the low 16 bits
  };
  for (const auto& [code, letters, kept] : cases) {
    EXPECT_EQ(countryLetters(code), letters) << std::hex << code;
    EXPECT_EQ(clampCountryCode(code), kept) << std::hex << code;
  }
}

TEST(ClipRules, MenuPids) {
  // pid, a menu can be taken from it, a double click opens it as a menu
  const std::tuple<std::uint16_t, bool, bool> cases[] = {
      {0x1400, true, true},   {0x1401, true, false},  {0x14FF, true, false}, {0x13FF, false, false},
      {0x1500, false, false}, {0x1011, false, false}, {0x0000, false, false},
  };
  for (const auto& [pid, menu, opens] : cases) {
    EXPECT_EQ(isMenuPid(pid), menu) << std::hex << pid;
    EXPECT_EQ(doubleClickOpensMenu(pid), opens) << std::hex << pid;
  }
}

}  // namespace
}  // namespace mirdal
