#include "nav/opcode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace mirdal {
namespace {

// The valid set written out word by word, independently of the table code.
std::set<std::uint32_t> validWordList() {
  std::set<std::uint32_t> s = {
      0x00000000, 0x20010000, 0x20810000, 0x00020000, 0x21000000, 0x21800000, 0x21010000,
      0x21810000, 0x21020000, 0x21820000, 0x21030000, 0x21830000, 0x01040000, 0x22000000,
      0x22800000, 0x42010000, 0x42410000, 0x42810000, 0x42C10000, 0x42020000, 0x42420000,
      0x42820000, 0x42C20000, 0x02030000, 0x22040000, 0x22840000, 0x22050000, 0x22850000,
      0x31000004, 0x31800004, 0x31000005, 0x31800005, 0x31000010, 0x31000011,
  };
  for (std::uint32_t hi : {0x51000000u, 0x51400000u, 0x51800000u, 0x51C00000u})
    for (std::uint32_t nn : {1u, 2u, 3u, 6u}) s.insert(hi + nn);
  for (std::uint32_t nn = 1; nn <= 9; ++nn) s.insert(0x11000000 + nn);
  for (std::uint32_t n = 1; n <= 7; ++n)
    for (std::uint32_t hi : {0x48000000u, 0x48400000u, 0x48C00000u, 0x08000000u}) s.insert(hi + (n << 8));
  for (std::uint32_t nn = 1; nn <= 15; ++nn)
    for (std::uint32_t hi : {0x50000000u, 0x50400000u, 0x10000000u}) s.insert(hi + nn);
  return s;
}

TEST(Opcode, EveryListedWordIsValid) {
  const auto words = validWordList();
  EXPECT_EQ(words.size(), 132u);
  for (std::uint32_t w : words) EXPECT_TRUE(isValidOpcode(w)) << std::hex << w;
}

TEST(Opcode, AnyStrayBitMakesAValidWordInvalid) {
  const auto words = validWordList();
  for (std::uint32_t w : words)
    for (int b = 0; b < 32; ++b) {
      const std::uint32_t v = w ^ (1u << b);
      EXPECT_EQ(isValidOpcode(v), words.count(v) == 1) << std::hex << w << " bit " << std::dec << b;
    }
}

TEST(Opcode, InvalidSamples) {
  for (std::uint32_t w : {0x00000001u, 0x48800100u, 0x50000010u, 0x18000000u, 0x50800001u,
                          0x48000000u, 0x51000004u, 0x31000012u, 0xFFFFFFFFu, 0x11000000u})
    EXPECT_FALSE(isValidOpcode(w)) << std::hex << w;
}

TEST(Opcode, GroupThreeHasNoNameAndNoValidWord) {
  for (std::uint32_t w : {0x18000000u, 0x38810000u, 0x59000001u, 0x1F000003u}) {
    EXPECT_EQ(decodeOpcode(w).group, 3);
    EXPECT_EQ(decodeOpcode(w).option, 0);
    EXPECT_EQ(commandName(w), "");
    EXPECT_FALSE(isValidOpcode(w));
  }
}

TEST(Opcode, Decode) {
  const OpcodeFields f = decodeOpcode(0x42C10000);
  EXPECT_EQ(f.operandCount, 2);
  EXPECT_EQ(f.group, 0);
  EXPECT_EQ(f.subGroup, 2);
  EXPECT_TRUE(f.dstImmediate);
  EXPECT_TRUE(f.srcImmediate);
  EXPECT_EQ(f.option, 1);
  EXPECT_EQ(decodeOpcode(0x48400700).option, 7);  // compare option, bits 11-8
  EXPECT_EQ(decodeOpcode(0x5000001F).option, 31);  // set option, bits 4-0
  EXPECT_EQ(decodeOpcode(0x20F10000).option, 1);   // bits 21-20 are not part of it
}

TEST(Opcode, Names) {
  struct Case {
    std::uint32_t word;
    const char* name;
  } cases[] = {
      {0x00000000, "NOP"},          {0x20810000, "GoTo"},          {0x00020000, "Break"},
      {0x21810000, "Jump Title"},   {0x01040000, "Resume"},        {0x42C20000, "Play PL_MK"},
      {0x22850000, "Link MK"},      {0x48400200, "EQ"},            {0x48800100, "BC"},
      {0x08000000, "--"},           {0x50000002, "Swap"},          {0x5000000F, "Shift Right"},
      {0x51C00003, "SetButtonPage"}, {0x11000009, "Still Off"},   {0x50000010, ""},
      {0x31000010, ""},             {0x20030000, ""},              {0x23000000, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(commandName(c.word), c.name) << std::hex << c.word;
}

TEST(Opcode, ForbiddenDependsOnTheContext) {
  const auto movie = CommandContext::MovieObject, button = CommandContext::ButtonCommands;
  const std::uint32_t movieOnly[] = {0x02030000, 0x22050000, 0x22850000, 0x22040000,
                                     0x22840000, 0x31000004, 0x31800004, 0x31000005,
                                     0x31800005, 0x11000007, 0x11000008, 0x11000009};
  const std::uint32_t buttonOnly[] = {0x22000000, 0x22800000, 0x42010000, 0x42810000, 0x42410000,
                                      0x42C10000, 0x42020000, 0x42820000, 0x42420000, 0x42C20000};
  for (std::uint32_t w : movieOnly) {
    EXPECT_TRUE(isValidOpcode(w));
    EXPECT_TRUE(isForbiddenOpcode(w, movie)) << std::hex << w;
    EXPECT_FALSE(isForbiddenOpcode(w, button)) << std::hex << w;
  }
  for (std::uint32_t w : buttonOnly) {
    EXPECT_TRUE(isValidOpcode(w));
    EXPECT_TRUE(isForbiddenOpcode(w, button)) << std::hex << w;
    EXPECT_FALSE(isForbiddenOpcode(w, movie)) << std::hex << w;
  }
  for (std::uint32_t w : {0x00000001u, 0x22000001u, 0x02030001u}) {
    EXPECT_FALSE(isForbiddenOpcode(w, movie));
    EXPECT_FALSE(isForbiddenOpcode(w, button));
  }
}

TEST(Opcode, EditorLists) {
  EXPECT_EQ(groupNames(), (std::vector<std::string_view>{"Branch", "Compare", "Set"}));
  EXPECT_EQ(subGroupNames(0), (std::vector<std::string_view>{"GoTo", "Jump", "Play"}));
  EXPECT_EQ(subGroupNames(1), (std::vector<std::string_view>{"-"}));
  EXPECT_EQ(subGroupNames(2), (std::vector<std::string_view>{"Set", "SetSystem"}));
  EXPECT_TRUE(subGroupNames(3).empty());
  EXPECT_EQ(optionNames(0, 0).size(), 3u);
  const auto cmp = optionNames(1, 0);
  ASSERT_EQ(cmp.size(), 8u);
  EXPECT_EQ(cmp.front(), "--");
  EXPECT_EQ(cmp.back(), "LT");
  EXPECT_EQ(optionNames(2, 0).size(), 16u);
  EXPECT_EQ(optionNames(2, 1).size(), 10u);
  EXPECT_TRUE(optionNames(1, 1).empty());
}

TEST(Opcode, OperandCountTable) {
  struct Case {
    int g, s, o, count;
  } cases[] = {{0, 0, 0, 0}, {0, 0, 1, 1}, {0, 0, 2, 0}, {0, 1, 3, 1}, {0, 1, 4, 0}, {0, 2, 1, 2},
               {0, 2, 3, 0}, {0, 2, 5, 1}, {1, 0, 0, 0}, {1, 0, 7, 2}, {2, 0, 0, 0}, {2, 0, 15, 2},
               {2, 1, 3, 2}, {2, 1, 4, 1}, {2, 1, 7, 0}, {2, 1, 16, 0}, {3, 0, 0, 0}, {2, 0, 16, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(operandCountOf(c.g, c.s, c.o), c.count) << c.g << "/" << c.s << "/" << c.o;
}

}  // namespace
}  // namespace mirdal
