// mirdal-cli assemble, program import, menu edit with command lines and
// run --set, driven as a user runs them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/bdmv_files.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::runCli;
using test::shellQuote;

TEST(AssembleCli, WordsOfCommandLines) {
  const struct {
    const char* args;
    const char* out;
  } cases[] = {
      {"'Move GPR6, 0'", "50400001 00000006 00000000\n"},
      {"'SetButtonPage 1, (2)' 'GoTo 5'", "51C00003 80000001 00000002\n20810000 00000005 00000000\n"},
      {"'0000  [50000001,00000003 ,80001234 ]  Move GPR3, PSR52'", "50000001 00000003 80001234\n"},
      {"'!NOP  ; Invalid opcode'", "00100000 00000000 00000000\n"},
  };
  for (const auto& c : cases) {
    const auto r = runCli(std::string("assemble ") + c.args);
    EXPECT_EQ(r.exitCode, 0) << c.args;
    EXPECT_EQ(r.out, c.out) << c.args;
  }
}

TEST(AssembleCli, Json) {
  const auto r = runCli("assemble --json --button 'Play PL 16' 2>/dev/null");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["kind"], "assemble");
  ASSERT_EQ(j["commands"].size(), 1u);
  EXPECT_EQ(j["commands"][0]["opcode"], 0x22800000u);
  EXPECT_EQ(j["commands"][0]["dst"], 16);
  EXPECT_EQ(j["commands"][0]["command_line"], "*Play PL 16  ; Forbidden opcode");
  EXPECT_EQ(j["commands"][0]["forbidden"], true);
}

// Bad input: one line naming the line and column, nothing on standard
// output, exit 1.
TEST(AssembleCli, BadLines) {
  const struct {
    const char* args;
    const char* message;
  } cases[] = {
      {"'Frob GPR1, 2'", "line 1, column 1: unknown command 'Frob'"},
      {"'GoTo 1' 'Move GPR1'", "line 2, column 10: expected ',' and another operand"},
      {"'Move GPR1, 4294967296'", "line 1, column 12: number out of range"},
      {"'Move GPR4096, 1'", "line 1, column 6: register number out of range: GPR4096 (GPR0 to GPR4095)"},
      {"'Move PSR128, 1'", "line 1, column 6: register number out of range: PSR128 (PSR0 to PSR127)"},
      {"'Move GPR1, 2 and more'", "line 1, column 14: expected ',' or the end of the line"},
      {"''", "line 1, column 1: expected a command line: the text holds none"},
  };
  for (const auto& c : cases) {
    const auto r = runCli(std::string("assemble ") + c.args);
    EXPECT_EQ(r.exitCode, 1) << c.args;
    EXPECT_EQ(r.out.rfind(std::string("mirdal-cli: ") + c.message, 0), 0u) << c.args << "\n" << r.out;
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;
  }
}

// Object 0: Move GPR1, 5; GoTo 0; object 1: no commands.
class ImportCli : public ::testing::Test {
 protected:
  void SetUp() override {
    original_ = test::movieObjectFile("0200", {{0, {{0x50400001, 1, 5}, {0x20810000, 0, 0}}}, {0, {}}}).data();
    dir_.write("MovieObject.bdmv", original_);
  }
  std::string path(const char* name) const { return shellQuote((dir_.path() / name).string()); }
  std::string importInto(const char* list, const std::string& text, const std::string& more = "0") {
    dir_.write(list, text);
    return "program import " + path("MovieObject.bdmv") + " " + more + " " + path(list) + " -o " + path("out.bdmv");
  }
  test::TempDir dir_;
  std::vector<std::uint8_t> original_;
};

TEST_F(ImportCli, ExportedListGivesBackTheFile) {
  ASSERT_EQ(runCli("program " + path("MovieObject.bdmv") + " 0 -o " + path("p.lst")).exitCode, 0);
  const auto r = runCli("program import " + path("MovieObject.bdmv") + " 0 " + path("p.lst") + " -o " + path("out.bdmv"));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("Object 0: 2 commands imported, the program holds 2\n"), std::string::npos) << r.out;
  EXPECT_EQ(dir_.read("out.bdmv"), original_);
}

TEST_F(ImportCli, ReplaceAndInsert) {
  auto r = runCli(importInto("a.lst", "; into the empty object\r\nJump Title 3\r\n", "1"));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(runCli("program " + path("out.bdmv") + " 1").out.find("0000  [21810000,00000003 ,00000000]  Jump Title 3"),
            std::string::npos);
  r = runCli(importInto("b.lst", "Move GPR2, 7\nMove GPR3, GPR2\n", "0 --insert-at 0"));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  const std::string list = runCli("program " + path("out.bdmv") + " 0").out;
  // The GoTo follows its target down by the two lines inserted before it.
  EXPECT_NE(list.find("0000  [50400001,00000002 ,00000007 ]  Move GPR2, 7\r\n"
                      "0001  [50000001,00000003 ,00000002 ]  Move GPR3, GPR2\r\n"
                      "0002  [50400001,00000001 ,00000005 ]  Move GPR1, 5\r\n"
                      "0003  [20810000,00000002 ,00000000]  GoTo 2\r\n"),
            std::string::npos)
      << list;
}

