// The command assembler: a command line as the grids, the trace and the
// program list show it (command_text.h) becomes its three command words
// again. Rendering the assembled words gives the same line back.
//
// A line is: an optional marker ("!" for an invalid word, "*" for a
// forbidden one, which the word itself says and is taken as a remark), the
// command's name, its operands separated by ",", and from ";" a comment that
// is passed over (the "  ; Invalid opcode" suffix and the PSR comment are
// such comments). Names and register names may be in either case, blanks
// may be repeated; numbers are decimal or hexadecimal with "0x". Operands:
// "GPR0".."GPR4095", "PSR0".."PSR127" or a number from 0 to 4294967295; the
// flag-carrying operands of SetStream, SetButtonPage and SetSecondaryStream
// are written as the grid shows them, each value or GPR in parentheses when
// its flag is 0 ("SetButtonPage 1, (2)", "SetStream GPR1, (GPR2), 3, 4").
//
// Without "!" the line must name a valid command word; with "!" it stands
// for an invalid word: the fields the line shows, and bit 20 (interpreted
// by no command) set where the fields alone would make a valid word.
//
// What a command line cannot carry, so that words -> text -> words gives
// the same words except:
//  - operand words not in use (both with operand count 0, the source with
//    count 1);
//  - in a register operand, every bit but the PSR selector (bit 31) and the
//    register number (bits 6-0 of a PSR, 11-0 of a GPR);
//  - in the operands of SetStream, SetButtonPage and SetSecondaryStream,
//    every bit the line shows no value or flag for: notably SetStream's PG
//    TextST display flag (destination bit 14) and SetButtonPage's
//    out-effect-off flag (source bit 30);
//  - SetSystem options 16 and 17, which have no name and read the same;
//  - of an invalid word, everything but its name, whether it has 0, 1 or 2
//    or more operands, the immediate flags of the operands shown and their
//    values; "---" is always taken as the Set sub-group's.
// The program list (.lst) also writes the words themselves, so a program
// imported from it keeps these bits (program_text.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "nav/command.h"
#include "nav/text_scan.h"

namespace mirdal {

struct AssembledCommand {
  NavCommand command;
  std::optional<TextError> error;  // set when the line is no command line
};

// The command line that starts at offset `start` of `line` and runs to its
// end. Errors name line `lineNumber` and a column of `line`.
AssembledCommand assembleCommand(std::string_view line, std::size_t lineNumber = 1, std::size_t start = 0);

}  // namespace mirdal
