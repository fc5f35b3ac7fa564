#include "nav/program_text.h"

#include <gtest/gtest.h>

#include "nav/command_text.h"
#include "nav/program_edit.h"
#include "nav/program_export.h"
#include "support/nav_names.h"

namespace mirdal {
namespace {

using test::kMovie;

TEST(ProgramText, ListLinesKeepTheirWords) {
  // Words with bits a command line cannot carry: the display flag of
  // SetStream, stray bits of a register reference, an unused source, an
  // invalid word.
  const CommandList p = {
      {0x51C00001, 0x8001C001, 0x00000000},
      {0x50000001, 0x0000F003, 0x80001234},
      {0x21810000, 0x00000001, 0x12345678},
      {0x00000001, 0x00000000, 0x00000000},
      {0x50000001, 0x0000000A, 0x80000010},  // the code characters hold a line feed
  };
  const ProgramText t = assembleProgram(programList(p));
  ASSERT_FALSE(t.error) << t.error->message();
  EXPECT_EQ(t.commands, p);
}

struct TextCase {
  const char* name;
  const char* text;
  CommandList commands;
};

TEST(ProgramText, FormsOfALine) {
  const CommandList move = {{0x50000001, 3, 0x80000004}};
  const TextCase cases[] = {
      {"list line", "0000  [50000001,00000003 ,80000004 ]  Move GPR3, PSR4       ;PSR4: Title Number\r\n", move},
      {"without the line number", "[50000001,00000003 ,80000004 ]  Move GPR3, PSR4", move},
      {"without the command line", "0000  [50000001,00000003,80000004]", move},
      {"line number and command line", "12 Move GPR3, PSR4", move},
      {"bare", "Move GPR3, PSR4", move},
      {"blank and comment lines", "\n; a note\n   \n\tMove GPR3, PSR4 ; why\n\n", move},
      {"a UTF-8 mark", "\xEF\xBB\xBFMove GPR3, PSR4\n", move},
      {"words in either case", "[5040000f,0000000a,00000001]", {{0x5040000F, 10, 1}}},
      {"several", "GoTo 1\nBreak\nNOP", {{0x20810000, 1, 0}, {0x00020000, 0, 0}, {0, 0, 0}}},
  };
  for (const TextCase& c : cases) {
    const ProgramText t = assembleProgram(c.text);
    ASSERT_FALSE(t.error) << c.name << ": " << t.error->message();
    EXPECT_EQ(t.commands, c.commands) << c.name;
  }
}

struct BadText {
  const char* text;
  const char* message;
};

TEST(ProgramText, BadTextsSayWhereAndWhat) {
  const BadText cases[] = {
      {"", "line 1, column 1: expected a command line: the text holds none"},
      {";----\r\n;\r\n", "line 2, column 2: expected a command line: the text holds none"},
      {"NOP\nMove GPR1\nNOP", "line 2, column 10: expected ',' and another operand: Move takes 2 operands"},
      {"NOP\r\nFoo 1\r\n", "line 2, column 1: unknown command 'Foo': expected a command name such as Move, GoTo or Jump Title"},
      {"0000", "line 1, column 5: expected a command line after the line number"},
      {"0000x NOP", "line 1, column 5: expected a blank after the line number, not 'x'"},
      {"0000  [5000000G,0,0]", "line 1, column 15: expected ',' after the opcode word"},
      {"0000  [500000011,0,0]", "line 1, column 8: expected the opcode word as up to 8 hexadecimal digits"},
      {"[50000001,00000003]", "line 1, column 19: expected ',' after the destination word"},
      {"[50000001,3,", "line 1, column 13: expected the source word as hexadecimal digits"},
      {"[0,0,0 NOP", "line 1, column 8: expected ']' after the source word"},
      {"0000  [50000001,00000003,80000004]  Move GPR3, PSR5",
       "line 1, column 37: the command line does not match the words [50000001,00000003,80000004], which read "
       "'Move GPR3, PSR4': correct or remove one of them"},
  };
  for (const BadText& c : cases) {
    const ProgramText t = assembleProgram(c.text);
    ASSERT_TRUE(t.error) << c.text;
    EXPECT_EQ(t.error->message(), c.message) << c.text;
    EXPECT_TRUE(t.commands.empty());
  }
}

TEST(ProgramText, CommandLinesForTheClipboard) {
  const CommandList p = {{0x20810000, 5, 0}, {0x22800000, 16, 0}, {0x00000001, 0, 0}};
  EXPECT_EQ(commandLinesText(p, 0, 1, CommandContext::ButtonCommands), "GoTo 5\n*Play PL 16  ; Forbidden opcode\n");
  EXPECT_EQ(commandLinesText(p, 2, 7, kMovie), "!NOP  ; Invalid opcode\n");
  const ProgramText back = assembleProgram(commandLinesText(p, 0, 2, kMovie));
  ASSERT_FALSE(back.error);
  EXPECT_EQ(back.commands.size(), 3u);
  EXPECT_EQ(commandLinesText(back.commands, 0, 2, kMovie), commandLinesText(p, 0, 2, kMovie));
}

TEST(ProgramText, ImportPlacesTheLines) {
  const CommandList base = {{0x20810000, 2, 0}, {0, 0, 0}, {0x00020000, 0, 0}};
  const CommandList lines = {{0x20810000, 0, 0}};
  CommandList p = base;
  EditResult r = importCommandLines(p, lines, 1);
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(r.delta, 1);
  // The old GoTo 2 moves to its line's new place; the new GoTo 0 stays.
  EXPECT_EQ(p, (CommandList{{0x20810000, 3, 0}, {0x20810000, 0, 0}, {0, 0, 0}, {0x00020000, 0, 0}}));
  p = base;
  r = importCommandLines(p, lines, std::nullopt);
  EXPECT_EQ(r.delta, -2);
  EXPECT_EQ(p, lines);
  p = {};
  r = importCommandLines(p, {{0x20810000, 7, 0}}, 0);
  EXPECT_EQ(p, (CommandList{{0x20810000, 7, 0}}));  // nothing pointed into the empty program
  p = base;
  EXPECT_FALSE(importCommandLines(p, lines, 4).changed);
  EXPECT_EQ(p, base);
}

}  // namespace
}  // namespace mirdal
