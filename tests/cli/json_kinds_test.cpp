// Every --json output of mirdal-cli has the one documented shape: an object
// with its "kind" and "format_version", snake_case keys, and the same keys
// whatever options are given.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
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
      {"play-disc --json " + std::string(MIRDAL_SOURCE_DIR) + "/samples/disc --keys menu,down", "disc_run"},
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

// The keys that some object of `text` holds more than once.
std::vector<std::string> repeatedKeys(const std::string& text) {
  std::vector<std::set<std::string>> open;
  std::vector<std::string> repeated;
  nlohmann::json::parse(text, [&](int, nlohmann::json::parse_event_t e, nlohmann::json& parsed) {
    if (e == nlohmann::json::parse_event_t::object_start) open.emplace_back();
    else if (e == nlohmann::json::parse_event_t::object_end) open.pop_back();
    else if (e == nlohmann::json::parse_event_t::key && !open.back().insert(parsed.get<std::string>()).second)
      repeated.push_back(parsed.get<std::string>());
    return true;
  });
  return repeated;
}

// The examples of docs/json*.md are what the program prints: each parses,
// names no key twice and has one kind; the clip example is the real dump.
TEST(CliJson, DocumentedExamplesAreRealOutput) {
  std::string doc;
  for (const char* name : {"/docs/json.md", "/docs/json-menus-and-checks.md"}) {
    std::ifstream in(std::string(MIRDAL_SOURCE_DIR) + name);
    ASSERT_TRUE(in) << name;
    doc.append(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> blocks;
  for (std::size_t at = doc.find("```json\n"); at != std::string::npos; at = doc.find("```json\n", at)) {
    at += 8;
    const std::size_t end = doc.find("```", at);
    ASSERT_NE(end, std::string::npos);
    blocks.push_back(doc.substr(at, end - at));
  }
  ASSERT_GE(blocks.size(), 10u);
  std::string clip;
  for (const std::string& b : blocks) {
    SCOPED_TRACE(b.substr(0, 60));
    const auto j = nlohmann::json::parse(b, nullptr, false);
    ASSERT_FALSE(j.is_discarded());
    EXPECT_EQ(repeatedKeys(b), std::vector<std::string>{});
    if (j.is_object()) EXPECT_TRUE(j.contains("kind"));
    if (j.is_object() && j.value("kind", "") == "clip") clip = b;
  }
  if (!std::filesystem::exists(sample("CLIPINF/00002.clpi"))) GTEST_SKIP() << "no sample disc";
  const auto r = runCli("dump --json " + sample("CLIPINF/00002.clpi") + " 2>/dev/null");
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_EQ(nlohmann::json::parse(clip), nlohmann::json::parse(r.out));
}

}  // namespace
}  // namespace mirdal
