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
EditResult inscmd(TCommands& program, LineSelection sel, const TCommands& cmds);

// Deletes the selected lines; selects the line before them.
EditResult delecmd(TCommands& program, LineSelection sel);

// Lines first..last (clipped to the program).
TCommands copycmd(const TCommands& program, std::size_t first, std::size_t last);

// Every GoTo with an immediate target (0x20810000) whose target is greater
// than `after` gets target + delta (modulo 2^32); a negative `after` moves
// every such target. GoTo commands with a register target stay.
void updategotos(TCommands& program, std::int64_t after, std::int32_t delta);

// Shift+N: the selected lines become NOP; the selection moves to the line
// after them when there is one.
EditResult nopcmd(TCommands& program, LineSelection sel);

// The key actions around the copy buffer, with their status-line messages.
// Ctrl+C: "Command(s) copied".
void copyToBuffer(TCommands& buffer, const TCommands& program, LineSelection sel);
// Ctrl+V: inserts the buffer; "Nothing to insert." when it is empty.
EditResult pastecmd(TCommands& program, LineSelection sel, const TCommands& buffer);
// Ctrl+X: copy, then delete.
EditResult cutcmd(TCommands& buffer, TCommands& program, LineSelection sel);

// The field editor's change of one line: line `line` becomes c (a line
// past the program changes nothing).
EditResult setcmd(TCommands& program, std::size_t line, const TNavCommand& c);

// Program import: `lines` replace the program (no insertAt) or are
// inserted so that the first becomes line *insertAt (0 up to the program's
// size), the GoTo targets moving as for a paste. Selects the imported
// lines. importRefusal() says why an import would change nothing ("" when
// it would not be refused): no lines, a line beyond the end, more than 9999
// commands.
EditResult importcmd(TCommands& program, const TCommands& lines, std::optional<std::size_t> insertAt);
std::string importRefusal(const TCommands& program, const TCommands& lines, std::optional<std::size_t> insertAt);

// Ctrl+A.
LineSelection selectAll(const TCommands& program);

}  // namespace mirdal
