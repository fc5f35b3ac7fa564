// One HDMV navigation command: three unsigned 32-bit words, stored
// big-endian in this order wherever commands are kept (movie objects, menu
// buttons, program export).
#pragma once

#include <cstdint>
#include <vector>

namespace mirdal {

struct NavCommand {
  std::uint32_t opcode = 0;
  std::uint32_t dst = 0;
  std::uint32_t src = 0;

  bool operator==(const NavCommand&) const = default;
};

// One program; a command's line number is its index.
using CommandList = std::vector<NavCommand>;

}  // namespace mirdal
