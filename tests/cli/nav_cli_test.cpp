// mirdal-cli command, program and run, driven as a user runs them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/bdmv_files.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace mirdal {
namespace {

using test::runCli;
using test::shellQuote;

TEST(NavCli, CommandLines) {
  struct Case {
    const char* args;
    const char* out;
  } cases[] = {
      {"50000001 00000003 80000004", "Move GPR3, PSR4       ;PSR4: Title Number (b15-b0) {1-999,$ffff}\n"},
      {"51C00003 80000001 2", "SetButtonPage 1, (2)\n"},
      {"0x22800000 10 0", "Play PL 16\n"},
      {"22800000 10 0 --button", "*Play PL 16  ; Forbidden opcode\n"},
      {"1 0 0", "!NOP  ; Invalid opcode\n"},
      {"50000001 3 80000004 --row",
       "0000  [50000001,00000003 ,80000004 ]  Move GPR3, PSR4       ;PSR4: Title Number (b15-b0) "
       "{1-999,$ffff}\n"},
  };
  for (const auto& c : cases) {
    const auto r = runCli(std::string("command ") + c.args);
    EXPECT_EQ(r.exitCode, 0) << c.args;
    EXPECT_EQ(r.out, c.out) << c.args;
  }
}

TEST(NavCli, CommandJson) {
  const auto r = runCli("command 48800100 1 2 --json");
  ASSERT_EQ(r.exitCode, 0);
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["valid"], false);
  EXPECT_EQ(j["command_line"], "!BC 1, GPR2  ; Invalid opcode");
  // Numbers without the grid's display padding; the padding's meaning as
  // its own keys.
  EXPECT_EQ(j["opcode"], 0x48800100u);
  EXPECT_EQ(j["dst"], 1);
  EXPECT_EQ(j["dst_in_use"], true);
  EXPECT_EQ(j["src_in_use"], true);
  EXPECT_EQ(j["operand_count"], 2);
}

TEST(NavCli, CommandBadUsage) {
  for (const char* args : {"zz 0 0", "1 2", "123456789 0 0"})
    EXPECT_EQ(runCli(std::string("command ") + args).exitCode, 2) << args;
}

// Object 0: Move GPR1, 5; Jump Title 2; Move GPR2, 1 (never reached).
// Object 1: an endless loop. Object 2: no commands.
class NavCliFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto bytes = test::movieObjectFile(
        "0200", {{0, {{0x50400001, 1, 5}, {0x21810000, 2, 0}, {0x50400001, 2, 1}}},
                 {0, {{0x50400003, 3, 1}, {0x20810000, 0, 0}}},
                 {0, {}}});
    path_ = dir_.write("MovieObject.bdmv", bytes.data()).string();
  }
  std::string file() const { return shellQuote(path_); }
  test::TempDir dir_;
  std::string path_;
};

TEST_F(NavCliFile, ProgramList) {
  const auto r = runCli("program " + file() + " 0");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  const std::string rule = ";------------------------------------------------------------\r\n";
  EXPECT_EQ(r.out, rule + ";\r\n;             MovieObject program list by Mirdal\r\n;\r\n" + rule +
                       "0000  [50400001,00000001 ,00000005 ]  Move GPR1, 5\r\n"
                       "0001  [21810000,00000002 ,00000000]  Jump Title 2\r\n"
                       "0002  [50400001,00000002 ,00000001 ]  Move GPR2, 1\r\n");
}

TEST_F(NavCliFile, ProgramBinaryToAFile) {
  const std::string out = (dir_.path() / "program_001.bin").string();
  const auto r = runCli("program " + file() + " 1 --bin -o " + shellQuote(out));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(r.out, "");
  const std::vector<std::uint8_t> expected = test::ByteBuilder().u32(0x50400003).u32(3).u32(1).u32(0x20810000).u32(0).u32(0);
  EXPECT_EQ(dir_.read("program_001.bin"), expected);
}