TEST_F(ImportCli, BadInputChangesNothing) {
  const struct {
    std::string args;
    int exitCode;
    const char* message;
  } cases[] = {
      {importInto("e.lst", ""), 1, "mirdal-cli: e.lst: line 1, column 1: expected a command line: the text holds none"},
      {importInto("u.lst", "NOP\nMvoe GPR1, 2\n"), 1, "mirdal-cli: u.lst: line 2, column 1: unknown command 'Mvoe'"},
      {importInto("m.lst", "GoTo\n"), 1, "mirdal-cli: m.lst: line 1, column 5: expected an operand: GoTo takes 1 operand"},
      {importInto("w.lst", "0000  [50400001,00000001,00000005]  Move GPR1, 6\n"), 1,
       "mirdal-cli: w.lst: line 1, column 37: the command line does not match the words"},
      {importInto("ok.lst", "NOP\n", "0 --insert-at 3"), 1,
       "mirdal-cli: object 0: line 3 lies beyond the end of the program"},
      {importInto("ok.lst", "NOP\n", "2"), 1, "mirdal-cli: MovieObject.bdmv holds 2 movie objects (0 to 1); there is no object 2"},
      {"program import " + path("MovieObject.bdmv") + " 0 " + path("none.lst") + " -o " + path("out.bdmv"), 1,
       "mirdal-cli: no such file"},
      {importInto("ok.lst", "NOP\n", "x"), 2, "mirdal-cli: "},
  };
  for (const auto& c : cases) {
    const auto r = runCli(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args << "\n" << r.out;
    EXPECT_EQ(r.out.rfind(c.message, 0), 0u) << c.args << "\n" << r.out;
    EXPECT_FALSE(dir_.exists("out.bdmv")) << c.args;
  }
}

TEST(AssembleCli, MenuEditTakesCommandLines) {
  test::TempDir dir;
  const std::string menu = shellQuote(std::string(MIRDAL_SOURCE_DIR) + "/samples/disc/menu/sample.mnu");
  dir.write("cmds.lst", std::string("Move GPR1, 2\nSetButtonPage 1, (0)\n"));
  dir.write("edits.json", std::string(R"([
    {"op": "set_commands", "page": 0, "bog": 0, "button": 0,
     "commands": ["EnableButton 2", "51C00003 80000001 80000000", "BC"]},
    {"op": "import_commands", "page": 0, "bog": 0, "button": 0, "list": "cmds.lst", "insert_at": 1}])"));
  const std::string out = shellQuote((dir.path() / "out.mnu").string());
  auto r = runCli("menu edit " + menu + " " + shellQuote((dir.path() / "edits.json").string()) + " -o " + out);
  ASSERT_EQ(r.exitCode, 0) << r.out;
  r = runCli("dump " + out);
  EXPECT_NE(r.out.find("    Button 0001:\n"
                       "      0000  [31800004,00000002 ,00000000]  EnableButton 2\n"
                       "      0001  [50400001,00000001 ,00000002 ]  Move GPR1, 2\n"
                       "      0002  [51C00003,80000001 ,00000000 ]  SetButtonPage 1, (0)\n"
                       "      0003  [51C00003,80000001 ,80000000 ]  SetButtonPage 1, 0\n"
                       "      0004  [08000100,00000000,00000000]  BC\n"),  // a name that looks like a hex word
            std::string::npos)
      << r.out;

  dir.write("bad.json", std::string(R"([{"op": "set_commands", "page": 0, "bog": 0, "button": 0,
                                          "commands": ["NOP", "EnableButton GPR4096"]}])"));
  r = runCli("menu edit " + menu + " " + shellQuote((dir.path() / "bad.json").string()) + " -o " +
             shellQuote((dir.path() / "bad.mnu").string()));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("edit 0 (set_commands): command 1: column 14: register number out of range: GPR4096"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(dir.exists("bad.mnu"));
}

TEST(AssembleCli, RunFromGivenRegisters) {
  test::TempDir dir;
  // Add GPR1, PSR10; Move GPR2, GPR6
  dir.write("MovieObject.bdmv",
            test::movieObjectFile("0200", {{0, {{0x50000003, 1, 0x8000000A}, {0x50000001, 2, 6}}}}).data());
  const std::string file = shellQuote((dir.path() / "MovieObject.bdmv").string());
  auto r = runCli("run " + file + " 0 --set GPR6=5,PSR10=0x400 --set gpr1=1");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("\nPSR10: 00000400 (1024) - "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("GPR1: 00000401 (1025)   GPR2: 00000005 (5)   GPR6: 00000005 (5)   \n"), std::string::npos)
      << r.out;
  for (const char* bad : {"GPR4096=1", "PSR10", "GPR1=x", "GPR1=1;GPR2=2"}) {
    r = runCli("run " + file + " 0 --set '" + bad + "'");
    EXPECT_EQ(r.exitCode, 2) << bad;
    EXPECT_EQ(r.out.rfind(std::string("mirdal-cli: --set ") + bad + ": column ", 0), 0u) << r.out;
  }
}

}  // namespace
}  // namespace mirdal
