// The player's register file: 128 player status registers (PSR) and 4096
// general purpose registers (GPR), unsigned 32-bit. Navigation commands,
// the menu emulation and the renderer read and write them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/options.h"

namespace mirdal {

class Reporter;

constexpr std::size_t kPsrCount = 128;
constexpr std::size_t kGprCount = 4096;

constexpr unsigned kPsrSelectedButton = 10;  // 0xFFFF: no button selected
constexpr unsigned kPsrMenuPage = 11;

struct Registers {
  std::array<std::uint32_t, kPsrCount> psr{};
  std::array<std::uint32_t, kGprCount> gpr{};
};

// Clears every register and sets the player's initial values: PSR 0-5 from
// "Init PSRs with 'real' values", PSR 19 the country code, PSR 20 the region
// (1, 2 or 4), and the fixed values of the other PSRs.
void resetRegisters(Registers& regs, const Options& options);

// "PS&Rs": PSR 0-20 one line each, the nonzero PSRs 21-31 one line each,
// the nonzero PSRs 32-127 six to a line; written through log.
void logPsrs(const Registers& regs, Reporter& rep);
// "&GPRs": the nonzero GPRs, five to a line; nothing when all are zero.
void logGprs(const Registers& regs, Reporter& rep);

// Register panel. Numbers outside 0-126 (PSR) or 0-4095 (GPR), and texts
// that are no number, become 0. PSR 127 cannot be chosen in the panel.
constexpr unsigned kPanelMaxPsr = 126;
constexpr unsigned kPanelMaxGpr = 4095;
unsigned panelPsrNumber(std::string_view text);
unsigned panelGprNumber(std::string_view text);
// Shown on leaving the number fields: "007", "0042".
std::string psrNumberText(unsigned n);
std::string gprNumberText(unsigned n);
// Value fields: 8 hexadecimal digits; up to 8 digits are accepted.
std::string registerValueText(std::uint32_t v);
std::optional<std::uint32_t> parseRegisterValue(std::string_view text);

}  // namespace mirdal
