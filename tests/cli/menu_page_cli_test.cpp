// render and play on the sample menu through the built mirdal-cli.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <optional>

#include "core/fields.h"
#include "menu/canvas_png.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::kSampleMenu;

std::optional<Canvas> readPng(const std::filesystem::path& p) {
  Bytes b;
  if (!readFileBytes(p.string(), b)) return std::nullopt;
  return readCanvasPng(b);
}

TEST(MenuPageCli, RenderWritesTheStatesOfAButton) {
  test::TempDir dir;
  std::map<std::string, Canvas> pictures;
  for (const char* state : {"normal", "selected", "activated"}) {
    const auto out = dir.path() / (std::string(state) + ".png");
    const test::CliResult r = test::runCli("render " + test::shellQuote(kSampleMenu) + " --select 1 --state " + state +
                                           " -o " + test::shellQuote(out.string()));
    ASSERT_EQ(r.exitCode, 0) << r.out;
    std::optional<Canvas> c = readPng(out);
    ASSERT_TRUE(c) << state;
    EXPECT_EQ(c->width, 1920);
    EXPECT_EQ(c->height, 1080);
    pictures[state] = *c;
  }
  // Button 1 lies at (800, 400): the three looks differ there, and nowhere
  // far from it.
  EXPECT_NE(pictures["normal"].rgba, pictures["selected"].rgba);
  EXPECT_NE(pictures["selected"].rgba, pictures["activated"].rgba);
  for (auto [x, y] : {std::pair{10, 10}, {1900, 1000}, {800, 300}})
    EXPECT_EQ(pixelAt(pictures["normal"], x, y), pixelAt(pictures["selected"], x, y)) << x << "," << y;
}

TEST(MenuPageCli, RenderUsageAndInputErrors) {
  test::TempDir dir;
  const std::string out = test::shellQuote((dir.path() / "x.png").string());
  struct Case {
    std::string args;
    int exitCode;
  };
  const Case cases[] = {
      {"render " + test::shellQuote(kSampleMenu) + " --overlays bogus -o " + out, 2},
      {"render " + test::shellQuote(kSampleMenu) + " --state pressed -o " + out, 2},
      {"render " + test::shellQuote(kSampleMenu) + " --page 9 -o " + out, 1},
      {"render " + test::shellQuote(kSampleMenu) + " --select 40 -o " + out, 1},
      {"render /no/such/menu.mnu -o " + out, 1},
      {"play " + test::shellQuote(kSampleMenu) + " --keys up,jump", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(test::runCli(c.args).exitCode, c.exitCode) << c.args;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.png"));
}

TEST(MenuPageCli, PlayFollowsKeysAndCommands) {
  // Down twice reaches SETUP (button 3), which sets GPR1 = 3 and jumps to
  // title 2; down once and select goes to page 1 through SetButtonPage.
  const test::CliResult r =
      test::runCli("play --json " + test::shellQuote(kSampleMenu) + " --keys down,down,select");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  const nlohmann::json j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["kind"], "play");
  EXPECT_EQ(j["format_version"], 1);
  ASSERT_EQ(j["steps"].size(), 4u);
  EXPECT_EQ(j["steps"][0]["selected"], 1);
  EXPECT_EQ(j["steps"][1]["selected"], 2);
  EXPECT_EQ(j["steps"][2]["selected"], 3);
  EXPECT_EQ(j["steps"][3]["activated"], 3);
  EXPECT_EQ(j["gpr"], nlohmann::json::parse(R"([{"number": 1, "value": 3}])"));

  const test::CliResult page = test::runCli("play " + test::shellQuote(kSampleMenu) + " --keys down,select");
  ASSERT_EQ(page.exitCode, 0) << page.out;
  EXPECT_NE(page.out.find("key 2 select: page 1, selected 0001, activated 0002"), std::string::npos) << page.out;
  EXPECT_NE(page.out.find("  page 1"), std::string::npos) << page.out;
  EXPECT_NE(page.out.find("PSR"), std::string::npos) << page.out;
}

// The sample menu changed by `menu edit` into dir/name.
std::string editedSample(const test::TempDir& dir, const std::string& name, const std::string& edits) {
  const auto json = dir.path() / (name + ".json");
  const auto out = dir.path() / name;
  dir.write(json.filename().string(), Bytes(edits.begin(), edits.end()));
  const test::CliResult r = test::runCli("menu edit " + test::shellQuote(kSampleMenu) + " " +
                                         test::shellQuote(json.string()) + " -o " + test::shellQuote(out.string()));
  EXPECT_EQ(r.exitCode, 0) << r.out;
  return out.string();
}

// A page without a default selected button: render draws, and play
// selects, the button a player selects (the first valid one, here 1).
TEST(MenuPageCli, WithoutADefaultButtonRenderAndPlaySelectTheFirstValidOne) {
  test::TempDir dir;
  const std::string menu =
      editedSample(dir, "none.mnu", R"([{"op": "set_page", "page": 0, "fields": {"default_selected_button": 65535}}])");
  const auto noDefault = dir.path() / "none.png", one = dir.path() / "one.png";
  const test::CliResult r = test::runCli("render --json " + test::shellQuote(menu) + " -o " + test::shellQuote(noDefault.string()));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(nlohmann::json::parse(r.out)["selected"], 1);
  ASSERT_EQ(test::runCli("render " + test::shellQuote(kSampleMenu) + " --select 1 -o " + test::shellQuote(one.string())).exitCode, 0);
  const std::optional<Canvas> a = readPng(noDefault), b = readPng(one);
  ASSERT_TRUE(a && b);
  EXPECT_TRUE(a->rgba == b->rgba);

  const test::CliResult play = test::runCli("play " + test::shellQuote(menu));
  ASSERT_EQ(play.exitCode, 0) << play.out;
  EXPECT_NE(play.out.find("start: page 0, selected 0001"), std::string::npos) << play.out;
}

// Any frame number renders at once (the step is taken modulo the animation
// cycle; before, the time grew with the number).
TEST(MenuPageCli, RenderTakesAnyFrameAtOnce) {
  test::TempDir dir;
  const auto out = dir.path() / "f.png";
  const test::CliResult r = test::runCli("render --json " + test::shellQuote(kSampleMenu) + " --frame 4294967295 -o " +
                                         test::shellQuote(out.string()));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(nlohmann::json::parse(r.out)["frame"], 4294967295u);
  EXPECT_TRUE(readPng(out));
}

// A pop-up menu runs nothing at Start and ignores the other keys until the
// Pop-up key shows it; the next one hides it.
TEST(MenuPageCli, PlayShowsAPopUpMenuOnlyAfterThePopUpKey) {
  test::TempDir dir;
  const std::string menu = editedSample(dir, "popup.mnu", R"([{"op": "set_composition", "fields": {"model": 3}}])");
  const test::CliResult r = test::runCli("play " + test::shellQuote(menu) + " --keys down,popup,down,popup");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  const std::string expected =
      "start: page 0, selected none, activated none\n"
      "  pop-up hidden\n"
      "key 1 down: page 0, selected none, activated none\n"
      "key 2 popup: page 0, selected 0001, activated none\n"
      "  pop-up shown\n"
      "  page 0\n"
      "  selected 0001\n"
      "key 3 down: page 0, selected 0002, activated none\n"
      "  selected 0002\n"
      "key 4 popup: page 0, selected 0002, activated none\n"
      "  pop-up hidden\n";
  EXPECT_EQ(r.out.substr(0, expected.size()), expected) << r.out;
}

}  // namespace
}  // namespace mirdal
