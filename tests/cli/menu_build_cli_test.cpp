// Building a menu with mirdal-cli alone: menu new, menu edit (object import,
// button fields, commands), mux, extract-menu; and the refusals of each.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/fields.h"
#include "menu/igs_read.h"
#include "menu/rle.h"
#include "support/recording_reporter.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::runCli;
using test::shellQuote;

using test::kSampleMenu;

std::string q(const std::filesystem::path& p) { return shellQuote(p.string()); }

TEST(MenuBuildCli, NewEditMuxExtractGivesTheSameMenu) {
  test::TempDir d;
  const auto dir = d.path();
  ASSERT_EQ(runCli("menu new --size 1280x720 -o " + q(dir / "new.mnu")).exitCode, 0);
  ASSERT_EQ(runCli("object export " + shellQuote(kSampleMenu) + " 0x13 --palette 1 -o " + q(dir / "pic.png")).exitCode, 0);
  d.write("edits.json", [] {
    const std::string j = R"([
      {"op": "import_object", "png": "pic.png"},
      {"op": "create_button", "page": 0, "bog": 0},
      {"op": "set_button", "page": 0, "bog": 0, "button": 0,
       "fields": {"x": 100, "y": 50, "normal_start": 0, "selected_start": 0, "lower": 1}},
      {"op": "set_commands", "page": 0, "bog": 0, "button": 0,
       "commands": ["51C00003 80000001 80000000", [822083588, 1, 0]]},
      {"op": "set_default_valid_button", "page": 0, "bog": 0, "value": 0},
      {"op": "set_page", "page": 0, "fields": {"default_selected_button": "0"}},
      {"op": "set_composition", "fields": {"user_timeout": 900000}}
    ])";
    return Bytes(j.begin(), j.end());
  }());
  const auto edit = runCli("menu edit " + q(dir / "new.mnu") + " " + q(dir / "edits.json") + " -o " + q(dir / "built.mnu"));
  ASSERT_EQ(edit.exitCode, 0) << edit.out;
  const auto mux = runCli("mux " + q(dir / "built.mnu") + " -o " + q(dir / "menu.m2ts"));
  ASSERT_EQ(mux.exitCode, 0) << mux.out;
  EXPECT_EQ(std::filesystem::file_size(dir / "menu.m2ts") % (32 * 192), 0u);
  const auto ex = runCli("extract-menu " + q(dir / "menu.m2ts") + " -o " + q(dir / "back.mnu"));
  ASSERT_EQ(ex.exitCode, 0) << ex.out;

  test::ReportScope rs;
  IgMenu built, back;
  ASSERT_EQ(readMnuFile((dir / "built.mnu").string(), built, mirdal::test::testReporter()).status, ReadStatus::Ok);
  ASSERT_EQ(readMnuFile((dir / "back.mnu").string(), back, mirdal::test::testReporter()).status, ReadStatus::Ok);
  EXPECT_EQ(back.ics, built.ics);
  EXPECT_EQ(back.palettes, built.palettes);
  EXPECT_EQ(back.inTime, built.inTime);
  ASSERT_EQ(back.objects.size(), 1u);
  ASSERT_TRUE(decodeObject(back, 0, mirdal::test::testReporter()));
  ASSERT_TRUE(decodeObject(built, 0, mirdal::test::testReporter()));
  EXPECT_EQ(back.objects[0].image, built.objects[0].image);

  const IgPage& p = back.ics.pages.at(0);
  EXPECT_EQ(back.ics.videoWidth, 1280);
  EXPECT_EQ(back.ics.userTimeout, 900000u);
  ASSERT_EQ(p.bogs.at(0).buttons.size(), 2u);
  const IgButton& b = p.bogs[0].buttons[0];
  EXPECT_EQ(b.x, 100);
  EXPECT_EQ(b.normalStart, 0);
  EXPECT_EQ(b.normalEnd, 0);
  EXPECT_EQ(b.lower, 1);
  EXPECT_EQ(b.commands, (CommandList{{0x51C00003, 0x80000001, 0x80000000}, {0x31000004, 1, 0}}));
  EXPECT_EQ(p.bogs[0].defaultValidButton, 0);
}

