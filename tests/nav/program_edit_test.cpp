#include "nav/program_edit.h"

#include <gtest/gtest.h>

#include "support/recording_reporter.h"

namespace mirdal {
namespace {

const TNavCommand kNop{};
const TNavCommand kBreak{0x00020000, 0, 0};
TNavCommand goTo(std::uint32_t target) { return {0x20810000, target, 0}; }

// GoTo 3, NOP, NOP, Break
TCommands sample() { return {goTo(3), kNop, kNop, kBreak}; }

TEST(CommandEdit, InsertAfterTheSelectionMovesGoToTargets) {
  TCommands p = sample();
  const EditResult r = inscmd(p, {2, 2}, {kNop});
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(r.delta, 1);
  EXPECT_EQ(r.selection.first, 3u);
  ASSERT_EQ(p.size(), 5u);
  EXPECT_EQ(p[0].dst, 4u);
  EXPECT_EQ(p[4], kBreak);
}

TEST(CommandEdit, DeleteMovesGoToTargets) {
  struct Case {
    TCommands program;
    LineSelection sel;
    std::vector<std::uint32_t> targets;  // of the GoTo commands left, in order
    std::size_t selected;
  } cases[] = {
      {sample(), {1, 1}, {2}, 0},
      // A deletion from line 0 moves every target, 0 becomes 0xFFFFFFFF.
      {{kNop, goTo(0), goTo(5)}, {0, 0}, {0xFFFFFFFF, 4}, 0},
      // A target inside the deleted block moves with the lines after it.
      {{goTo(3), kNop, kNop, kNop, kNop, goTo(5)}, {2, 4}, {0, 2}, 1},
      // Register targets never change.
      {{{0x20010000, 3, 0}, kNop, kNop, kBreak}, {1, 1}, {3}, 0},
  };
  for (auto& c : cases) {
    const std::size_t before = c.program.size();
    const EditResult r = delecmd(c.program, c.sel);
    EXPECT_EQ(r.delta, int(c.program.size()) - int(before));
    EXPECT_EQ(r.selection.first, c.selected);
    std::vector<std::uint32_t> targets;
    for (const auto& cmd : c.program)
      if ((cmd.opcode & 0xFF7FFFFF) == 0x20010000) targets.push_back(cmd.dst);
    EXPECT_EQ(targets, c.targets);
  }
}

TEST(CommandEdit, DeletingEverythingLeavesAnEmptyProgram) {
  TCommands p = sample();
  const EditResult r = delecmd(p, selectAll(p));
  EXPECT_TRUE(p.empty());
  EXPECT_EQ(r.delta, -4);
  EXPECT_FALSE(delecmd(p, {0, 0}).changed);
}

TEST(CommandEdit, PasteIntoAnEmptyProgramKeepsTargets) {
  TCommands p;
  const TCommands buffer = {goTo(2), kNop, kBreak};
  const EditResult r = pastecmd(p, {0, 0}, buffer);
  EXPECT_EQ(p, buffer);
  EXPECT_EQ(r.selection.first, 0u);
  EXPECT_EQ(r.delta, 3);
}

TEST(CommandEdit, PastedGoToBeyondTheInsertionPointIsShifted) {
  TCommands p(10, kNop);
  pastecmd(p, {2, 2}, {goTo(5)});
  EXPECT_EQ(p[3], goTo(6));
}

TEST(CommandEdit, ProgramsStopAt9999Commands) {
  TCommands p(9998, kNop);
  EXPECT_FALSE(pastecmd(p, {0, 0}, {kNop, kNop, kNop}).changed);
  EXPECT_EQ(p.size(), 9998u);
  EXPECT_TRUE(inscmd(p, {9997, 9997}, {kBreak}).changed);
  EXPECT_EQ(p.size(), 9999u);
  EXPECT_FALSE(inscmd(p, {0, 0}, {kNop}).changed);
}

TEST(CommandEdit, CopyCutPasteAndTheirMessages) {
  test::ReportScope rs;
  TCommands buffer;
  TCommands p = sample();
  copyToBuffer(buffer, p, {1, 3});
  EXPECT_EQ(buffer, (TCommands{kNop, kNop, kBreak}));
  EXPECT_EQ(rs.rep.status.panel[1], " Command(s) copied ");

  cutcmd(buffer, p, {0, 0});
  EXPECT_EQ(buffer, (TCommands{goTo(3)}));
  EXPECT_EQ(p.size(), 3u);

  TCommands empty;
  EXPECT_FALSE(pastecmd(p, {0, 0}, empty).changed);
  EXPECT_EQ(rs.rep.status.panel[1], " Nothing to insert. ");

  // A program pasted into itself.
  inscmd(p, {2, 2}, p);
  EXPECT_EQ(p.size(), 6u);
}

TEST(CommandEdit, NopMovesTheSelectionDownWhenALineFollows) {
  TCommands p = sample();
  EditResult r = nopcmd(p, {0, 0});
  EXPECT_EQ(p[0], kNop);
  EXPECT_EQ(r.selection.first, 1u);
  r = nopcmd(p, {3, 3});
  EXPECT_EQ(p[3], kNop);
  EXPECT_EQ(r.selection.first, 3u);
}

}  // namespace
}  // namespace mirdal
