// Every --json output of mirdal-cli has the one documented shape: an object
// with its "kind" and "format_version", snake_case keys, and the same keys
// whatever options are given.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>

#include "support/run_cli.h"

namespace mirdal {
namespace {

using test::runCli;

std::string sample(const char* file) { return std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/BDMV/" + file; }

// Every key of every object inside j: lower case, digits and "_".
void expectSnakeCase(const nlohmann::json& j, const std::string& where) {
  if (j.is_object()) {
    for (const auto& [key, value] : j.items()) {
      EXPECT_EQ(key.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789_"), std::string::npos)
          << where << ": " << key;
      expectSnakeCase(value, where + "." + key);
    }
  } else if (j.is_array()) {
    for (const auto& v : j) expectSnakeCase(v, where);
  }
}

// The keys at the top and one level down, as a sorted list.
std::vector<std::string> keysOf(const nlohmann::json& j) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : j.items()) keys.push_back(key);
  return keys;
}

TEST(CliJson, EveryKindParsesAndNamesItself) {
  if (!std::filesystem::exists(sample("MovieObject.bdmv"))) GTEST_SKIP() << "no sample disc";
  const struct {
    std::string args;
    const char* kind;
  } cases[] = {
      {"dump --json " + sample("index.bdmv"), "index"},
      {"dump --json " + sample("MovieObject.bdmv"), "movie_objects"},
      {"dump --json " + sample("BDJO/00001.bdjo"), "bdjo"},
      {"command 50000001 3 80000004 --json", "command"},
      {"assemble 'Move GPR3, PSR4' --json", "assemble"},
      {"run --json " + sample("MovieObject.bdmv") + " 7", "run"},
  };
  for (const auto& c : cases) {
    const auto r = runCli(c.args + " 2>/dev/null");
    ASSERT_EQ(r.exitCode, 0) << c.args;
    const auto j = nlohmann::json::parse(r.out, nullptr, false);
    ASSERT_FALSE(j.is_discarded()) << c.args << "\n" << r.out;
    ASSERT_TRUE(j.is_object()) << c.args;
    EXPECT_EQ(j["kind"], c.kind) << c.args;
    EXPECT_EQ(j["format_version"], 1) << c.args;
    expectSnakeCase(j, c.kind);
  }
}

// An option changes values, never the keys.
TEST(CliJson, OptionsKeepTheKeys) {
  if (!std::filesystem::exists(sample("MovieObject.bdmv"))) GTEST_SKIP() << "no sample disc";
  const std::string base = "run --json " + sample("MovieObject.bdmv") + " 7";
  const auto plain = nlohmann::json::parse(runCli(base + " 2>/dev/null").out);
  for (const char* option : {" --trace-log", " --real-psrs", " --region B"}) {
    const auto with = nlohmann::json::parse(runCli(base + option + " 2>/dev/null").out);
    EXPECT_EQ(keysOf(with), keysOf(plain)) << option;
  }
  const auto traced = nlohmann::json::parse(runCli(base + " --trace-log 2>/dev/null").out);
  EXPECT_TRUE(plain["executed"].empty());
  EXPECT_FALSE(traced["executed"].empty());
}

}  // namespace
}  // namespace mirdal
