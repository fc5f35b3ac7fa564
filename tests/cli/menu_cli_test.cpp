// mirdal-cli on menus: dump, resave, object export and import, palette
// export, run on the committed sample menu as a user runs them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>

#include "core/fields.h"
#include "menu/igs_read.h"
#include "menu/igs_write.h"
#include "support/recording_reporter.h"
#include "support/run_cli.h"
#include "support/ts_packer.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::runCli;
using test::shellQuote;

using test::kSampleMenu;

TEST(MenuCli, DumpTextAndJson) {
  const auto text = runCli("dump " + shellQuote(kSampleMenu));
  EXPECT_EQ(text.exitCode, 0) << text.out;
  EXPECT_NE(text.out.find("sample.mnu: menu 1920x1080, 23.97 fps"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("2 pages, 39 objects, 3 palettes"), std::string::npos);
  EXPECT_NE(text.out.find("SetButtonPage 1, 1"), std::string::npos);

  const auto js = runCli("dump --json " + shellQuote(kSampleMenu));
  ASSERT_EQ(js.exitCode, 0);
  const auto j = nlohmann::json::parse(js.out);
  EXPECT_EQ(j["kind"], "menu");
  EXPECT_EQ(j["format_version"], 1);
  EXPECT_EQ(j["in_time"], 180000);
  EXPECT_EQ(j["composition"]["pages"].size(), 2u);
  EXPECT_EQ(j["composition"]["pages"][1]["bogs"][0]["buttons"].size(), 4u);
  EXPECT_EQ(j["objects"].size(), 39u);
  EXPECT_EQ(j["palettes"][0]["entries"][0]["entry_id"], 1);
}

TEST(MenuCli, ResaveObjectAndPaletteFiles) {
  test::TempDir d;
  const std::string out = (d.path() / "again.mnu").string();
  ASSERT_EQ(runCli("resave " + shellQuote(kSampleMenu) + " -o " + shellQuote(out)).exitCode, 0);
  // The sample was written by the same writer: the resave is identical.
  Bytes sample;
  ASSERT_TRUE(readFileBytes(kSampleMenu, sample));
  EXPECT_EQ(d.read("again.mnu"), sample);

  const std::string png = (d.path() / "o.png").string();
  ASSERT_EQ(runCli("object export " + shellQuote(kSampleMenu) + " 0x13 --palette 1 -o " + shellQuote(png)).exitCode, 0);
  const std::string imported = (d.path() / "imported.mnu").string();
  const auto imp = runCli("object import " + shellQuote(kSampleMenu) + " " + shellQuote(png) +
                          " --replace-object 2 -o " + shellQuote(imported));
  EXPECT_EQ(imp.exitCode, 0) << imp.out;
  EXPECT_NE(imp.out.find("object 2, palette 3"), std::string::npos) << imp.out;
  // Object 2 now has the pixels of object 0x13: exporting both through the
  // same palette gives the same image.
  const std::string a = (d.path() / "a.png").string(), b = (d.path() / "b.png").string();
  ASSERT_EQ(runCli("object export " + shellQuote(imported) + " 2 --palette 1 -o " + shellQuote(a)).exitCode, 0);
  ASSERT_EQ(runCli("object export " + shellQuote(imported) + " 0x13 --palette 1 -o " + shellQuote(b)).exitCode, 0);
  EXPECT_EQ(d.read("a.png"), d.read("b.png"));

  ASSERT_EQ(runCli("palette export " + shellQuote(kSampleMenu) + " 2 -o " + shellQuote((d.path() / "p.act").string()))
                .exitCode,
            0);
  EXPECT_EQ(d.read("p.act").size(), 768u);
  ASSERT_EQ(runCli("palette export " + shellQuote(kSampleMenu) + " 0 -o " + shellQuote((d.path() / "p.pxml").string()))
                .exitCode,
            0);
  EXPECT_GT(d.read("p.pxml").size(), 256u * 100);
}

TEST(MenuCli, ExitStatuses) {
  test::TempDir d;
  const std::string broken = d.write("broken.mnu", std::string("IG\0\0\0\1\0\0\0\0\x18\0\x40", 13)).string();
  const std::string notPng = d.write("x.png", std::string("not a png")).string();
  const std::string out = (d.path() / "o").string();
  struct Case {
    const char* name;
    std::string args;
    int status;
    const char* text;
  } cases[] = {
      {"segment past the end", "dump " + shellQuote(broken), 1, "claims 64 bytes"},
      {"resave refuses a damaged file", "resave " + shellQuote(broken) + " -o " + shellQuote(out), 1, nullptr},
      {"object that is not there", "object export " + shellQuote(kSampleMenu) + " 39 -o " + shellQuote(out + ".png"), 2,
       "no object 39"},
      {"palette that is not there", "palette export " + shellQuote(kSampleMenu) + " 3 -o " + shellQuote(out + ".act"), 2,
       "no palette 3"},
      {"palette file of another kind", "palette export " + shellQuote(kSampleMenu) + " 0 -o " + shellQuote(out + ".txt"),
       2, ".pxml or .act"},
      {"import of a file that is no PNG",
       "object import " + shellQuote(kSampleMenu) + " " + shellQuote(notPng) + " -o " + shellQuote(out + ".mnu"), 1,
       "Not supported file format!"},
      {"replacing a palette that is not there",
       "object import " + shellQuote(kSampleMenu) + " " + shellQuote(notPng) + " --replace-palette 9 -o " +
           shellQuote(out + ".mnu"),
       2, "no palette 9"},
  };
  for (const auto& c : cases) {
    const auto r = runCli(c.args);
    EXPECT_EQ(r.exitCode, c.status) << c.name << "\n" << r.out;
    if (c.text) {
      EXPECT_NE(r.out.find(c.text), std::string::npos) << c.name << "\n" << r.out;
    }
  }
  EXPECT_FALSE(d.exists("o")) << "a damaged menu is not written";
  EXPECT_FALSE(d.exists("o.mnu"));
}

TEST(MenuCli, ExtractMenu) {
  test::ReportScope rs;
  test::TempDir d;
  IgMenu m;
  ASSERT_EQ(readMnuFile(kSampleMenu, m, mirdal::test::testReporter()).status, ReadStatus::Ok);
  Bytes pes;
  ASSERT_TRUE(composeMenuSegments(m, SegmentFraming::Pes, pes, mirdal::test::testReporter()));
  test::TsPacker ts(0x1402);
  ts.pesStream(pes);
  const std::string m2ts = d.write("00001.m2ts", ts.bytes()).string();
  const std::string out = (d.path() / "menu.mnu").string();

  const auto r = runCli("extract-menu " + shellQuote(m2ts) + " --pid 0x1402 -o " + shellQuote(out));
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("1 ICS, 39 OCS, 3 PCS found."), std::string::npos) << r.out;
  Bytes sample;
  ASSERT_TRUE(readFileBytes(kSampleMenu, sample));
  EXPECT_EQ(d.read("menu.mnu"), sample);

  const auto missing = runCli("extract-menu " + shellQuote(m2ts) + " -o " + shellQuote(out + "2"));
  EXPECT_EQ(missing.exitCode, 1) << missing.out;
  EXPECT_NE(missing.out.find("no packets of PID 0x1400"), std::string::npos);
  EXPECT_FALSE(d.exists("menu.mnu2"));
  EXPECT_EQ(runCli("extract-menu " + shellQuote(m2ts) + " --pid 0x1011 -o " + shellQuote(out)).exitCode, 2);
}

