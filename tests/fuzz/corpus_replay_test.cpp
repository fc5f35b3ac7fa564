// The seeds of every fuzz target (fuzz/corpus/<target>/) through the
// target's entry function: each runs without fault and keeps the target's
// properties, so a reader change that breaks one shows in the tests and not
// only in a fuzz run.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/fields.h"

#define MIRDAL_FUZZ_TARGET(name) extern "C" int fuzz_##name##_entry(const std::uint8_t*, std::size_t);
#include "fuzz_targets.inc"
#undef MIRDAL_FUZZ_TARGET

namespace mirdal {
namespace {

namespace fs = std::filesystem;

struct FuzzTarget {
  const char* name;
  int (*entry)(const std::uint8_t*, std::size_t);
};

#define MIRDAL_FUZZ_TARGET(name) FuzzTarget{#name, fuzz_##name##_entry},
const std::vector<FuzzTarget> kTargets = {
#include "fuzz_targets.inc"
};
#undef MIRDAL_FUZZ_TARGET

const fs::path kCorpus = fs::path(MIRDAL_SOURCE_DIR) / "fuzz/corpus";

class CorpusReplay : public testing::TestWithParam<FuzzTarget> {};

TEST_P(CorpusReplay, EverySeedKeepsTheTargetsProperties) {
  const FuzzTarget& t = GetParam();
  const fs::path dir = kCorpus / t.name;
  ASSERT_TRUE(fs::is_directory(dir)) << "no seeds for " << t.name;
  std::vector<fs::path> seeds;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.is_regular_file()) seeds.push_back(e.path());
  ASSERT_FALSE(seeds.empty());
  // libFuzzer runs the empty input before any seed; a reader given a file
  // of no bytes holds no data pointer at all.
  try {
    t.entry(nullptr, 0);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "the empty input: " << e.what();
  }
  for (const fs::path& p : seeds) {
    Bytes b;
    ASSERT_TRUE(readFileBytes(p.string(), b)) << p;
    // A crash ends the program before gtest can say which seed it was.
    std::fprintf(stderr, "%s\n", p.filename().c_str());
    try {
      t.entry(b.data(), b.size());
    } catch (const std::exception& e) {
      ADD_FAILURE() << p.filename() << ": " << e.what();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay, testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

// A folder of seeds that no target reads is a target renamed or dropped.
TEST(CorpusReplay, EveryCorpusFolderHasItsTarget) {
  std::set<std::string> names;
  for (const FuzzTarget& t : kTargets) names.insert(t.name);
  for (const auto& e : fs::directory_iterator(kCorpus)) {
    if (!e.is_directory()) continue;
    EXPECT_TRUE(names.count(e.path().filename().string())) << e.path().filename();
  }
}

}  // namespace
}  // namespace mirdal
