// The disc player's speed: a walk of 100,000 commands through a real
// disc's movie objects (commercial-metadata/disc1 from the shared samples
// when present, else the sample disc), started again from First Playback
// whenever it stops or waits. Playback in virtual time costs nothing but
// its events, so this measures the player's own overhead on the
// interpreter. The target: under 50 ms a walk.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "core/options.h"
#include "core/report.h"
#include "player/disc_script.h"
#include "tests/support/recording_reporter.h"

namespace {

using namespace mirdal;

std::string discFolder() {
  namespace fs = std::filesystem;
  const char* env = std::getenv("MIRDAL_SAMPLES");
  for (const fs::path& p : {env ? fs::path(env) : fs::path(), fs::path(MIRDAL_BENCH_SOURCE) / "../shared/samples",
                            fs::path(MIRDAL_BENCH_SOURCE) / "../../shared/samples"})
    if (!p.empty() && fs::exists(p / "commercial-metadata/disc1/index.bdmv"))
      return (p / "commercial-metadata/disc1").string();
  return std::string(MIRDAL_BENCH_SOURCE) + "/samples/disc/BDMV";
}

void BM_DiscWalk100kSteps(benchmark::State& state) {
  mirdal::test::testReporter().setActivationDelay(0);
  FolderDisc disc;
  std::string why;
  if (!disc.open(discFolder(), why)) {
    state.SkipWithError(why.c_str());
    return;
  }
  constexpr std::uint64_t kSteps = 100000;
  std::uint64_t walks = 0;
  // One register file for the session, as a player keeps it when the disc
  // goes back to First Playback.
  Registers regs;
  resetRegisters(regs, Options{});
  DiscPlayer p(disc, regs, PlayerOptions{kSteps});
  for (auto _ : state) {
    const std::uint64_t first = p.steps();
    while (p.steps() - first < kSteps) {
      p.events().clear();
      runDisc(p, std::nullopt, {}, kSteps);
      ++walks;
    }
    benchmark::DoNotOptimize(p.events().size());
  }
  state.counters["walks"] = double(walks) / double(state.iterations());
}
BENCHMARK(BM_DiscWalk100kSteps)->Unit(benchmark::kMillisecond);

}  // namespace