// A segment of a type the menu does not know (0x81 in place of the END):
// every command says it is kept, and a resave writes it back as it was,
// before an END, instead of turning it into an END.
TEST(MenuCli, UnknownSegmentsAreToldAndKept) {
  test::TempDir d;
  Bytes sample;
  ASSERT_TRUE(readFileBytes(kSampleMenu, sample));
  Bytes odd(sample.begin(), sample.end() - 13);
  const Bytes kept = {'I', 'G', 0, 2, 0xBF, 0x20, 0, 0, 0, 0, 0x81, 0, 3, 'a', 'b', 'c'};
  odd.insert(odd.end(), kept.begin(), kept.end());
  const std::string file = d.write("odd.mnu", odd).string();
  const std::string note = "Warning: Unknow segment! Type $81 at $";

  const auto dump = runCli("dump " + shellQuote(file));
  EXPECT_EQ(dump.exitCode, 0) << dump.out;
  EXPECT_NE(dump.out.find(note), std::string::npos) << dump.out;
  EXPECT_NE(dump.out.find("Segments of unknown type (kept as read):"), std::string::npos) << dump.out;
  const auto js = runCli("dump --json " + shellQuote(file));
  // The JSON (pretty printed: its last brace starts a line), then the log of
  // the read on standard error.
  const std::size_t from = js.out.find('{'), to = js.out.find("\n}", from);
  ASSERT_NE(to, std::string::npos) << js.out;
  const auto j = nlohmann::json::parse(js.out.substr(from, to + 2 - from));
  ASSERT_EQ(j["unknown_segments"].size(), 1u);
  EXPECT_EQ(j["unknown_segments"][0]["type"], 0x81);
  EXPECT_EQ(j["unknown_segments"][0]["length"], 3);
  for (const std::string& cmd : {"render " + shellQuote(file) + " -o " + shellQuote((d.path() / "r.png").string()),
                                 "play " + shellQuote(file),
                                 "resave " + shellQuote(file) + " -o " + shellQuote((d.path() / "again.mnu").string())}) {
    const auto r = runCli(cmd);
    EXPECT_EQ(r.exitCode, 0) << cmd << "\n" << r.out;
    EXPECT_NE(r.out.find(note), std::string::npos) << cmd << "\n" << r.out;
  }
  Bytes expected = odd;
  expected.insert(expected.end(), sample.end() - 13, sample.end());
  EXPECT_EQ(d.read("again.mnu"), expected);
}

