// A movie object's program written out as a text listing (.lst) or as its
// raw command words (.bin).
#pragma once

#include <string>

#include "core/fields.h"
#include "nav/command.h"
#include "nav/opcode.h"

namespace mirdal {

class Reporter;

// The listing: five header lines, then one line per command:
// "0000  [50000001,00000003 ,80000004 ]  Move GPR3, PSR4 ...", CR LF after
// every line.
std::string programList(const CommandList& program, CommandContext context = CommandContext::MovieObject);

// One line of the listing, without the line end.
std::string programListLine(const NavCommand& c, std::size_t line,
                            CommandContext context = CommandContext::MovieObject);

// Opcode, dst and src of every command as big-endian 32-bit words.
Bytes programBinary(const CommandList& program);

// "program_" + object index with 3 digits + ".lst" or ".bin".
std::string programFileName(std::size_t objectIndex, bool binary);

// Writes the chosen form to path (created or overwritten); failures are
// logged through logError.
bool saveProgram(const std::string& path, const CommandList& program, bool binary, Reporter& rep);

// Which form a chosen file name asks for: ".bin" the command words, ".lst"
// the list (either case), any other extension the form of the "Program
// format" option.
bool binaryProgramFor(const std::string& fileName, bool binaryOption);

}  // namespace mirdal
