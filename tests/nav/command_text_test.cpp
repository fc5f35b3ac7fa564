#include "nav/command_text.h"

#include <gtest/gtest.h>

#include "support/recording_reporter.h"
#include "support/nav_names.h"

namespace mirdal {
namespace {

using test::kButton;
using test::kMovie;

struct LineCase {
  NavCommand c;
  CommandContext ctx;
  const char* line;
};

TEST(CommandText, CommandLines) {
  const LineCase cases[] = {
      {{0x50000001, 0x00000003, 0x80000004}, kMovie,
       "Move GPR3, PSR4       ;PSR4: Title Number (b15-b0) {1-999,$ffff}"},
      {{0x50400001, 0x80000010, 0x00656E67}, kMovie,
       "Move PSR16, 6647399       ;PSR16: Language Code for Audio (b23-b0)  [eng]"},
      {{0x20810000, 0x00000005, 0x00000000}, kMovie, "GoTo 5"},
      {{0x48400200, 0x00000000, 0x00000001}, kMovie, "EQ GPR0, 1"},
      {{0x51C00003, 0x80000001, 0x00000002}, kMovie, "SetButtonPage 1, (2)"},
      {{0x22800000, 0x00000010, 0x00000000}, kMovie, "Play PL 16"},
      {{0x22800000, 0x00000010, 0x00000000}, kButton, "*Play PL 16  ; Forbidden opcode"},
      {{0x00000001, 0x00000000, 0x00000000}, kMovie, "!NOP  ; Invalid opcode"},
      // Operand count 0 shows no operands whatever the words hold.
      {{0x00020000, 0x12345678, 0x9ABCDEF0}, kMovie, "Break"},
      // Operand count 1 shows operand 1 only.
      {{0x21010000, 0x80000004, 0x00000007}, kMovie,
       "Jump Title PSR4       ;PSR4: Title Number (b15-b0) {1-999,$ffff}"},
      {{0x50400001, 0x00000001, 0xFFFFFFFF}, kMovie, "Move GPR1, 4294967295"},
      // Stray bits of a register reference are ignored; PSR 52 has no comment.
      {{0x50000001, 0x00000001, 0x80001234}, kMovie, "Move GPR1, PSR52"},
      {{0x50000001, 0x0000F123, 0x00000002}, kMovie, "Move GPR291, GPR2"},
      // The language code comes from dst when operand 1 is no PSR; its zero
      // high byte is left out.
      {{0x50000001, 0x00006672, 0x80000012}, kMovie,
       "Move GPR1650, PSR18       ;PSR18: Language Code for Menu (b23-b0)  [fr]"},
      {{0x50400001, 0x80000013, 0x00005553}, kMovie,
       "Move PSR19, 21843       ;PSR19: Country Code (b15-b0)  [US]"},
      // The source PSR comes first.
      {{0x50000001, 0x80000004, 0x80000005}, kMovie,
       "Move PSR4, PSR5       ;PSR5: Chapter Number (b15-b0) {1-999,$ffff}"},
      // A source PSR beyond the table hides the destination's comment too.
      {{0x50000001, 0x80000004, 0x8000002D}, kMovie, "Move PSR4, PSR45"},
      {{0x50000001, 0x00000000, 0x80000015}, kMovie, "Move GPR0, PSR21       ;PSR21: reserved"},
      // Invalid words get neither a comment nor the forbidden suffix.
      {{0x50800001, 0x80000004, 0x80000004}, kMovie, "!Move 2147483652, PSR4  ; Invalid opcode"},
      {{0x02030001, 0, 0}, kMovie, "!Terminate PL  ; Invalid opcode"},
      // Group 3: empty name, then the operand texts.
      {{0x58000000, 0x00000001, 0x80000002}, kMovie, "! GPR1, PSR2  ; Invalid opcode"},
      // Operand counts above 2 still show the source.
      {{0x70000001, 0x00000001, 0x00000002}, kMovie, "!Move GPR1, GPR2  ; Invalid opcode"},
      {{0x02030000, 0, 0}, kMovie, "*Terminate PL  ; Forbidden opcode"},
  };
  for (const auto& c : cases) EXPECT_EQ(commandLine(c.c, c.ctx), c.line) << std::hex << c.c.opcode;
}

TEST(CommandText, PackedSetSystemForms) {
  const LineCase cases[] = {
      {{0x51C00001, 0x80058000, 0x80000000}, kMovie, "SetStream 5, 0, 0, (0)"},
      {{0x51C00001, 0x00050ABC, 0x00038007}, kMovie, "SetStream (5), (2748), (3), 7"},
      {{0x51800001, 0x80050123, 0x8005000A}, kMovie, "SetStream 5, (291), GPR5, (GPR10)"},
      {{0x51000001, 0x80058123, 0x0FFF8FFF}, kMovie, "SetStream GPR5, GPR291, (GPR4095), GPR4095"},
      {{0x51400001, 0x00018002, 0x80010002}, kMovie, "SetStream (GPR1), GPR2, 1, (2)"},
      {{0x51C00003, 0x00000001, 0x80000002}, kMovie, "SetButtonPage (1), 2"},
      {{0x51000003, 0x80000007, 0x00000008}, kMovie, "SetButtonPage GPR7, (GPR8)"},
      {{0x51800003, 0x8000FFFF, 0x80000001}, kMovie, "SetButtonPage 65535, GPR1"},
      {{0x51C00006, 0x80078009, 0x00128FFF}, kMovie, "SetSecondaryStream 7, 9, (18), 4095"},
      {{0x51400006, 0x0007800A, 0x80128001}, kMovie, "SetSecondaryStream (7), GPR10, 18, 1"},
      {{0x51000006, 0x80070005, 0x80128001}, kMovie, "SetSecondaryStream 7, (GPR5), GPR18, GPR1"},
      // Bit 31 of a packed register form is a flag, not a PSR: no comment.
      {{0x51000003, 0x80000004, 0x80000004}, kMovie, "SetButtonPage GPR4, GPR4"},
      // Another bit set: plain forms again (and an invalid word).
      {{0x51C00013, 0x80000001, 0x00000002}, kMovie, "! 2147483649, 2  ; Invalid opcode"},
      {{0x51000002, 0x80000004, 0x00000001}, kMovie,
       "SetNVTimer PSR4, GPR1       ;PSR4: Title Number (b15-b0) {1-999,$ffff}"},
  };
  for (const auto& c : cases) EXPECT_EQ(commandLine(c.c, c.ctx), c.line) << std::hex << c.c.opcode;
}

TEST(CommandText, RowCells) {
  struct Case {
    NavCommand c;
    std::size_t line;
    std::array<const char*, 4> cells;  // columns 0-3
  } cases[] = {
      {{0x50000001, 3, 0x80000004}, 0, {"0000", "50000001", "00000003 ", "80000004 "}},
      {{0x20810000, 5, 7}, 12, {"0012", "20810000", "00000005 ", "00000007"}},
      {{0x00020000, 1, 2}, 12345, {"12345", "00020000", "00000001", "00000002"}},
      {{0x7000000A, 0xAB, 0xCD}, 9999, {"9999", "7000000A", "000000AB ", "000000CD"}},
  };
  for (const auto& c : cases) {
    const CommandRow r = commandRow(c.c, c.line, kMovie);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.cells[i], c.cells[i]) << "column " << i;
    EXPECT_EQ(r.cells[4], commandLine(c.c, kMovie));
  }
  EXPECT_EQ(commandGridHeader()[2], "Destinat.");
}

TEST(CommandText, BeepOnlyForInvalidButtonCommandsWhenForced) {
  const NavCommand bad{0x00000001, 0, 0}, good{0x00020000, 0, 0};
  EXPECT_TRUE(renderBeeps(bad, kButton, true));
  EXPECT_FALSE(renderBeeps(bad, kButton, false));
  EXPECT_FALSE(renderBeeps(bad, kMovie, true));
  EXPECT_FALSE(renderBeeps(good, kButton, true));
}

}  // namespace
}  // namespace mirdal

