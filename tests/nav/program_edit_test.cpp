#include "nav/program_edit.h"

#include <gtest/gtest.h>

#include "support/recording_reporter.h"
#include "support/nav_names.h"

namespace mirdal {
namespace {

const NavCommand kNop{};
using test::kBreak;
NavCommand goTo(std::uint32_t target) { return {0x20810000, target, 0}; }

// GoTo 3, NOP, NOP, Break
CommandList sample() { return {goTo(3), kNop, kNop, kBreak}; }

TEST(CommandEdit, InsertAfterTheSelectionMovesGoToTargets) {
  CommandList p = sample();
  const EditResult r = insertCommands(p, {2, 2}, {kNop});
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(r.delta, 1);
  EXPECT_EQ(r.selection.first, 3u);
  ASSERT_EQ(p.size(), 5u);
  EXPECT_EQ(p[0].dst, 4u);
  EXPECT_EQ(p[4], kBreak);
}

TEST(CommandEdit, DeleteMovesGoToTargets) {
  struct Case {
    CommandList program;
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
    const EditResult r = deleteCommands(c.program, c.sel);
    EXPECT_EQ(r.delta, int(c.program.size()) - int(before));
    EXPECT_EQ(r.selection.first, c.selected);
    std::vector<std::uint32_t> targets;
    for (const auto& cmd : c.program)
      if ((cmd.opcode & 0xFF7FFFFF) == 0x20010000) targets.push_back(cmd.dst);
    EXPECT_EQ(targets, c.targets);
  }
}

TEST(CommandEdit, DeletingEverythingLeavesAnEmptyProgram) {
  CommandList p = sample();
  const EditResult r = deleteCommands(p, selectAll(p));
  EXPECT_TRUE(p.empty());
  EXPECT_EQ(r.delta, -4);
  EXPECT_FALSE(deleteCommands(p, {0, 0}).changed);
}

TEST(CommandEdit, PasteIntoAnEmptyProgramKeepsTargets) {
  CommandList p;
  const CommandList buffer = {goTo(2), kNop, kBreak};
  const EditResult r = pasteCommands(p, {0, 0}, buffer, mirdal::test::testReporter());
  EXPECT_EQ(p, buffer);
  EXPECT_EQ(r.selection.first, 0u);
  EXPECT_EQ(r.delta, 3);
}

TEST(CommandEdit, PastedGoToBeyondTheInsertionPointIsShifted) {
  CommandList p(10, kNop);
  pasteCommands(p, {2, 2}, {goTo(5)}, mirdal::test::testReporter());
  EXPECT_EQ(p[3], goTo(6));
}

TEST(CommandEdit, ProgramsStopAt9999Commands) {
  CommandList p(9998, kNop);
  EXPECT_FALSE(pasteCommands(p, {0, 0}, {kNop, kNop, kNop}, mirdal::test::testReporter()).changed);
  EXPECT_EQ(p.size(), 9998u);
  EXPECT_TRUE(insertCommands(p, {9997, 9997}, {kBreak}).changed);
  EXPECT_EQ(p.size(), 9999u);
  EXPECT_FALSE(insertCommands(p, {0, 0}, {kNop}).changed);
}

TEST(CommandEdit, CopyCutPasteAndTheirMessages) {
  test::ReportScope rs;
  CommandList buffer;
  CommandList p = sample();
  copyToBuffer(buffer, p, {1, 3}, mirdal::test::testReporter());
  EXPECT_EQ(buffer, (CommandList{kNop, kNop, kBreak}));
  EXPECT_EQ(rs.rep.status.panel[1], " Command(s) copied ");

  cutCommands(buffer, p, {0, 0}, mirdal::test::testReporter());
  EXPECT_EQ(buffer, (CommandList{goTo(3)}));
  EXPECT_EQ(p.size(), 3u);

  CommandList empty;
  EXPECT_FALSE(pasteCommands(p, {0, 0}, empty, mirdal::test::testReporter()).changed);
  EXPECT_EQ(rs.rep.status.panel[1], " Nothing to insert. ");

  // A program pasted into itself.
  insertCommands(p, {2, 2}, p);
  EXPECT_EQ(p.size(), 6u);
}

TEST(CommandEdit, NopMovesTheSelectionDownWhenALineFollows) {
  CommandList p = sample();
  EditResult r = nopCommands(p, {0, 0});
  EXPECT_EQ(p[0], kNop);
  EXPECT_EQ(r.selection.first, 1u);
  r = nopCommands(p, {3, 3});
  EXPECT_EQ(p[3], kNop);
  EXPECT_EQ(r.selection.first, 3u);
}

}  // namespace
}  // namespace mirdal
