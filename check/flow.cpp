#include "check/flow.h"

namespace mirdal {

LineExit lineExit(const NavCommand& c, CommandContext context) {
  const std::uint32_t op = c.opcode;
  if (op >= 0x48000100 && op <= 0x48C00700) return LineExit::Compare;
  switch (op) {
    case 0x20010000:
    case 0x20810000:
      return LineExit::Goto;
    case 0x00020000:  // Break
    case 0x21000000:  // Jump Object
    case 0x21800000:
    case 0x21010000:  // Jump Title
    case 0x21810000:
    case 0x01040000:  // Resume
      return LineExit::Ends;
    case 0x21020000:  // Call Object, Call Title: a movie object goes on after
    case 0x21820000:  // the call returns; a button's program is over
    case 0x21030000:
    case 0x21830000:
      return context == CommandContext::MovieObject ? LineExit::Next : LineExit::Ends;
    default:
      break;
  }
  // SetButtonPage ends a button's program; in a movie object it only sets
  // the two registers.
  if (context == CommandContext::ButtonCommands && withoutImmediateFlags(op) == kSetButtonPage) return LineExit::Ends;
  return LineExit::Next;
}

ProgramFlow programFlow(const CommandList& program, CommandContext context) {
  ProgramFlow f;
  const std::size_t n = program.size();
  f.runs.assign(n, false);
  std::vector<std::size_t> todo;
  if (n) todo.push_back(0);
  const auto reach = [&](std::size_t line) {
    if (line < n && !f.runs[line]) todo.push_back(line);
  };
  while (!todo.empty()) {
    const std::size_t line = todo.back();
    todo.pop_back();
    if (f.runs[line]) continue;
    f.runs[line] = true;
    const NavCommand& c = program[line];
    switch (lineExit(c, context)) {
      case LineExit::Next: reach(line + 1); break;
      case LineExit::Compare:
        reach(line + 1);
        reach(line + 2);
        break;
      case LineExit::Goto:
        if (c.opcode & kDstImmediateBit) reach(c.dst);
        else f.known = false;
        break;
      case LineExit::Ends: break;
    }
  }
  return f;
}

}  // namespace mirdal
