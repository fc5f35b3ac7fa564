#include "nav/interpreter.h"

#include <gtest/gtest.h>

#include "support/interpreter_cases.h"
#include "support/recording_reporter.h"
#include "support/nav_names.h"

namespace mirdal {
namespace {

using test::kBreak;
using test::psrOperand;
constexpr std::uint32_t gprOperand(std::uint32_t n) { return n; }

// Runs a whole program from line 0.
struct Machine {
  Registers regs;
  RunState run;
  ExecResult exec(const CommandList& p, std::int64_t from = 0) {
    run.line = from;
    return executeProgram(p, regs, run, mirdal::test::testReporter());
  }
};

// Runs a case of the shared register tables on a bare register file.
void runRegisterCase(const test::RegisterCase& c) {
  Machine mc;
  applyRegisterSettings(mc.regs, c.before);
  mc.exec(c.program);
  for (const RegisterSetting& r : c.after)
    EXPECT_EQ(r.psr ? mc.regs.psr[r.number] : mc.regs.gpr[r.number], r.value)
        << c.name << (r.psr ? " PSR" : " GPR") << r.number;
}

TEST(Interpreter, SetOperations) {
  for (const test::RegisterCase& c : test::setOperationCases()) runRegisterCase(c);
}

TEST(Interpreter, RegisterOperandsAndWrapAround) {
  Machine mc;
  mc.exec({{0x50400001, gprOperand(1), 5}, {0x50000003, gprOperand(1), gprOperand(1)}});
  EXPECT_EQ(mc.regs.gpr[1], 10u);
  mc.exec({{0x50400004, gprOperand(1), 11}});
  EXPECT_EQ(mc.regs.gpr[1], 0xFFFFFFFFu);
  // Stray bits of a register reference are ignored.
  mc.regs.gpr[1] = 9;
  mc.exec({{0x50000001, psrOperand(0x7F00) | 0x7F, gprOperand(0xF001)}});
  EXPECT_EQ(mc.regs.psr[127], 9u);
}

TEST(Interpreter, SwapAndImmediateDestinations) {
  Machine mc;
  mc.regs.gpr[1] = 1;
  mc.regs.gpr[2] = 2;
  mc.exec({{0x50000002, gprOperand(1), gprOperand(2)}});
  EXPECT_EQ(mc.regs.gpr[1], 2u);
  EXPECT_EQ(mc.regs.gpr[2], 1u);

  const Registers before = mc.regs;
  mc.exec({{0x50800001, 5, gprOperand(1)}, {0x50C00003, 5, 6}});  // Move 5, GPR1; Add 5, 6
  EXPECT_EQ(mc.regs.gpr, before.gpr);

  mc.exec({{0x50800002, 5, gprOperand(1)}});  // Swap 5, GPR1
  EXPECT_EQ(mc.regs.gpr[1], 5u);
  EXPECT_EQ(mc.regs.gpr[2], 1u);

  mc.exec({{0x50400002, gprOperand(4), 9}});  // Swap GPR4, 9: the immediate stays
  EXPECT_EQ(mc.regs.gpr[4], 9u);
}

TEST(Interpreter, Random) {
  Machine mc;
  mc.run.rng.seed(1);
  mc.regs.gpr[1] = 77;
  mc.exec({{0x50400008, gprOperand(1), 0}});
  EXPECT_EQ(mc.regs.gpr[1], 0u);
  for (int i = 0; i < 200; ++i) {
    mc.exec({{0x50400008, gprOperand(1), 10}, {0x50400008, gprOperand(2), 0xFFFFFFFF}});
    EXPECT_LT(mc.regs.gpr[1], 10u);
  }
}

TEST(Interpreter, Compares) {
  for (const test::RegisterCase& c : test::compareCases()) runRegisterCase(c);
}

TEST(Interpreter, CompareOnTheLastLineEndsTheRun) {
  for (std::uint32_t m : {0u, 1u}) {
    Machine mc;
    const ExecResult r = mc.exec({{0x50400001, gprOperand(1), 1}, {0x48400200, gprOperand(0), m}});
    EXPECT_FALSE(r.running);
    EXPECT_EQ(r.executed, 2u);
  }
}

TEST(Interpreter, GoTo) {
  const NavCommand inc{0x50400003, gprOperand(1), 1};
  struct Case {
    std::uint32_t opcode, target;
    std::uint64_t executed;
    bool running;
    std::int64_t lineAfter;
  } cases[] = {
      {0x20810000, 3, 2, false, 1},           // beyond the end: the run ends
      {0x20810000, 2, 3, false, 2},           // goes on at line 2
      {0x20810000, 0xFFFFFFFF, 2, true, 0},   // a negative line: reset to line 0
      {0x20810000, 0x80000000, 2, true, 0},
      {0x20010000, 0, 4, true, 0},            // a register target (GPR0 = 0): a loop
  };
  for (const auto& c : cases) {
    Machine mc;
    mc.run.maxSteps = 4;
    const ExecResult r = mc.exec({inc, {c.opcode, c.target, 0}, inc});
    EXPECT_EQ(r.executed, c.executed) << std::hex << c.target;
    EXPECT_EQ(r.running, c.running) << std::hex << c.target;
    EXPECT_EQ(mc.run.line, c.lineAfter) << std::hex << c.target;
  }
}

TEST(Interpreter, StepLimitStopsAnEndlessLoop) {
  test::ReportScope rs;
  Machine mc;
  mc.run.maxSteps = 1000;
  const ExecResult r = mc.exec({{0x50400003, gprOperand(1), 1}, {0x20810000, 0, 0}});
  EXPECT_TRUE(r.stepLimitReached);
  EXPECT_EQ(r.executed, 1000u);
  EXPECT_EQ(mc.regs.gpr[1], 500u);
  EXPECT_TRUE(r.running);
  EXPECT_EQ(mc.run.line, 0);
}

TEST(Interpreter, TraceOptionOrStopStopsARunningLoop) {
  for (bool byTrace : {true, false}) {
    test::ReportScope rs;
    Machine mc;
    int pumps = 0;
    rs.rep.onPump = [&] {
      if (++pumps == 3) (byTrace ? mc.run.trace : mc.run.stopRequested) = true;
    };
    const ExecResult r = mc.exec({{0x50400003, gprOperand(1), 1}, {0x20810000, 0, 0}});
    EXPECT_GT(r.executed, 256u);
    EXPECT_EQ(r.running, byTrace);
    EXPECT_EQ(r.tracing, byTrace);
    EXPECT_EQ(r.stopped, !byTrace);
    EXPECT_EQ(rs.rep.status.panel[0], byTrace ? " Running trace... " : " Ready.  ");
    EXPECT_FALSE(mc.run.stopRequested);
  }
}

TEST(Interpreter, Announcements) {
  struct Case {
    NavCommand c;
    const char* message;
    int psr;
    std::uint32_t value;
    bool ends;
  } cases[] = {
      {{0x21800000, 3, 0}, "Jump Object 3", -1, 0, true},
      {{0x21810000, 2, 0}, "Jump Title 2", 4, 2, true},
      {{0x21820000, 4, 0}, "Call Object 4", -1, 0, false},
      {{0x21830000, 5, 0}, "Call Title 5", 4, 5, false},
      {{0x01040000, 0, 0}, "Resume", -1, 0, false},
      {{0x22800000, 16, 0}, "Play PL 16", 6, 16, false},
      {{0x42C10000, 1, 2}, "Play PLatPI 1, 2", 7, 2, false},
      {{0x42C20000, 1, 3}, "Play PLatMK 1, 3", 5, 3, false},
      {{0x02030000, 0, 0}, "Terminate PL", -1, 0, false},
      {{0x22840000, 4, 0}, "Link PI 4", 7, 4, false},
      {{0x22850000, 4, 0}, "Link MK 4", 5, 5, false},
      {{0x11000007, 0, 0}, "Pop up Menu Off", -1, 0, false},
      {{0x11000008, 0, 0}, "Still On", -1, 0, false},
      {{0x11000009, 0, 0}, "Still Off", -1, 0, false},
      {{0x51C00003, 0x80000001, 0x80000002}, "SetButtonPage ", -1, 0, true},
      {{0x22000000, gprOperand(7), 0}, "Play PL 4294967295", 6, 0xFFFFFFFF, false},
  };
  for (const auto& c : cases) {
    test::ReportScope rs;
    Machine mc;
    mc.regs.gpr[7] = 0xFFFFFFFF;
    mirdal::test::testReporter().setActivationDelay(500);
    std::string shown;
    rs.rep.onPump = [&] { shown = rs.rep.status.panel[1]; };
    const ExecResult r = mc.exec({c.c, {0x50400001, gprOperand(9), 1}});
    EXPECT_EQ(shown, " " + std::string(c.message) + " ");
    EXPECT_EQ(rs.rep.sleptMs, 500);
    if (c.psr >= 0) {
      EXPECT_EQ(mc.regs.psr[c.psr], c.value) << c.message;
    }
    EXPECT_EQ(mc.regs.gpr[9], c.ends ? 0u : 1u) << c.message;
    EXPECT_EQ(r.selectLine.has_value(), c.ends) << c.message;
    EXPECT_EQ(rs.rep.status.panel[0], " Ready.  ");
    EXPECT_EQ(rs.rep.status.panel[1], "  ");
  }
}

TEST(Interpreter, SilentWords) {
  test::ReportScope rs;
  Machine mc;
  const Registers before = mc.regs;
  const ExecResult r = mc.exec({{0x00000000, 1, 2}, {0x51C00002, 1, 2}, {0x51C00006, 0x80010000, 0},
                                {0x31800004, 1, 0}, {0x31800005, 1, 0}, {0x18000000, 0, 0},
                                {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, {0x50000010, 1, 2}});
  EXPECT_EQ(r.executed, 8u);
  EXPECT_EQ(mc.regs.psr, before.psr);
  EXPECT_EQ(mc.regs.gpr, before.gpr);
  EXPECT_EQ(rs.rep.sleptMs, 0);
  EXPECT_TRUE(rs.rep.tones.empty());
}

TEST(Interpreter, SetStream) {
  for (const test::RegisterCase& c : test::setStreamCases()) runRegisterCase(c);
}

TEST(Interpreter, PackedOperandFetch) {
  Registers r;
  r.gpr[1] = 0x1234;
  r.gpr[2] = 0xABCDE;
  EXPECT_EQ(operand1Value({0x51000003, 0x80000002, 0}, r), 0x8000BCDEu);
  EXPECT_EQ(operand2Value({0x51800003, 0, 0x40000001}, r), 0x00001234u);
  EXPECT_EQ(operand1Value({0x51400006, 0xC0FF8001, 0}, r), 0xC08F0034u);
  EXPECT_EQ(operand1Value({0x51800006, 0xC0FF8001, 0}, r), 0xC0FF8001u);  // immediate
  EXPECT_EQ(operand1Value({0x00020000, 1, 2}, r), kNoOperand);
  EXPECT_EQ(operand2Value({0x00020000, 1, 2}, r), kNoOperand);
  NavCommand imm{0x50C00001, 1, 2};
  setDestinationValue(imm, r, 5);
  setSourceValue(imm, r, 5);
  EXPECT_EQ(r.gpr[1], 0x1234u);
}

TEST(Interpreter, UnknownWordsNeverReachOutsideTheRegisters) {
  std::mt19937 gen(7);
  CommandList p;
  for (int i = 0; i < 5000; ++i) {
    std::uint32_t op = gen();
    // Mostly Set and Compare words with random operands, some anything.
    if (i % 3 == 0) op = 0x50000000 | (op & 0x00C0000F);
    else if (i % 3 == 1) op = 0x48000000 | (op & 0x00C00700);
    p.push_back({op, std::uint32_t(gen()), std::uint32_t(gen())});
  }
  Machine mc;
  mc.run.maxSteps = 100000;
  mirdal::test::testReporter().setActivationDelay(0);
  const ExecResult r = mc.exec(p);
  mirdal::test::testReporter().setActivationDelay(500);
  EXPECT_GT(r.executed, 0u);
}

class FakeMenu : public MenuHost {
 public:
  std::optional<CommandList> setButtonPage(const NavCommand&, std::uint32_t n, std::uint32_t m) override {
    calls.push_back("page " + std::to_string(n) + "," + std::to_string(m));
    return next;
  }
  std::optional<std::uint16_t> enableButton(std::uint16_t id) override {
    calls.push_back("enable " + std::to_string(id));
    return id;
  }
  void disableButton(std::uint16_t id) override { calls.push_back("disable " + std::to_string(id)); }
  void endOfRunSelection(std::uint16_t id) override { calls.push_back("end " + std::to_string(id)); }
  std::optional<CommandList> next;
  std::vector<std::string> calls;
};

TEST(Interpreter, MenuCommandsGoToTheMenuPage) {
  FakeMenu menu;
  Machine mc;
  mc.run.menu = &menu;
  mc.exec({{0x31800004, 0x10005, 0}, {0x31800005, 6, 0}, {0x51C00003, 0x80000001, 0x80000002},
           {0x50400001, gprOperand(1), 1}});
  EXPECT_EQ(menu.calls, (std::vector<std::string>{"enable 5", "disable 6", "page 2147483649,2147483650", "end 5"}));
  EXPECT_EQ(mc.regs.gpr[1], 0u);  // SetButtonPage without an auto-action button ends the program

  // An auto-action button: the run goes on with its commands from line 0.
  menu.calls.clear();
  menu.next = CommandList{{0x50400001, gprOperand(2), 7}};
  mc.exec({{0x51C00003, 0x80000001, 0x80000002}, {0x50400001, gprOperand(1), 1}});
  EXPECT_EQ(mc.regs.gpr[2], 7u);
  EXPECT_EQ(mc.regs.gpr[1], 0u);
  EXPECT_EQ(menu.calls.size(), 1u);
}

}  // namespace
}  // namespace mirdal
