#include "nav/program_edit.h"

#include <algorithm>
#include <string>

#include "core/report.h"

namespace mirdal {

namespace {

constexpr std::uint32_t kGoToImmediate = 0x20810000;

// The selection clipped to an existing program.
LineSelection clip(const CommandList& program, LineSelection sel) {
  if (sel.first > sel.last) std::swap(sel.first, sel.last);
  const std::size_t end = program.empty() ? 0 : program.size() - 1;
  sel.first = std::min(sel.first, end);
  sel.last = std::min(sel.last, end);
  return sel;
}

}  // namespace

void shiftGotoTargets(CommandList& program, std::int64_t after, std::int32_t delta) {
  for (NavCommand& c : program) {
    if (c.opcode != kGoToImmediate) continue;
    if (after < 0 || std::int64_t(c.dst) > after) c.dst += std::uint32_t(delta);
  }
}

EditResult insertCommands(CommandList& program, LineSelection sel, const CommandList& cmds) {
  if (&cmds == &program) return insertCommands(program, sel, CommandList(cmds));
  EditResult r;
  const std::size_t k = cmds.size();
  if (k == 0 || program.size() + k > kMaxProgramCommands) {
    r.selection = clip(program, sel);
    return r;
  }
  if (program.empty()) {
    // No line existed, so no GoTo target refers to the old program: the
    // inserted commands keep their targets.
    program = cmds;
    r.selection = {0, 0};
  } else {
    const std::size_t p = clip(program, sel).last;
    program.insert(program.begin() + std::ptrdiff_t(p + 1), cmds.begin(), cmds.end());
    shiftGotoTargets(program, std::int64_t(p), std::int32_t(k));
    r.selection = {p + 1, p + 1};
  }
  r.changed = true;
  r.delta = int(k);
  return r;
}

EditResult deleteCommands(CommandList& program, LineSelection sel) {
  EditResult r;
  if (program.empty()) return r;
  sel = clip(program, sel);
  const std::size_t k = sel.last - sel.first + 1;
  program.erase(program.begin() + std::ptrdiff_t(sel.first),
                program.begin() + std::ptrdiff_t(sel.last + 1));
  if (!program.empty()) shiftGotoTargets(program, std::int64_t(sel.first) - 1, -std::int32_t(k));
  const std::size_t at = sel.first == 0 ? 0 : sel.first - 1;
  r.changed = true;
  r.delta = -int(k);
  r.selection = {at, at};
  return r;
}

CommandList copyCommands(const CommandList& program, std::size_t first, std::size_t last) {
  if (program.empty()) return {};
  const LineSelection s = clip(program, {first, last});
  return CommandList(program.begin() + std::ptrdiff_t(s.first),
                     program.begin() + std::ptrdiff_t(s.last + 1));
}

EditResult nopCommands(CommandList& program, LineSelection sel) {
  EditResult r;
  if (program.empty()) return r;
  sel = clip(program, sel);
  for (std::size_t i = sel.first; i <= sel.last; ++i) program[i] = NavCommand{};
  r.changed = true;
  r.selection = sel.last + 1 < program.size() ? LineSelection{sel.last + 1, sel.last + 1} : sel;
  return r;
}

void copyToBuffer(CommandList& buffer, const CommandList& program, LineSelection sel, Reporter& rep) {
  buffer = copyCommands(program, sel.first, sel.last);
  rep.setStatusPanel("Command(s) copied", 1);
}

EditResult pasteCommands(CommandList& program, LineSelection sel, const CommandList& buffer, Reporter& rep) {
  if (buffer.empty()) {
    rep.setStatusPanel("Nothing to insert.", 1);
    EditResult r;
    r.selection = clip(program, sel);
    return r;
  }
  return insertCommands(program, sel, buffer);
}

EditResult cutCommands(CommandList& buffer, CommandList& program, LineSelection sel, Reporter& rep) {
  if (program.empty()) return {};
  copyToBuffer(buffer, program, sel, rep);
  return deleteCommands(program, sel);
}

LineSelection selectAll(const CommandList& program) {
  return {0, program.empty() ? 0 : program.size() - 1};
}

EditResult setCommand(CommandList& program, std::size_t line, const NavCommand& c) {
  if (line >= program.size()) return {};
  program[line] = c;
  return EditResult{true, 0, {line, line}};
}

std::string importRefusal(const CommandList& program, const CommandList& lines, std::optional<std::size_t> insertAt) {
  if (lines.empty()) return "no command to import";
  if (insertAt && *insertAt > program.size())
    return "line " + std::to_string(*insertAt) + " lies beyond the end of the program (" +
           std::to_string(program.size()) + " commands; the last place to insert is line " +
           std::to_string(program.size()) + ")";
  const std::size_t total = lines.size() + (insertAt ? program.size() : 0);
  if (total > kMaxProgramCommands)
    return "the program would hold " + std::to_string(total) + " commands; at most " +
           std::to_string(kMaxProgramCommands) + " can be edited";
  return {};
}

EditResult importCommandLines(CommandList& program, const CommandList& lines, std::optional<std::size_t> insertAt) {
  EditResult r;
  if (!importRefusal(program, lines, insertAt).empty()) return r;
  const std::size_t k = lines.size();
  if (!insertAt) {
    r.delta = int(k) - int(program.size());
    program = lines;
    r.selection = {0, k - 1};
  } else if (program.empty()) {
    program = lines;  // no target pointed into the empty program
    r.delta = int(k);
    r.selection = {0, k - 1};
  } else {
    const std::size_t at = *insertAt;
    program.insert(program.begin() + std::ptrdiff_t(at), lines.begin(), lines.end());
    shiftGotoTargets(program, std::int64_t(at) - 1, std::int32_t(k));
    r.delta = int(k);
    r.selection = {at, at + k - 1};
  }
  r.changed = true;
  return r;
}

}  // namespace mirdal