// A stream of several display sets: a command that writes the menu (its
// first display set) refuses without --force, and says why; reading it
// says how many there are.
TEST(MenuCli, WritingAStreamOfSeveralDisplaySetsNeedsForce) {
  test::TempDir d;
  Bytes sample;
  ASSERT_TRUE(readFileBytes(kSampleMenu, sample));
  Bytes two = sample;
  two.insert(two.end(), sample.begin(), sample.end());
  const std::string file = d.write("two.mnu", two).string();
  const std::string edits = d.write("e.json", std::string("[]")).string();
  const std::string png = (d.path() / "o.png").string();
  ASSERT_EQ(runCli("object export " + shellQuote(kSampleMenu) + " 1 -o " + shellQuote(png)).exitCode, 0);

  const auto dump = runCli("dump " + shellQuote(file));
  EXPECT_EQ(dump.exitCode, 0);
  EXPECT_NE(dump.out.find("The stream holds 2 display sets; only the first is loaded and shown"), std::string::npos)
      << dump.out;
  EXPECT_NE(dump.out.find("Display sets in the stream: 2 (only the first is loaded)"), std::string::npos);

  const std::string out = (d.path() / "out").string();
  const std::string writers[] = {
      "resave " + shellQuote(file) + " -o " + shellQuote(out),
      "menu edit " + shellQuote(file) + " " + shellQuote(edits) + " -o " + shellQuote(out),
      "object import " + shellQuote(file) + " " + shellQuote(png) + " -o " + shellQuote(out),
      "mux " + shellQuote(file) + " -o " + shellQuote(out),
  };
  for (const std::string& cmd : writers) {
    const auto refused = runCli(cmd);
    EXPECT_EQ(refused.exitCode, 1) << cmd << "\n" << refused.out;
    EXPECT_NE(refused.out.find("holds 2 display sets"), std::string::npos) << refused.out;
    EXPECT_NE(refused.out.find("--force"), std::string::npos) << refused.out;
    EXPECT_FALSE(d.exists("out")) << cmd;
    const auto forced = runCli(cmd + " --force");
    EXPECT_EQ(forced.exitCode, 0) << cmd << "\n" << forced.out;
    EXPECT_TRUE(d.exists("out")) << cmd;
    std::filesystem::remove(out);
  }
  ASSERT_EQ(runCli("resave " + shellQuote(file) + " --force -o " + shellQuote(out)).exitCode, 0);
  EXPECT_EQ(d.read("out"), sample);
}

// A new menu carries the palette its page names, through mux and extract.
TEST(MenuCli, ANewMenuHasThePaletteItsPageUses) {
  test::TempDir d;
  const std::string mnu = (d.path() / "new.mnu").string(), m2ts = (d.path() / "new.m2ts").string(),
                    back = (d.path() / "back.mnu").string();
  ASSERT_EQ(runCli("menu new -o " + shellQuote(mnu)).exitCode, 0);
  ASSERT_EQ(runCli("mux " + shellQuote(mnu) + " -o " + shellQuote(m2ts)).exitCode, 0);
  ASSERT_EQ(runCli("extract-menu " + shellQuote(m2ts) + " -o " + shellQuote(back)).exitCode, 0);
  for (const std::string& f : {mnu, back}) {
    const auto r = runCli("dump " + shellQuote(f));
    EXPECT_NE(r.out.find("1 pages, 0 objects, 1 palettes"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("palette 0,"), std::string::npos) << r.out;
  }
}

// The sample disc's feature stream carries the sample menu as its IG stream:
// what a user takes out of it is the committed .mnu, byte for byte.
TEST(MenuCli, SampleStreamCarriesTheSampleMenu) {
  test::TempDir d;
  const std::string m2ts = std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/BDMV/STREAM/00000.m2ts";
  const std::string out = (d.path() / "menu.mnu").string();
  const auto r = runCli("extract-menu " + shellQuote(m2ts) + " -o " + shellQuote(out));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  Bytes sample;
  ASSERT_TRUE(readFileBytes(kSampleMenu, sample));
  EXPECT_EQ(d.read("menu.mnu"), sample);
}

}  // namespace
}  // namespace mirdal
