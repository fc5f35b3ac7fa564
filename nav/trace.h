// Running and tracing a movie object's program from the run panel: Start,
// a click on a command row while tracing, Cancel, and what a trace step
// shows.
#pragma once

#include <cstddef>

#include "nav/command.h"
#include "nav/interpreter.h"

namespace mirdal {

class Reporter;

// "Line " + line with 4 digits + " : " + opcode + " " + dst + " " + src +
// " : " + command line, the cells as the grid shows them.
std::string traceDisplayText(const CommandRow& row, std::size_t line);

// The register the panel points at after a trace step: the destination of
// the next command when it names a register, else its source when that
// does; nothing for immediate operands, the packed SetSystem operands and
// PSR 127 (which the panel cannot show).
RegisterPointer registerPointerFor(const NavCommand& c);

// The trace display of the next line (line must lie in the program).
TraceStep traceStepAt(const CommandList& program, std::size_t line, CommandContext context);

// Start on the movie-object page: unless a trace is in progress the run
// begins at line 0, or prepares line 0 without executing when tracing (the
// first Start of a trace only shows line 0).
ExecResult startObjectProgram(const CommandList& program, Registers& regs, RunState& run, Reporter& rep);

// A click on the row of `line` while tracing: that line alone is executed.
ExecResult traceClickedLine(const CommandList& program, std::size_t line, Registers& regs,
                            RunState& run, Reporter& rep);

// Cancel while a program runs or is traced: a trace ends (line 65535, beyond
// any program, so the following Start executes nothing and ends it with
// "Ready. "), and a run inside executeProgram stops before its next command.
// The menu page then performs its own Start; the movie-object page calls
// cancelObjectTrace, which does both.
void cancelRun(RunState& run);
ExecResult cancelObjectTrace(const CommandList& program, Registers& regs, RunState& run, Reporter& rep);

// A new disc was read: a trace of the programs read before ends (the next
// Start begins at line 0); a run in progress is left alone. Returns true
// when a trace was ended.
bool endTraceAfterRead(RunState& run);

}  // namespace mirdal
