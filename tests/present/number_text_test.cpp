// Typed numbers are read as the editors' fields have always read them
// (blanks at the ends, a sign, "0x" before hexadecimal, 32-bit limits).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "present/number_text.h"

namespace mirdal {
namespace {

TEST(NumberText, ReadsTypedNumbers) {
  struct Case {
    std::string text;
    std::optional<std::uint32_t> decimal;
    std::optional<std::uint32_t> hex;
    std::optional<std::int32_t> signedValue;
  };
  const Case cases[] = {
      {" 12", 12, 0x12, 12},
      {"12 ", 12, 0x12, 12},
      {"+12", 12, 0x12, 12},
      {"-0", std::nullopt, std::nullopt, 0},
      {"-1", std::nullopt, std::nullopt, -1},
      {"0x1F", std::nullopt, 0x1F, std::nullopt},
      {"0X1F", std::nullopt, 0x1F, std::nullopt},
      {"1F", std::nullopt, 0x1F, std::nullopt},
      {"12a", std::nullopt, 0x12A, std::nullopt},
      {"", std::nullopt, std::nullopt, std::nullopt},
      {" ", std::nullopt, std::nullopt, std::nullopt},
      {"+", std::nullopt, std::nullopt, std::nullopt},
      {"0x", std::nullopt, std::nullopt, std::nullopt},
      {"1 2", std::nullopt, std::nullopt, std::nullopt},
      {"4294967295", 4294967295u, std::nullopt, std::nullopt},
      {"4294967296", std::nullopt, std::nullopt, std::nullopt},
      {"FFFFFFFF", std::nullopt, 0xFFFFFFFFu, std::nullopt},
      {"100000000", 100000000u, std::nullopt, 100000000},
      {"2147483647", 2147483647u, std::nullopt, 2147483647},
      {"2147483648", 2147483648u, std::nullopt, std::nullopt},
      {"-2147483648", std::nullopt, std::nullopt, -2147483647 - 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(unsignedOfText(c.text), c.decimal) << "'" << c.text << "'";
    EXPECT_EQ(unsignedOfText(c.text, 16), c.hex) << "'" << c.text << "' hex";
    EXPECT_EQ(intOfText(c.text), c.signedValue) << "'" << c.text << "' signed";
  }
}

TEST(NumberText, SplitsAtEverySeparator) {
  const std::pair<std::string, std::vector<std::string_view>> cases[] = {
      {"", {""}}, {"a", {"a"}}, {"a:b", {"a", "b"}}, {":", {"", ""}}, {"1:02:03", {"1", "02", "03"}}};
  for (const auto& [text, parts] : cases) EXPECT_EQ(splitText(text, ':'), parts) << text;
  EXPECT_EQ(trimmedText(" \t a b \n"), "a b");
}

}  // namespace
}  // namespace mirdal
