// Interpreter speed on a long arithmetic and compare loop, and the cost of
// rendering every line of the largest editable program.
#include <benchmark/benchmark.h>

#include "core/report.h"
#include "nav/command_text.h"
#include "nav/program_edit.h"
#include "nav/interpreter.h"
#include "tests/support/recording_reporter.h"

namespace {

using namespace mirdal;

// 10,000 commands: a body of Set and Compare commands on GPR 1-8, then a
// counter in GPR 0 that sends the run back to line 0 `rounds` times.
CommandList arithmeticLoop(std::uint32_t rounds) {
  CommandList p;
  const std::uint32_t sets[] = {0x50400003, 0x50000004, 0x50400005, 0x50000009,
                                0x5040000B, 0x5000000A, 0x5040000E, 0x5040000F};
  while (p.size() < 10000 - 3) {
    const std::uint32_t i = std::uint32_t(p.size());
    if (i % 4 == 3) p.push_back({0x48400500 + ((i % 7) << 8) % 0x700, 1 + i % 8, i});  // a compare
    else p.push_back({sets[i % 8], 1 + i % 8, sets[i % 8] & 0x00400000 ? i % 31 + 1 : 1 + (i + 3) % 8});
  }
  p.push_back({0x50400003, 0, 1});           // Add GPR0, 1
  p.push_back({0x48400700, 0, rounds});      // LT GPR0, rounds
  p.push_back({0x20810000, 0, 0});           // GoTo 0
  return p;
}

void BM_ExecArithmeticLoop(benchmark::State& state) {
  mirdal::test::testReporter().setActivationDelay(0);
  const std::uint32_t rounds = 100;
  const CommandList p = arithmeticLoop(rounds);
  std::uint64_t commands = 0;
  for (auto _ : state) {
    Registers regs;
    RunState run;
    run.line = 0;
    const ExecResult r = executeProgram(p, regs, run, mirdal::test::testReporter());
    commands += r.executed;
    benchmark::DoNotOptimize(regs.gpr[1]);
  }
  state.counters["commands/s"] = benchmark::Counter(double(commands), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ExecArithmeticLoop)->Unit(benchmark::kMillisecond);

void BM_RenderFullProgram(benchmark::State& state) {
  CommandList p;
  const NavCommand samples[] = {{0x50000001, 3, 0x80000004}, {0x50400001, 0x80000010, 0x656E67},
                                {0x20810000, 5, 0},          {0x51C00001, 0x80058000, 0x80038001},
                                {0x22800000, 16, 0},         {0x00000001, 0, 0}};
  for (std::size_t i = 0; i < kMaxProgramCommands; ++i) p.push_back(samples[i % 6]);
  for (auto _ : state) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < p.size(); ++i)
      chars += commandRow(p[i], i, CommandContext::MovieObject).cells[kColLine].size();
    benchmark::DoNotOptimize(chars);
  }
  state.counters["lines/s"] =
      benchmark::Counter(double(state.iterations() * p.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderFullProgram)->Unit(benchmark::kMillisecond);

}  // namespace
