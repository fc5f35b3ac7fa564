// mirdal-cli play-disc on the sample disc, driven as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/run_cli.h"

namespace mirdal {
namespace {

using test::runCli;

const std::string kDisc = std::string(MIRDAL_SOURCE_DIR) + "/samples/disc";
const std::string kMenu = "00001=" + kDisc + "/menu/sample.mnu";

TEST(PlayDiscCli, RunsAndStopsWithAReason) {
  if (!std::filesystem::exists(kDisc + "/BDMV/index.bdmv")) GTEST_SKIP() << "no sample disc";
  const struct {
    std::string args;
    int exit;
    std::vector<std::string> lines;  // each must be in the output, in this order
  } cases[] = {
      {"", 0,
       {"[00:00:00.000] First Playback (movie object 0)", "[00:00:30.000] playlist 00001 ended",
        "stop: object 3 ended with no navigation command", "PSR6: 00000001"}},
      {"--title 1 --keys wait:2 --trace-log", 0,
       {"title 1 (movie object 2)", "object 2 Line 0000 : 22800000", "[00:00:15.000] mark 1"}},
      {"--menu " + kMenu + " --keys menu,down,enter", 0,
       {"Top Menu (movie object 1)", "menu page 0", "activated 0002", "stop: waiting for a key in menu page 1"}},
      {"--keys up", 0, {"Up: no menu on screen"}},
      {"--max-steps 3", 1, {"stop: endless loop"}},
      {"--title 9", 1, {"no title 9 on the disc", "stop: title 9 cannot be started"}},
      {"--set GPR3=7 --title 2", 0, {"GPR"}},
  };
  for (const auto& c : cases) {
    const auto r = runCli("play-disc " + kDisc + " " + c.args + " 2>&1");
    EXPECT_EQ(r.exitCode, c.exit) << c.args << "\n" << r.out;
    std::size_t at = 0;
    for (const std::string& line : c.lines) {
      const std::size_t found = r.out.find(line, at);
      EXPECT_NE(found, std::string::npos) << c.args << ": " << line << "\n" << r.out;
      if (found != std::string::npos) at = found;
    }
  }
}

TEST(PlayDiscCli, BadUsageAndBadInput) {
  const struct {
    std::string args;
    int exit;
  } cases[] = {
      {kDisc + " --keys jump", 2},
      {kDisc + " --set GPR9999=1", 2},
      {kDisc + " --menu 1=x.mnu", 2},
      {kDisc + " --menu 00001=/no/such.mnu", 1},
      {"/no/such/disc", 1},
      {std::string(MIRDAL_SOURCE_DIR) + "/docs", 1},  // a folder without index.bdmv
  };
  for (const auto& c : cases) EXPECT_EQ(runCli("play-disc " + c.args + " 2>/dev/null").exitCode, c.exit) << c.args;
}

TEST(PlayDiscCli, JsonEvents) {
  if (!std::filesystem::exists(kDisc + "/BDMV/index.bdmv")) GTEST_SKIP() << "no sample disc";
  const auto r = runCli("play-disc --json " + kDisc + " --menu " + kMenu + " --keys menu,down,enter 2>/dev/null");
  ASSERT_EQ(r.exitCode, 0);
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["kind"], "disc_run");
  EXPECT_EQ(j["stop"]["reason"], "waiting_for_key");
  EXPECT_EQ(j["keys"], nlohmann::json::array({"Top Menu", "Down", "Enter"}));
  bool activated = false;
  for (const auto& e : j["events"])
    if (e["kind"] == "activated") {
      activated = true;
      EXPECT_EQ(e["button"], 2);
      EXPECT_EQ(e["page"], 0);
    }
  EXPECT_TRUE(activated);
  EXPECT_EQ(j["psr"].size(), 128u);
}

}  // namespace
}  // namespace mirdal
