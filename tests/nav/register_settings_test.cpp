#include "nav/register_settings.h"

#include <gtest/gtest.h>

namespace mirdal {
namespace {

TEST(RegisterSettings, ReadAndApplied) {
  const RegisterSettings r = parseRegisterSettings("GPR6=5,PSR10=0x400, gpr4095 = 4294967295 ,psr127=0,GPR6=7");
  ASSERT_FALSE(r.error) << r.error->message();
  const std::vector<RegisterSetting> expected = {
      {false, 6, 5}, {true, 10, 0x400}, {false, 4095, 0xFFFFFFFF}, {true, 127, 0}, {false, 6, 7}};
  EXPECT_EQ(r.settings, expected);
  Registers regs;
  regs.psr[127] = 9;
  applyRegisterSettings(regs, r.settings);
  EXPECT_EQ(regs.gpr[6], 7u);  // the last value given
  EXPECT_EQ(regs.psr[10], 0x400u);
  EXPECT_EQ(regs.gpr[4095], 0xFFFFFFFFu);
  EXPECT_EQ(regs.psr[127], 0u);
}

TEST(RegisterSettings, BadTextsSayWhere) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "column 1: expected a register such as GPR6 or PSR10"},
      {"GPR6", "column 5: expected '=' and a value after GPR6"},
      {"GPR6=", "column 6: expected a number after '='"},
      {"GPR6=PSR1", "column 6: expected a number after '=', not 'PSR1'"},
      {"5=5", "column 1: expected a register such as GPR6 or PSR10, not '5'"},
      {"GPR4096=1", "column 1: register number out of range: GPR4096 (GPR0 to GPR4095)"},
      {"PSR128=1", "column 1: register number out of range: PSR128 (PSR0 to PSR127)"},
      {"GPR1=4294967296", "column 6: number out of range: 4294967296 (0 to 4294967295)"},
      {"GPR1=1 GPR2=2", "column 8: expected ',' or the end, not 'GPR2'"},
      {"GPR1=1,", "column 8: expected a register such as GPR6 or PSR10"},
      {"XPR1=1", "column 1: expected a register such as GPR6 or PSR10, not 'XPR1'"},
  };
  for (const auto& c : cases) {
    const RegisterSettings r = parseRegisterSettings(c.text);
    ASSERT_TRUE(r.error) << c.text;
    EXPECT_EQ(r.error->message(), c.message) << c.text;
    EXPECT_TRUE(r.settings.empty());
  }
}

}  // namespace
}  // namespace mirdal
