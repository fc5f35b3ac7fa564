#include "nav/command_paint.h"

#include <gtest/gtest.h>

namespace mirdal {
namespace {

using C = PaintColor;

TEST(CommandPaint, CellColours) {
  struct Case {
    const char* text;
    const char* rowLine;
    CellState st;
    C background, textColor;
    bool bold;
  } cases[] = {
      {"No.", "", {0, true, false, false}, C::FixedBackground, C::WindowText, false},
      {"50000001", "Move GPR1, 2", {1, false, false, false}, C::GridBackground, C::Blue, false},
      {"00000001 ", "Move GPR1, 2", {2, false, false, false}, C::GridBackground, C::Blue, false},
      {"00000001", "Break", {2, false, false, false}, C::GridBackground, C::Grey, false},
      {"Break", "Break", {4, false, false, false}, C::GridBackground, C::WindowText, false},
      {"Break", "Break", {4, false, true, true}, C::Highlight, C::HighlightText, true},
      {"00000001", "Break", {3, false, true, false}, C::Highlight, C::HighlightText, false},
      {"!NOP  ; Invalid opcode", "!NOP  ; Invalid opcode", {4, false, false, false},
       C::GridBackground, C::Red, true},
      {"00000001", "!NOP  ; Invalid opcode", {1, false, false, false}, C::GridBackground, C::Red, false},
      {"00000001", "!NOP  ; Invalid opcode", {1, false, true, false}, C::Red, C::HighlightText, false},
      {"*Still On", "*Still On", {4, false, true, false}, C::Orange, C::HighlightText, true},
      {"0000", "*Still On", {0, true, false, false}, C::FixedBackground, C::WindowText, false},
  };
  for (const auto& c : cases) {
    const CellPaint p = paintCommandCell(c.text, c.rowLine, c.st);
    EXPECT_EQ(p.background, c.background) << c.text << " / " << c.rowLine;
    EXPECT_EQ(p.text, c.textColor) << c.text << " / " << c.rowLine;
    EXPECT_EQ(p.bold, c.bold) << c.text << " / " << c.rowLine;
  }
}

TEST(CommandPaint, CommentSplit) {
  const std::string line = "Move GPR3, PSR4       ;PSR4: Title Number";
  CellPaint p = paintCommandCell(line, line, {4, false, false, false});
  EXPECT_EQ(p.plain, "Move GPR3, PSR4      ");
  EXPECT_EQ(p.comment, " ;PSR4: Title Number");
  EXPECT_EQ(p.commentColor, C::DarkGreen);
  EXPECT_EQ(p.plain + p.comment, line);

  p = paintCommandCell(line, line, {4, false, true, false});
  EXPECT_EQ(p.commentColor, C::HighlightText);
  p = paintCommandCell(line, line, {4, false, false, true});
  EXPECT_EQ(p.commentColor, C::WindowText);

  p = paintCommandCell("00000003 ", "Break", {2, false, false, false});
  EXPECT_EQ(p.plain, "00000003");
  EXPECT_EQ(p.comment, "");

  p = paintCommandCell(";x", ";x", {4, false, false, false});
  EXPECT_EQ(p.plain, "");
  EXPECT_EQ(p.comment, ";x");
}

TEST(CommandPaint, FixedColours) {
  Rgb rgb;
  ASSERT_TRUE(fixedRgb(C::Orange, rgb));
  EXPECT_EQ(rgb.r, 255);
  EXPECT_EQ(rgb.g, 170);
  ASSERT_TRUE(fixedRgb(C::Grey, rgb));
  EXPECT_EQ(rgb.b, 164);
  EXPECT_FALSE(fixedRgb(C::Highlight, rgb));
}

}  // namespace
}  // namespace mirdal
