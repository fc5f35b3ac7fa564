// Edits of a command list: insert, delete, copy, cut, paste, NOP, and the
// GoTo targets that follow the lines when they move. Each edit returns the
// lines to select afterwards; the grid then re-renders the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "nav/command.h"

namespace mirdal {

class Reporter;

// A program may hold at most this many commands when it is edited.
constexpr std::size_t kMaxProgramCommands = 9999;

// Consecutive selected lines first..last (an empty program's blank row
// counts as line 0).
struct LineSelection {
  std::size_t first = 0;
  std::size_t last = 0;
};

struct EditResult {
  bool changed = false;
  // Commands added (positive) or removed (negative): the owner's command
  // count and the file's lengths move by 12 bytes per command.
  int delta = 0;
  LineSelection selection;
};

// Inserts cmds after the last selected line (as lines 0.. into an empty
// program). Refused, unchanged, when the program would exceed 9999 commands.
EditResult insertCommands(CommandList& program, LineSelection sel, const CommandList& cmds);

// Deletes the selected lines; selects the line before them.
EditResult deleteCommands(CommandList& program, LineSelection sel);

// Lines first..last (clipped to the program).
CommandList copyCommands(const CommandList& program, std::size_t first, std::size_t last);

// Every GoTo with an immediate target (0x20810000) whose target is greater
// than `after` gets target + delta (modulo 2^32); a negative `after` moves
// every such target. GoTo commands with a register target stay.
void shiftGotoTargets(CommandList& program, std::int64_t after, std::int32_t delta);

// Shift+N: the selected lines become NOP; the selection moves to the line
// after them when there is one.
EditResult nopCommands(CommandList& program, LineSelection sel);

// The key actions around the copy buffer, with their status-line messages.
// Ctrl+C: "Command(s) copied".
void copyToBuffer(CommandList& buffer, const CommandList& program, LineSelection sel, Reporter& rep);
// Ctrl+V: inserts the buffer; "Nothing to insert." when it is empty.
EditResult pasteCommands(CommandList& program, LineSelection sel, const CommandList& buffer, Reporter& rep);
// Ctrl+X: copy, then delete.
EditResult cutCommands(CommandList& buffer, CommandList& program, LineSelection sel, Reporter& rep);

// The field editor's change of one line: line `line` becomes c (a line
// past the program changes nothing).
EditResult setCommand(CommandList& program, std::size_t line, const NavCommand& c);

// Program import: `lines` replace the program (no insertAt) or are
// inserted so that the first becomes line *insertAt (0 up to the program's
// size), the GoTo targets moving as for a paste. Selects the imported
// lines. importRefusal() says why an import would change nothing ("" when
// it would not be refused): no lines, a line beyond the end, more than 9999
// commands.
EditResult importCommandLines(CommandList& program, const CommandList& lines, std::optional<std::size_t> insertAt);
std::string importRefusal(const CommandList& program, const CommandList& lines, std::optional<std::size_t> insertAt);

// Ctrl+A.
LineSelection selectAll(const CommandList& program);

}  // namespace mirdal