// 2 for bad usage only (a malformed number), 1 for anything wrong with the
// input; each with one short line.
TEST_F(NavCliFile, ProgramExitCodesAndMessages) {
  dir_.write("bad.bdmv", std::string("MOBJ0400") + std::string(50, '\0'));
  const std::string bad = shellQuote((dir_.path() / "bad.bdmv").string());
  struct Case {
    std::string args;
    int exitCode;
    std::string text;
  } cases[] = {
      {file() + " 3", 1, "mirdal-cli: MovieObject.bdmv holds 3 movie objects (0 to 2); there is no object 3\n"},
      {shellQuote(path_ + ".missing") + " 0", 1, "no such file"},
      {bad + " 0", 1, "ERROR: Format error bad.bdmv\n"},
      {file() + " -1", 2, "mirdal-cli: object numbers count from 0; -1 is not one\n"},
      {file() + " x1", 2, "not a decimal number"},
      {file() + " 99999999999999999999999", 2, "too large"},
      {file() + " 0 --frob", 2, "--frob"},
  };
  for (const Case& c : cases) {
    const auto r = runCli("program " + c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args << "\n" << r.out;
    EXPECT_NE(r.out.find(c.text), std::string::npos) << c.args << "\n" << r.out;
    EXPECT_LT(r.out.size(), 200u) << c.args << "\n" << r.out;
  }
}

TEST_F(NavCliFile, RunAnnouncesAndListsRegisters) {
  const auto r = runCli("run " + file() + " 0 --trace-log --region C --country 4652");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(r.out.rfind("Line 0000 : 50400001 00000001  00000005  : Move GPR1, 5\n"
                        "Line 0001 : 21810000 00000002  00000000 : Jump Title 2\n"
                        "Jump Title 2\n"
                        "PSR0: 00000001 (1) - ",
                        0),
            0u)
      << r.out;
  EXPECT_NE(r.out.find("\nPSR4: 00000002 (2) - Title Number"), std::string::npos);
  EXPECT_NE(r.out.find("\nPSR19: 00004652 (18002) - Country Code"), std::string::npos);
  EXPECT_NE(r.out.find("\nPSR20: 00000004 (4) - Region Code"), std::string::npos);
  EXPECT_NE(r.out.find("\nGPR1: 00000005 (5)   \n"), std::string::npos);
  EXPECT_EQ(r.out.find("GPR2:"), std::string::npos);
}

TEST_F(NavCliFile, RunStopsAnEndlessProgram) {
  const auto r = runCli("run " + file() + " 1 --max-steps 1001");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("GPR3: 000001F5 (501)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("ERROR: Object 1: the program did not end within 1001 commands (--max-steps)"),
            std::string::npos)
      << r.out;
}

TEST_F(NavCliFile, RunJson) {
  const auto r = runCli("run " + file() + " 0 --json --real-psrs 2>/dev/null");
  ASSERT_EQ(r.exitCode, 0) << r.out;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["announcements"], nlohmann::json::array({"Jump Title 2"}));
  EXPECT_EQ(j["commands"], 2);
  EXPECT_EQ(j["ended"], true);
  EXPECT_EQ(j["psr"][1], 1);
  EXPECT_EQ(j["gpr"], nlohmann::json::parse(R"([{"number": 1, "value": 5}])"));
}

TEST_F(NavCliFile, RunBadUsage) {
  for (const char* opts : {"--region D", "--country 12345", "--country xx", "--max-steps 0", "--max-steps -3"}) {
    const auto r = runCli("run " + file() + " 0 " + opts);
    EXPECT_EQ(r.exitCode, 2) << opts;
    EXPECT_LT(r.out.size(), 200u) << opts << "\n" << r.out;
  }
  EXPECT_EQ(runCli("run " + file() + " 2").exitCode, 0);
}

}  // namespace
}  // namespace mirdal
