// Register values given as text before a run, so that a program can be run
// from the state a player would be in: "GPR6=5, PSR10=0x400". The run
// subcommand, the run panel and the disc emulation take them alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "nav/registers.h"
#include "nav/text_scan.h"

namespace mirdal {

struct RegisterSetting {
  bool psr = false;
  unsigned number = 0;
  std::uint32_t value = 0;

  bool operator==(const RegisterSetting&) const = default;
};

struct RegisterSettings {
  std::vector<RegisterSetting> settings;
  std::optional<TextError> error;  // with a column, line 0
};

// Settings "<register>=<number>" separated by ",": GPR0-GPR4095 or
// PSR0-PSR127 (either case), numbers from 0 to 4294967295 in decimal or
// 0x hexadecimal. A register given twice takes the last value. Empty text
// is an error.
RegisterSettings parseRegisterSettings(std::string_view text);

void applyRegisterSettings(Registers& regs, const std::vector<RegisterSetting>& settings);

}  // namespace mirdal
