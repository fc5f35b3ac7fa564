// Programs as text, both ways: the program list (program_export.h) or
// plain command lines read back into commands, and the command lines of
// some lines of a program for the clipboard.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "nav/command.h"
#include "nav/opcode.h"
#include "nav/text_scan.h"

namespace mirdal {

struct ProgramText {
  CommandList commands;
  std::optional<TextError> error;  // the first line that is not understood
};

// Reads every line of `text` (lines end in LF or CR LF). A line is
//  - blank, or a comment from ';' (the list's header lines): passed over;
//  - a line of the program list: the line number, the words in brackets
//    ("[50000001,00000003 ,80000004 ]", hexadecimal) and the command line.
//    The words are taken as they are, since they also carry what a command
//    line cannot (command_assembler.h); the command line, when there is
//    one, must read as the words do;
//  - the same without the line number, or without the words: a bare
//    command line is assembled.
// Line numbers are not checked: the commands come in the order of the
// lines. A text without a command is an error on its last line.
ProgramText assembleProgram(std::string_view text);

// The command lines (column 4 of the grid) of lines first..last, each
// ending in a line feed.
std::string commandLinesText(const CommandList& program, std::size_t first, std::size_t last,
                             CommandContext context);

}  // namespace mirdal
