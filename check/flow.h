// Which lines of a program run: the paths from line 0 along compares (which
// may skip the next line), GoTo and the commands that end a program.
#pragma once

#include <cstddef>
#include <vector>

#include "nav/command.h"
#include "nav/opcode.h"

namespace mirdal {

struct ProgramFlow {
  std::vector<bool> runs;  // one per line
  // False when a GoTo takes its line from a register: any line may run.
  bool known = true;
};

// What a command does to the line that runs next.
enum class LineExit {
  Next,     // the next line
  Compare,  // the next line or the one after it
  Goto,     // the line the GoTo names
  Ends,     // the program ends (Break, Jump, Resume, ...)
};
LineExit lineExit(const NavCommand& c, CommandContext context);

ProgramFlow programFlow(const CommandList& program, CommandContext context);

inline bool isNop(const NavCommand& c) { return c.opcode == 0; }

}  // namespace mirdal
