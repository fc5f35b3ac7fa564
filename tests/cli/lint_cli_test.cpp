// mirdal-cli lint, gpr-map and navmap: exit codes, the options that select
// findings, and the three JSON kinds.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/clean_disc.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::runCli;
using test::shellQuote;

std::string sampleDisc() { return std::string(MIRDAL_SOURCE_DIR) + "/samples/disc"; }

std::string lastLine(const std::string& out) {
  std::string s = out;
  while (!s.empty() && s.back() == '\n') s.pop_back();
  const auto nl = s.rfind('\n');
  return nl == std::string::npos ? s : s.substr(nl + 1);
}

std::size_t lineCount(const std::string& out) { return std::size_t(std::count(out.begin(), out.end(), '\n')); }

TEST(LintCli, ExitCodesAndSelections) {
  if (!std::filesystem::exists(sampleDisc() + "/BDMV/index.bdmv")) GTEST_SKIP() << "no sample disc";
  const std::string disc = shellQuote(sampleDisc());
  const struct {
    std::string args;
    int exitCode;
    std::string lastLine;  // of stdout and stderr together
    std::size_t lines;     // 0: not checked
  } cases[] = {
      // The sample disc has true errors (see tests/check/real_discs_test.cpp).
      {"lint " + disc, 1, "25 errors, 8 warnings, 3 notes", 37},
      // Warnings only: no error among what is printed, so success.
      {"lint " + disc + " --rule MO-UNREACHED", 0, "4 warnings", 5},
      {"lint " + disc + " --rule MO-UNREACHED --rule MO-PSR-WRITE", 1, "3 errors, 4 warnings", 8},
      {"lint " + disc + " --min-severity error --rule GPR-UNREAD", 0, "No findings.", 1},
      {"lint " + disc + " --min-severity warning --rule GPR-UNREAD --rule SOUND-UNUSED", 0, "No findings.", 1},
      {"lint " + disc + " --rule NO-SUCH-RULE", 2, "mirdal-cli: no rule NO-SUCH-RULE (see docs/lint.md)", 0},
      {"lint " + disc + " --min-severity loud", 2,
       "mirdal-cli: --min-severity takes note, warning or error, not 'loud'", 0},
      {"lint /no/such/disc", 1, "mirdal-cli: no such file or folder: /no/such/disc", 1},
      {"navmap " + disc + " --dot --json", 2, "", 0},
      {"navmap " + disc, 0, "}", 0},
      {"gpr-map /no/such/disc", 1, "mirdal-cli: no such file or folder: /no/such/disc", 1},
  };
  for (const auto& c : cases) {
    const auto r = runCli(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args << "\n" << r.out;
    if (!c.lastLine.empty()) EXPECT_EQ(lastLine(r.out), c.lastLine) << c.args;
    if (c.lines) EXPECT_EQ(lineCount(r.out), c.lines) << c.args << "\n" << r.out;
  }
}

TEST(LintCli, CleanDiscPassesWithNoFindings) {
  test::TempDir dir;
  test::CleanDisc disc;
  disc.write(dir.path());
  const auto r = runCli("lint " + shellQuote(dir.path().string()));
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(r.out, "No findings.\n");
}

TEST(LintCli, JsonKindsAgreeWithTheText) {
  if (!std::filesystem::exists(sampleDisc() + "/BDMV/index.bdmv")) GTEST_SKIP() << "no sample disc";
  const std::string disc = shellQuote(sampleDisc());
  const auto lint = nlohmann::json::parse(runCli("lint --json " + disc + " 2>/dev/null").out);
  EXPECT_EQ(lint["kind"], "lint");
  EXPECT_EQ(lint["format_version"], 1);
  ASSERT_EQ(lint["findings"].size(), 36u);
  EXPECT_EQ(lint["summary"]["errors"], 25);
  EXPECT_EQ(lint["summary"]["warnings"], 8);
  EXPECT_EQ(lint["summary"]["notes"], 3);
  const auto& first = lint["findings"][0];
  EXPECT_EQ(first["rule"], "IDX-ACCESS-TYPE");
  EXPECT_EQ(first["severity"], "warning");
  EXPECT_EQ(first["place_text"], "index.bdmv title 2");

  const auto gprs = nlohmann::json::parse(runCli("gpr-map --json " + disc + " 2>/dev/null").out);
  EXPECT_EQ(gprs["kind"], "gpr_map");
  ASSERT_FALSE(gprs["registers"].empty());
  EXPECT_EQ(gprs["registers"][0]["gpr"], 0);
  EXPECT_EQ(gprs["registers"][0]["uses"][0]["command"], "Move GPR0, 1");
  EXPECT_EQ(gprs["registers"][0]["uses"][0]["access"], "write");

  const auto nav = nlohmann::json::parse(runCli("navmap --json " + disc + " 2>/dev/null").out);
  EXPECT_EQ(nav["kind"], "navmap");
  bool greyObject6 = false;
  for (const auto& n : nav["nodes"])
    if (n["id"] == "obj6") greyObject6 = !n["reachable"].get<bool>();
  EXPECT_TRUE(greyObject6);
  bool firstPlaybackEdge = false;
  for (const auto& e : nav["edges"])
    if (e["from"] == "fp" && e["to"] == "obj0") firstPlaybackEdge = true;
  EXPECT_TRUE(firstPlaybackEdge);
}

}  // namespace
}  // namespace mirdal