namespace mirdal {
namespace {

TEST(CommandText, RenderProgramReportsProgress) {
  test::ReportScope rs;
  const CommandList p(300, NavCommand{0x00020000, 0, 0});
  std::vector<std::string> counters;
  struct Spy : test::RecordingReporter {
    std::vector<std::string>* seen;
    void statusChanged(const StatusLine& s) override {
      if (!s.panel[1].empty()) seen->push_back(s.panel[1]);
    }
  } spy;
  spy.seen = &counters;
  mirdal::test::ScopedTestReporter scope(spy);
  const auto rows = renderProgram(p, CommandContext::MovieObject, mirdal::test::testReporter());
  ASSERT_EQ(rows.size(), 300u);
  EXPECT_EQ(rows[299].cells[kColNo], "0299");
  EXPECT_EQ(counters, (std::vector<std::string>{" 1/300 ", " 129/300 ", " 257/300 "}));
  EXPECT_EQ(mirdal::test::testReporter().status().panel[0], " Ready. ");
}

TEST(CommandText, MovingOntoAnInvalidLineBeeps) {
  EXPECT_TRUE(invalidLineBeeps("!NOP  ; Invalid opcode"));
  EXPECT_FALSE(invalidLineBeeps("*Still On  ; Forbidden opcode"));
  EXPECT_FALSE(invalidLineBeeps(""));
}

}  // namespace
}  // namespace mirdal
