#include "nav/command_assembler.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "nav/command_text.h"
#include "nav/opcode.h"
#include "support/nav_names.h"

namespace mirdal {
namespace {

using test::kButton;
using test::kMovie;

NavCommand assembled(std::string_view line) {
  const AssembledCommand a = assembleCommand(line);
  EXPECT_FALSE(a.error) << line << ": " << (a.error ? a.error->message() : "");
  return a.command;
}

std::string words(const NavCommand& c) { return hex8(c.opcode) + " " + hex8(c.dst) + " " + hex8(c.src); }

struct AssembleCase {
  const char* line;
  NavCommand c;
};

TEST(CommandAssembler, LinesAsTheGridWritesThem) {
  const AssembleCase cases[] = {
      {"NOP", {0x00000000, 0, 0}},
      {"GoTo 5", {0x20810000, 5, 0}},
      {"GoTo GPR5", {0x20010000, 5, 0}},
      {"Break", {0x00020000, 0, 0}},
      {"Jump Title 1", {0x21810000, 1, 0}},
      {"Call Object PSR4       ;PSR4: Title Number (b15-b0) {1-999,$ffff}", {0x21020000, 0x80000004, 0}},
      {"Resume", {0x01040000, 0, 0}},
      {"Play PL 16", {0x22800000, 16, 0}},
      {"*Play PL 16  ; Forbidden opcode", {0x22800000, 16, 0}},
      {"Play PL_PI GPR1, 2", {0x42410000, 1, 2}},
      {"Play PL_MK 3, GPR4", {0x42820000, 3, 4}},
      {"Play PL_MK 3, 4", {0x42C20000, 3, 4}},
      {"*Terminate PL  ; Forbidden opcode", {0x02030000, 0, 0}},
      {"Link PI 2", {0x22840000, 2, 0}},
      {"Link MK GPR9", {0x22050000, 9, 0}},
      {"BC", {0x08000100, 0, 0}},
      {"EQ GPR0, 1", {0x48400200, 0, 1}},
      {"NE GPR0, PSR1", {0x48000300, 0, 0x80000001}},
      {"LT 4294967295, 0", {0x48C00700, 0xFFFFFFFF, 0}},
      {"Move GPR3, PSR4       ;PSR4: Title Number (b15-b0) {1-999,$ffff}", {0x50000001, 3, 0x80000004}},
      {"Move PSR16, 6647399       ;PSR16: Language Code for Audio (b23-b0)  [eng]", {0x50400001, 0x80000010, 0x656E67}},
      {"Move", {0x10000001, 0, 0}},
      {"Shift Right GPR4095, PSR127", {0x5000000F, 4095, 0x8000007F}},
      {"Bit Clear GPR1, 3", {0x5040000D, 1, 3}},
      {"SetNVTimer GPR1, 60", {0x51400002, 1, 60}},
      {"EnableButton 3", {0x31800004, 3, 0}},
      {"DisableButton GPR2", {0x31000005, 2, 0}},
      {"SetStream", {0x11000001, 0, 0}},
      {"PopUpMenu Off", {0x11000007, 0, 0}},
      {"Still Off", {0x11000009, 0, 0}},
      {" GPR5", {0x31000010, 5, 0}},
      {"SetButtonPage 1, (2)", {0x51C00003, 0x80000001, 2}},
      {"SetButtonPage (GPR1), GPR2", {0x51000003, 1, 0x80000002}},
      {"SetButtonPage 65535, GPR7", {0x51800003, 0x8000FFFF, 0x80000007}},
      {"SetStream 1, (2), 3, 4", {0x51C00001, 0x80010002, 0x80038004}},
      {"SetStream (255), 4095, (GPR1), GPR2", {0x51800001, 0x00FF8FFF, 0x00018002}},
      {"SetStream GPR4095, GPR0, (0), (255)", {0x51400001, 0x8FFF8000, 0x000000FF}},
      {"SetSecondaryStream 15, (GPR3), 255, 4095", {0x51400006, 0x800F0003, 0x80FF8FFF}},
      {"SetSecondaryStream (1), 2, GPR3, (GPR4)", {0x51800006, 0x00018002, 0x80030004}},
      {"!NOP  ; Invalid opcode", {0x00100000, 0, 0}},
      {"!Move GPR1, GPR2  ; Invalid opcode", {0x50100001, 1, 2}},
      {"!Move 2147483652, PSR4  ; Invalid opcode", {0x50800001, 0x80000004, 0x80000004}},
      {"! GPR1, PSR2  ; Invalid opcode", {0x58000000, 1, 0x80000002}},
      {"!---  ; Invalid opcode", {0x10000000, 0, 0}},
      {"!SetStream GPR5  ; Invalid opcode", {0x31000001, 5, 0}},
      // What people type: either case, more blanks, hexadecimal numbers.
      {"  move   gpr1 ,0x1F", {0x50400001, 1, 31}},
      {"jump  title\t7 ; the menu", {0x21810000, 7, 0}},
      {"setbuttonpage ( 1 ) , 0x2", {0x51C00003, 1, 0x80000002}},
  };
  for (const AssembleCase& c : cases) EXPECT_EQ(words(assembled(c.line)), words(c.c)) << c.line;
}

// The bits of a valid word that its command line shows (what the assembler
// can give back); written from the operand layouts, not from the assembler.
NavCommand carried(const NavCommand& c) {
  NavCommand r = c;
  if (r.opcode == 0x31000011) r.opcode = 0x31000010;  // options 16 and 17 read the same
  const int count = int(c.opcode >> 29);
  const bool dImm = c.opcode & kDstImmediateBit, sImm = c.opcode & kSrcImmediateBit;
  if (isPackedSetSystem(c.opcode)) {
    const std::uint32_t base = withoutImmediateFlags(c.opcode);
    std::uint32_t dm = 0, sm = 0;
    if (base == kSetStream) {
      dm = dImm ? 0x80FF8FFF : 0x8FFF8FFF;
      sm = sImm ? 0x80FF80FF : 0x8FFF8FFF;
    } else if (base == kSetButtonPage) {
      dm = dImm ? 0x8000FFFF : 0x80000FFF;
      sm = sImm ? 0x800000FF : 0x80000FFF;
    } else {
      dm = dImm ? 0x800F80FF : 0x800F8FFF;
      sm = sImm ? 0x80FF8FFF : 0x8FFF8FFF;
    }
    r.dst &= dm;
    r.src &= sm;
    return r;
  }
  auto plain = [](std::uint32_t w, bool imm) {
    if (imm) return w;
    return (w & kRegisterIsPsr) ? w & 0x8000007F : w & 0xFFF;
  };
  r.dst = count >= 1 ? plain(c.dst, dImm) : 0;
  r.src = count >= 2 ? plain(c.src, sImm) : 0;
  return r;
}

// Every operand count, group, sub-group, immediate-flag pair and option
// (so every valid word and every named slot), with operands from random
// words, register references with stray bits, and edge values.
TEST(CommandAssembler, GeneratedWordsComeBack) {
  std::mt19937 rng(22);
  std::uniform_int_distribution<std::uint32_t> any;
  std::set<std::uint32_t> validSeen;
  std::size_t checked = 0, commentOnly = 0;
  for (std::uint32_t count = 0; count < 8; ++count)
    for (std::uint32_t group = 0; group < 4; ++group)
      for (std::uint32_t sub = 0; sub < 8; ++sub)
        for (std::uint32_t flags = 0; flags < 4; ++flags)
          for (std::uint32_t option = 0; option < 32; ++option) {
            std::uint32_t op = count << 29 | group << 27 | sub << 24 | flags << 22;
            op |= group == 0 ? (option & 0xF) << 16 : group == 1 ? (option & 0xF) << 8 : option;
            if (option >= 16 && group < 2) op |= any(rng) & 0x003000E0;  // uninterpreted bits
            const std::uint32_t operands[][2] = {
                {any(rng), any(rng)},
                {0x80000000 | (any(rng) & 0x7FFFFFFF), any(rng) & 0x7FFFFFFF},
                {0, 0xFFFFFFFF},
                {0x8000007F, 0x00000FFF},
            };
            for (const auto& o : operands) {
              const NavCommand w{op, o[0], o[1]};
              for (CommandContext ctx : {kMovie, kButton}) {
                const std::string text = commandLine(w, ctx);
                const AssembledCommand a = assembleCommand(text);
                ASSERT_FALSE(a.error) << words(w) << " '" << text << "': " << a.error->message();
                const std::string again = commandLine(a.command, ctx);
                if (again != text) {
                  // Only the code characters of a PSR 16-19 comment may
                  // differ: they show bits 23-0 of an operand, also where
                  // the line itself does not show them (an unused source,
                  // stray bits of a register reference).
                  const std::size_t code = text.rfind("  [");
                  ASSERT_TRUE(isValidOpcode(op) && code != std::string::npos &&
                              text.find(";PSR1") != std::string::npos)
                      << words(w) << " '" << text << "' came back as '" << again << "'";
                  ASSERT_EQ(again.substr(0, code + 3), text.substr(0, code + 3)) << words(w);
                  ++commentOnly;
                }
                if (isValidOpcode(op)) {
                  validSeen.insert(op);
                  ASSERT_EQ(words(a.command), words(carried(w))) << text;
                } else {
                  ASSERT_FALSE(isValidOpcode(a.command.opcode)) << text;
                }
                ++checked;
              }
            }
          }
  EXPECT_EQ(validSeen.size(), 132u);  // every valid opcode word
  EXPECT_GT(checked, 200000u);
  EXPECT_LT(commentOnly, checked / 1000);
}

struct ErrorCase {
  const char* line;
  std::size_t column;
  const char* what;  // the start of the message after the column
};

TEST(CommandAssembler, BadLinesSayWhereAndWhat) {
  const ErrorCase cases[] = {
      {"", 1, "expected a command name"},
      {"   ; a comment only", 4, "expected a command name"},
      {"Mvoe GPR1, 2", 1, "unknown command 'Mvoe'"},
      {"GoTo5", 1, "unknown command 'GoTo5'"},
      {"Move GPR1", 10, "expected ',' and another operand: Move takes 2 operands"},
      {"Move GPR1,", 11, "expected a register or a number after ','"},
      {"Move GPR1, ", 12, "expected a register or a number after ','"},
      {"Jump Title", 11, "expected an operand: Jump Title takes 1 operand"},
      {"Resume 5", 8, "expected the end of the line: Resume takes no operand"},
      {"GoTo 1, 2", 9, "expected the end of the line: GoTo takes 1 operand"},
      {"Move GPR1, 2, 3", 15, "expected the end of the line: Move takes 2 operands"},
      {"Move GPR1, 2 GPR3", 14, "expected ',' or the end of the line, not 'GPR3'"},
      {"Move GPR1, 2)", 13, "expected ',' or the end of the line, not ')'"},
      {"Move 5, GPR1", 6, "expected a register, not '5' (Move takes a register here)"},
      {"EQ 5, GPR1", 7, "expected a number, not 'GPR1' (EQ takes a number here)"},
      {"Move GPR1, 4294967296", 12, "number out of range: 4294967296 (0 to 4294967295)"},
      {"Move GPR1, 0x100000000", 12, "number out of range: 0x100000000 (0 to 4294967295)"},
      {"Move GPR4096, 1", 6, "register number out of range: GPR4096 (GPR0 to GPR4095)"},
      {"Move PSR128, 1", 6, "register number out of range: PSR128 (PSR0 to PSR127)"},
      {"Move GPR1, 12ab", 12, "expected a register or a number after ',', not '12ab'"},
      {"Move GPR1, (2)", 12, "expected a register or a number without parentheses"},
      {"Move GPR1, (2", 14, "expected ')'"},
      {"---", 1, "'---' is no valid command; write '!---' to keep an invalid word"},
      {"5", 1, "expected a command name, not '5'"},
      {"!Move GPR1, 2, 3", 16, "expected the end of the line: a command has at most 2 operands"},
      {"SetButtonPage 1", 16, "expected ',' and another value: SetButtonPage takes 2 values, one per operand"},
      {"SetStream 1, 2", 15, "expected ',' and another value: SetStream takes 4 values, two per operand"},
      {"SetButtonPage 65536, 1", 15, "number out of range: 65536 (0 to 65535 here)"},
      {"SetButtonPage 1, 256", 18, "number out of range: 256 (0 to 255 here)"},
      {"SetButtonPage 1, ( 256)", 20, "number out of range: 256 (0 to 255 here)"},
      {"SetSecondaryStream (GPR1), GPR2, 1, 1", 21, "expected a number, not 'GPR1'"},
      {"SetStream 256, 1, 1, 1", 11, "number out of range: 256 (0 to 255 here)"},
      {"SetStream 1, GPR2, 1, 1", 14, "expected a number like the value before it, not 'GPR2'"},
      {"SetStream GPR1, 2, 1, 1", 17, "expected a GPR like the register before it, not '2'"},
      {"SetButtonPage PSR1, 1", 15, "expected a GPR or a number, not 'PSR1' (SetButtonPage names no PSR)"},
      {"SetSecondaryStream GPR1, GPR2, 1, 1", 20, "expected a number, not 'GPR1'"},
      {"SetSecondaryStream 16, 1, 1, 1", 20, "number out of range: 16 (0 to 15 here)"},
      {"SetStream 1, 2, 3, 4, 5", 23, "expected the end of the line: too many operands"},
  };
  for (const ErrorCase& c : cases) {
    const AssembledCommand a = assembleCommand(c.line, 4);
    ASSERT_TRUE(a.error) << c.line << " gave " << words(a.command);
    EXPECT_EQ(a.error->line, 4u) << c.line;
    EXPECT_EQ(a.error->column, c.column) << c.line << ": " << a.error->what;
    EXPECT_EQ(a.error->what.rfind(c.what, 0), 0u) << c.line << ": " << a.error->what;
  }
  EXPECT_EQ(assembleCommand("Move GPR1", 4).error->message(),
            "line 4, column 10: expected ',' and another operand: Move takes 2 operands");
}

}  // namespace
}  // namespace mirdal
