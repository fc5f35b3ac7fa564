// The text form of a command: the five cells of its row in a command grid
// ("No.", "Opcode", "Destinat.", "Source", "Command line"). The grids, the
// trace display and the program list all show these texts as they are.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "nav/command.h"
#include "nav/opcode.h"

namespace mirdal {

class Reporter;

enum CommandColumn { kColNo = 0, kColOpcode = 1, kColDst = 2, kColSrc = 3, kColLine = 4 };

struct CommandRow {
  std::array<std::string, 5> cells;
};

// Header texts of row 0 of a command grid.
const std::array<std::string, 5>& commandGridHeader();

// The row of command c at line number `line`. Columns 2 and 3 end in a space
// when the operand is in use.
CommandRow commandRow(const NavCommand& c, std::size_t line, CommandContext context);

// Column 4 alone: marker, name, operands, suffix and PSR comment.
std::string commandLine(const NavCommand& c, CommandContext context);

// Line numbers as the grid shows them: at least 4 digits, leading zeros.
std::string lineNumberText(std::size_t line);

// Every row of a program, for filling a command grid: "Building commands..."
// in status panel 0 and a counter ("1/300", "129/300", ...) in panel 1
// before every 128th line; ends with "Ready.".
std::vector<CommandRow> renderProgram(const CommandList& program, CommandContext context, Reporter& rep);

// Whether rendering c sounds the 2000 Hz tone: an invalid word in a button
// command list, and only while "Forced beep on invalid command" is on.
bool renderBeeps(const NavCommand& c, CommandContext context, bool forcedBeep);
constexpr int kInvalidBeepHz = 2000;
constexpr int kInvalidBeepMs = 40;

// Moving the selection onto a row with this command line sounds a 2000 Hz
// tone for 30 ms when the command is invalid.
bool invalidLineBeeps(std::string_view commandLine);
constexpr int kInvalidLineBeepMs = 30;

std::string hex8(std::uint32_t v);

}  // namespace mirdal
