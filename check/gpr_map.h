// The register map: for every general purpose register the disc's commands
// use, which commands write it and which read it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check/finding.h"
#include "nav/command.h"

namespace mirdal {

struct Program;

enum class Access { Read, Write };
// Direct: the operand names the register. Indirect: SetStream, SetButtonPage
// and SetSecondaryStream in register form pack GPR numbers into their
// operands and use those registers' values.
enum class AccessForm { Direct, Indirect };

struct GprUse {
  Place place;  // the command: "MovieObject.bdmv object 3 line 2"
  Access access = Access::Read;
  AccessForm form = AccessForm::Direct;
  std::string command;                 // "Move GPR0, 1"
  std::optional<std::uint32_t> value;  // a write of an immediate value
};

struct GprEntry {
  unsigned gpr = 0;
  std::vector<GprUse> uses;  // in program order
  bool read() const;
  bool written() const;
  std::size_t count(Access a) const;
};

struct GprMap {
  std::vector<GprEntry> registers;  // ascending, only the GPRs in use
  const GprEntry* find(unsigned gpr) const;
};

GprMap buildGprMap(const std::vector<Program>& programs);

// The GPR accesses of one command, in operand order.
struct RegisterAccess {
  unsigned gpr;
  Access access;
  AccessForm form;
};
std::vector<RegisterAccess> gprAccesses(const NavCommand& c);

}  // namespace mirdal
