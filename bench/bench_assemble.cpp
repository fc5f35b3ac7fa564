// The command assembler on 100,000 lines (a program text of every command
// group and operand form), bare command lines and program-list lines, each
// with its reference measured in the same run: rendering the same 100,000
// commands as text. "vs_render" is assembling time / rendering time; the
// aim is under 100 ms for the 100,000 lines. The counters are the thread's
// CPU time, which a machine shared with other work does not stretch.
#include <benchmark/benchmark.h>

#include <time.h>

#include "nav/command_text.h"
#include "nav/program_export.h"
#include "nav/program_text.h"

namespace {

using namespace mirdal;

constexpr std::size_t kLines = 100000;

CommandList mixedProgram() {
  const NavCommand kinds[] = {
      {0x50000001, 3, 0x80000004},         {0x50400001, 0x80000010, 0x656E67}, {0x20810000, 5, 0},
      {0x48400200, 0, 1},                  {0x51C00003, 0x80000001, 2},        {0x22800000, 16, 0},
      {0x51400001, 0x80058006, 0x000000FF}, {0x21810000, 1, 0},                {0x42C10000, 7, 2},
      {0x5040000E, 12, 3},                 {0x00020000, 0, 0},                 {0x00000001, 0, 0},
      {0x51800006, 0x80018002, 0x80030004}, {0x31000005, 2, 0},                {0x11000008, 0, 0},
  };
  CommandList p;
  p.reserve(kLines);
  for (std::size_t i = 0; i < kLines; ++i) {
    NavCommand c = kinds[i % std::size(kinds)];
    if (c.opcode == 0x20810000) c.dst = std::uint32_t(i % 4000);
    p.push_back(c);
  }
  return p;
}

double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

template <typename MakeText>
void assembleLines(benchmark::State& state, MakeText makeText) {
  const CommandList p = mixedProgram();
  const std::string text = makeText(p);
  double assembling = 0, rendering = 0;
  for (auto _ : state) {
    const double t0 = cpuSeconds();
    const ProgramText t = assembleProgram(text);
    const double t1 = cpuSeconds();
    benchmark::DoNotOptimize(t.commands.data());
    if (t.error || t.commands.size() != kLines) {
      state.SkipWithError("the text did not assemble");
      return;
    }
    state.PauseTiming();
    const double r0 = cpuSeconds();
    const std::string again = makeText(p);
    const double r1 = cpuSeconds();
    benchmark::DoNotOptimize(again.data());
    state.ResumeTiming();
    assembling += t1 - t0;
    rendering += r1 - r0;
  }
  const double n = double(state.iterations());
  state.counters["ms_per_100k"] = assembling / n * 1000;
  state.counters["render_ms"] = rendering / n * 1000;
  state.counters["vs_render"] = assembling / rendering;
}

void BM_AssembleCommandLines(benchmark::State& state) {
  assembleLines(state, [](const CommandList& p) {
    return commandLinesText(p, 0, p.size() - 1, CommandContext::MovieObject);
  });
}
BENCHMARK(BM_AssembleCommandLines)->Unit(benchmark::kMillisecond);

void BM_AssembleProgramList(benchmark::State& state) {
  assembleLines(state, [](const CommandList& p) { return programList(p); });
}
BENCHMARK(BM_AssembleProgramList)->Unit(benchmark::kMillisecond);

}  // namespace
