#include "nav/trace.h"

#include <gtest/gtest.h>

#include "support/recording_reporter.h"
#include "support/nav_names.h"

namespace mirdal {
namespace {

using test::psrOperand;

// Line i adds 1 to GPR i.
CommandList counters(int n) {
  CommandList p;
  for (int i = 0; i < n; ++i) p.push_back({0x50400003, std::uint32_t(i), 1});
  return p;
}

TEST(Trace, StartWithoutTraceRunsTheWholeProgram) {
  test::ReportScope rs;
  Registers regs;
  RunState run;
  run.line = 7;
  const ExecResult r = startObjectProgram(counters(4), regs, run, mirdal::test::testReporter());
  EXPECT_EQ(r.executed, 4u);
  EXPECT_FALSE(r.running);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(regs.gpr[i], 1u);
  EXPECT_EQ(rs.rep.status.panel[0], " Ready.  ");
}

TEST(Trace, EachStartExecutesOneCommand) {
  test::ReportScope rs;
  Registers regs;
  RunState run;
  run.trace = true;
  const CommandList p = counters(3);

  ExecResult r = startObjectProgram(p, regs, run, mirdal::test::testReporter());  // prepares line 0
  EXPECT_EQ(r.executed, 0u);
  EXPECT_TRUE(r.running && r.tracing);
  ASSERT_TRUE(r.trace);
  EXPECT_EQ(r.trace->line, 0u);
  EXPECT_EQ(rs.rep.status.panel[0], " Running trace... ");
  EXPECT_EQ(rs.rep.status.panel[1], " Line 0000 : 50400003 00000000  00000001  : Add GPR0, 1 ");

  for (std::size_t step = 1; step <= 2; ++step) {
    r = startObjectProgram(p, regs, run, mirdal::test::testReporter());
    EXPECT_EQ(r.executed, 1u);
    ASSERT_TRUE(r.trace);
    EXPECT_EQ(r.trace->line, step);
    EXPECT_EQ(run.line, std::int64_t(step));
    EXPECT_EQ(regs.gpr[step - 1], 1u);
    EXPECT_EQ(regs.gpr[step], 0u);
  }
  r = startObjectProgram(p, regs, run, mirdal::test::testReporter());  // the last line ends the trace
  EXPECT_FALSE(r.running);
  EXPECT_FALSE(r.trace);
  EXPECT_EQ(regs.gpr[2], 1u);
  EXPECT_EQ(rs.rep.status.panel[0], " Ready.  ");
  EXPECT_EQ(rs.rep.status.panel[1], "  ");
}

TEST(Trace, ClickingARowExecutesThatLine) {
  Registers regs;
  RunState run;
  run.trace = true;
  const CommandList p = counters(10);
  startObjectProgram(p, regs, run, mirdal::test::testReporter());
  const ExecResult r = traceClickedLine(p, 5, regs, run, mirdal::test::testReporter());
  EXPECT_EQ(r.executed, 1u);
  EXPECT_EQ(regs.gpr[5], 1u);
  EXPECT_EQ(regs.gpr[0], 0u);
  EXPECT_EQ(run.line, 6);
  EXPECT_EQ(r.trace->line, 6u);
}

TEST(Trace, CancelEndsATrace) {
  test::ReportScope rs;
  Registers regs;
  RunState run;
  run.trace = true;
  const CommandList p = counters(3);
  startObjectProgram(p, regs, run, mirdal::test::testReporter());
  startObjectProgram(p, regs, run, mirdal::test::testReporter());
  const ExecResult r = cancelObjectTrace(p, regs, run, mirdal::test::testReporter());
  EXPECT_EQ(r.executed, 0u);
  EXPECT_FALSE(r.running || r.tracing);
  EXPECT_FALSE(run.running);
  EXPECT_EQ(regs.gpr[1], 0u);
  EXPECT_EQ(rs.rep.status.panel[0], " Ready.  ");

  // Cancel after a jump to a negative line left the running flag set
  // without a trace: the program does not start again.
  run.trace = false;
  startObjectProgram({{0x50400003, 9, 1}, {0x20810000, 0xFFFFFFFF, 0}}, regs, run, mirdal::test::testReporter());
  EXPECT_TRUE(run.running);
  cancelObjectTrace({{0x50400003, 9, 1}}, regs, run, mirdal::test::testReporter());
  EXPECT_EQ(regs.gpr[9], 1u);
  EXPECT_FALSE(run.running);
}

TEST(Trace, RegisterPointer) {
  using K = RegisterPointer::Kind;
  struct Case {
    NavCommand c;
    K kind;
    unsigned number;
  } cases[] = {
      {{0x50000001, 0x00001234, psrOperand(4)}, K::GPR, 0x234},
      {{0x50400001, psrOperand(16), 5}, K::PSR, 16},
      {{0x50800001, 5, psrOperand(7)}, K::PSR, 7},          // immediate destination: the source
      {{0x50C00001, 5, 6}, K::None, 0},
      {{0x50000001, psrOperand(127), 3}, K::GPR, 3},        // PSR 127 is out of the panel's range
      {{0x20810000, 3, 0}, K::None, 0},
      {{0x00020000, 3, 4}, K::None, 0},                     // no operands
      {{0x51000003, psrOperand(4), 0}, K::None, 0},         // packed operands
  };
  for (const auto& c : cases) {
    const RegisterPointer p = registerPointerFor(c.c);
    EXPECT_EQ(p.kind, c.kind) << std::hex << c.c.opcode << " " << c.c.dst;
    EXPECT_EQ(p.number, c.number) << std::hex << c.c.opcode << " " << c.c.dst;
  }
}

TEST(Trace, ButtonCommandsUseTheirOwnForbiddenList) {
  const CommandList p = {{0x22800000, 1, 0}};
  EXPECT_EQ(traceStepAt(p, 0, CommandContext::ButtonCommands).statusText,
            "Line 0000 : 22800000 00000001  00000000 : *Play PL 1  ; Forbidden opcode");
}

}  // namespace
}  // namespace mirdal
