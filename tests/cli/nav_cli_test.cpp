// mirdal-cli's navigation subcommands, driven as a user would run them.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct Output {
  std::string out;
  int status = -1;
};

Output runCli(const std::string& args) {
  Output o;
  const std::string cmd = std::string(MIRDAL_CLI) + " " + args + " 2>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return o;
  std::array<char, 4096> buf;
  std::size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) o.out.append(buf.data(), n);
  const int st = pclose(p);
  o.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return o;
}

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
    const Output o = runCli(std::string("command ") + c.args);
    EXPECT_EQ(o.status, 0) << c.args;
    EXPECT_EQ(o.out, c.out) << c.args;
  }
}

TEST(NavCli, CommandJson) {
  const Output o = runCli("command 48800100 1 2 --json");
  EXPECT_EQ(o.status, 0);
  EXPECT_NE(o.out.find("\"valid\": false"), std::string::npos);
  EXPECT_NE(o.out.find("\"commandLine\": \"!BC 1, GPR2  ; Invalid opcode\""), std::string::npos);
}

TEST(NavCli, CommandBadUsage) {
  for (const char* args : {"zz 0 0", "1 2", "123456789 0 0"}) EXPECT_EQ(runCli(std::string("command ") + args).status, 2) << args;
}

}  // namespace
