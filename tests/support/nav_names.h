// Names several navigation tests share: the two contexts of a command, the
// Break command and a PSR operand.
#pragma once

#include <cstdint>

#include "nav/command.h"
#include "nav/opcode.h"

namespace mirdal::test {

inline constexpr auto kMovie = CommandContext::MovieObject;
inline constexpr auto kButton = CommandContext::ButtonCommands;

inline const NavCommand kBreak{0x00020000, 0, 0};

// A register operand naming PSR n (GPR n is n itself).
constexpr std::uint32_t psrOperand(std::uint32_t n) { return 0x80000000 | n; }

}  // namespace mirdal::test
