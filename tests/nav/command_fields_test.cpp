#include "nav/command_fields.h"

#include <gtest/gtest.h>

namespace mirdal {
namespace {

TEST(CommandEditor, ViewOfACommand) {
  const CommandEditorView v = editorViewOf({0x50400001, 0x80000004, 0x00000007});
  EXPECT_EQ(v.group, 2);
  EXPECT_EQ(v.subGroup, 0);
  EXPECT_EQ(v.option, 1);
  EXPECT_EQ(v.optionItems.size(), 16u);
  EXPECT_TRUE(v.op[0].enabled && v.op[0].checked);
  EXPECT_TRUE(v.op[1].enabled && v.op[1].checked);
  EXPECT_EQ(v.op[0].kind, OperandKind::PSR);
  EXPECT_EQ(v.op[0].number, 4u);
  EXPECT_EQ(v.op[0].word, 0x80000004u);
  EXPECT_EQ(v.op[1].kind, OperandKind::Imm);
  EXPECT_EQ(v.op[1].number, 7u);
  EXPECT_EQ(v.gridHint, "PSR4: Title Number (b15-b0) {1-999,$ffff}");
}

TEST(CommandEditor, ViewHints) {
  struct Case {
    NavCommand c;
    const char* hint;
  } cases[] = {
      {{0x50000001, 0x00000FFF, 0x00000001}, "Navigation commands"},
      // The source's hint wins over the destination's.
      {{0x50000001, 0x80000004, 0x80000005}, "PSR5: Chapter Number (b15-b0) {1-999,$ffff}"},
      // Only PSRs 0 to 40 give a hint.
      {{0x50000001, 0x80000029, 0x00000001}, "Navigation commands"},
      // SetStream's operands are no plain register references.
      {{0x51000001, 0x80000004, 0x80000004}, "Navigation commands"},
  };
  for (const auto& c : cases) EXPECT_EQ(editorViewOf(c.c).gridHint, c.hint);
  const CommandEditorView ss = editorViewOf({0x51000001, 0x80058123, 0});
  EXPECT_EQ(ss.op[0].kind, OperandKind::GPR);
  EXPECT_EQ(ss.op[0].number, 0x80058123u);
}

TEST(CommandEditor, CheckBoxesFollowTheOperandCount) {
  struct Case {
    std::uint32_t opcode;
    bool op1, op2;
  } cases[] = {{0x00000000, false, false}, {0x20810000, true, false}, {0x50000001, true, true},
               {0x70000001, true, true},   {0x90000001, false, false}, {0xB0000001, true, false}};
  for (const auto& c : cases) {
    const CommandEditorView v = editorViewOf({c.opcode, 0, 0});
    EXPECT_EQ(v.op[0].checked, c.op1) << std::hex << c.opcode;
    EXPECT_EQ(v.op[1].checked, c.op2) << std::hex << c.opcode;
  }
}

TEST(CommandEditor, ListChoices) {
  struct Case {
    std::uint32_t before;
    void (*act)(NavCommand&);
    std::uint32_t after;
  } cases[] = {
      // Group: count and immediate flags stay, sub-group and options restart.
      {0x21810000, [](NavCommand& c) { chooseGroup(c, 2); }, 0x30800000},
      {0x51C00003, [](NavCommand& c) { chooseGroup(c, 1); }, 0x48C00000},
      // Sub-group: bits 21-20 and the options are cleared.
      {0x20B10000, [](NavCommand& c) { chooseSubGroup(c, 2); }, 0x22800000},
      // Option: bits 21-20 stay; the count follows the table.
      {0x10000000, [](NavCommand& c) { chooseOption(c, 1); }, 0x50000001},
      {0x50400001, [](NavCommand& c) { chooseOption(c, 0); }, 0x10400000},
      {0x00300000, [](NavCommand& c) { chooseOption(c, 1); }, 0x20310000},
      {0x48000000, [](NavCommand& c) { chooseOption(c, 7); }, 0x48000700},
      {0x21000000, [](NavCommand& c) { chooseOption(c, 4); }, 0x01040000},
      {0x02000000, [](NavCommand& c) { chooseOption(c, 1); }, 0x42010000},
  };
  for (const auto& c : cases) {
    NavCommand cmd{c.before, 1, 2};
    c.act(cmd);
    EXPECT_EQ(cmd.opcode, c.after) << std::hex << c.before;
    EXPECT_EQ(cmd.dst, 1u);
    EXPECT_EQ(cmd.src, 2u);
  }
}

TEST(CommandEditor, OperandCheckBoxesAreCoupled) {
  NavCommand c{0x50000001, 0, 0};
  setOperandInUse(c, 0, false);  // also clears the source
  EXPECT_EQ(c.opcode, 0x10000001u);
  setOperandInUse(c, 1, true);  // also sets the destination
  EXPECT_EQ(c.opcode, 0x50000001u);
  setOperandInUse(c, 1, false);
  EXPECT_EQ(c.opcode, 0x30000001u);
  setOperandInUse(c, 0, true);
  EXPECT_EQ(c.opcode, 0x30000001u);
}

TEST(CommandEditor, OperandKinds) {
  NavCommand c{0x50000001, 0x00000004, 0x00000005};
  chooseOperandKind(c, 0, OperandKind::PSR);
  EXPECT_EQ(c.dst, 0x80000004u);
  chooseOperandKind(c, 1, OperandKind::Imm);
  EXPECT_EQ(c.opcode, 0x50400001u);
  EXPECT_EQ(c.src, 5u);
  chooseOperandKind(c, 1, OperandKind::GPR);
  EXPECT_EQ(c.opcode, 0x50000001u);
  chooseOperandKind(c, 0, OperandKind::GPR);
  EXPECT_EQ(c.dst, 4u);

  // SetStream keeps its words: bit 31 is a flag there, PSR falls back to GPR.
  NavCommand s{0x51C00001, 0x00050000, 0};
  chooseOperandKind(s, 0, OperandKind::PSR);
  EXPECT_EQ(s.opcode, 0x51400001u);
  EXPECT_EQ(s.dst, 0x00050000u);
  EXPECT_EQ(editorViewOf(s).op[0].kind, OperandKind::GPR);
}

TEST(CommandEditor, NumbersAndWords) {
  NavCommand c{0x50000001, 0x80000001, 0x00000002};
  enterOperandNumber(c, 0, 16);  // shown as a PSR: the selector bit is added
  EXPECT_EQ(c.dst, 0x80000010u);
  enterOperandNumber(c, 1, 7);
  EXPECT_EQ(c.src, 7u);
  enterOperandNumber(c, 0, 0x80000005);  // 2^31 and above wrap around
  EXPECT_EQ(c.dst, 5u);

  enterOperandWord(c, 1, 0xABCD);
  EXPECT_EQ(c.src, 0xABCDu);
  enterOpcodeWord(c, 0x20810000);
  EXPECT_EQ(c, (NavCommand{0x20810000, 5, 0xABCD}));
  enterOpcodeWord(c, 0);
  EXPECT_EQ(c, NavCommand{});
}

TEST(CommandEditor, FieldParsing) {
  EXPECT_EQ(parseOperandNumber("4294967295"), 4294967295u);
  EXPECT_EQ(parseOperandNumber(" 12 "), 12u);
  EXPECT_FALSE(parseOperandNumber("4294967296"));
  EXPECT_FALSE(parseOperandNumber("-1"));
  EXPECT_FALSE(parseOperandNumber("12a"));
  EXPECT_FALSE(parseOperandNumber(""));
  EXPECT_EQ(parseHexWord("deadBEEF"), 0xDEADBEEFu);
  EXPECT_EQ(parseHexWord("0x1f"), 0x1Fu);
  EXPECT_FALSE(parseHexWord("123456789"));
  EXPECT_FALSE(parseHexWord("12G"));
}

}  // namespace
}  // namespace mirdal