TEST(MenuBuildCli, Refusals) {
  struct Case {
    const char* name;
    std::string edits;  // empty: the command line is bad
    std::string args;   // replaces the default arguments when set
    int exit;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"a bad size", "", "menu new --size 1920by1080 -o @/x.mnu", 2, "WIDTHxHEIGHT"},
      {"a zero size", "", "menu new --size 0x1080 -o @/x.mnu", 2, "WIDTHxHEIGHT"},
      {"not JSON", "[{", "", 1, "not valid JSON"},
      {"not a list", "{}", "", 1, "not a JSON list"},
      {"an unknown op", R"([{"op": "explode"}])", "", 1, "edit 0 (explode): unknown op"},
      {"a page that does not exist", R"([{"op": "delete_page", "page": 5}])", "", 1,
       "edit 0 (delete_page): \"page\" 5 does not exist: the menu has 2 pages"},
      {"a field that does not exist", R"([{"op": "set_button", "page": 0, "bog": 0, "button": 0, "fields": {"z": 1}}])",
       "", 1, "no field \"z\""},
      {"X beyond the video", R"([{"op": "set_button", "page": 0, "bog": 0, "button": 0, "fields": {"x": 1920}}])", "",
       1, "edit 0 (set_button): \"x\": 1920 is refused; it lies below the video width 1920"},
      // Each refusal names the edit, the field and the reason, not a
      // neighbouring key.
      {"a button index out of range",
       R"([{"op": "create_page"}, {"op": "set_button", "page": 0, "bog": 0, "button": 99, "fields": {"x": 1}}])", "",
       1, "edit 1 (set_button): \"button\" 99 does not exist: BOG 0 of page 0 has 1 button"},
      {"a negative field value", R"([{"op": "set_button", "page": 0, "bog": 0, "button": 0, "fields": {"x": -5}}])",
       "", 1, "edit 0 (set_button): the value of \"x\" is negative (-5)"},
      {"a command word that is no number",
       R"([{"op": "set_commands", "page": 0, "bog": 0, "button": 0, "commands": ["51C00003 80000001 0", "1 zz 2"]}])",
       "", 1, "edit 0 (set_commands): command 1 word 2 is not a number"},
      {"deleting an object that does not exist", R"([{"op": "delete_objects", "objects": [99]}])", "", 1,
       "edit 0 (delete_objects): \"objects\" entry 0 names object 99, which does not exist: the menu has 39 objects"},
      {"a palette id the menu lacks", R"([{"op": "set_page", "page": 1, "fields": {"palette": 7}}])", "", 1,
       "edit 0 (set_page): \"palette\": 7 is refused; it is a palette id, below the menu's 3 palettes"},
      {"a referenced object", R"([{"op": "delete_objects", "objects": [0]}])", "", 1,
       "Cannot delete object. Remove all reference first."},
      {"a short command", R"([{"op": "set_commands", "page": 0, "bog": 0, "button": 0, "commands": ["1 2"]}])", "",
       1, "edit 0 (set_commands): command 0 has 2 words, not three"},
      {"a sequence given as a number", R"([{"op": "insert_effect_window", "page": 0, "sequence": 1}])", "", 1,
       "edit 0 (insert_effect_window): \"sequence\" is \"in\" or \"out\", not 1"},
      {"the second edit fails", R"([{"op": "create_page"}, {"op": "delete_bog", "page": 2, "bog": 0}])", "", 1,
       "edit 1 (delete_bog)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir d;
    std::string args = c.args;
    if (args.empty()) {
      d.write("e.json", Bytes(c.edits.begin(), c.edits.end()));
      args = "menu edit " + shellQuote(kSampleMenu) + " " + q(d.path() / "e.json") + " -o @/x.mnu";
    }
    args.replace(args.find('@'), 1, d.path().string());
    const auto r = runCli(args);
    EXPECT_EQ(r.exitCode, c.exit) << r.out;
    EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(d.path() / "x.mnu"));
  }
}

}  // namespace
}  // namespace mirdal
