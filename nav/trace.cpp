#include "nav/trace.h"

#include "nav/opcode.h"

namespace mirdal {

namespace {

constexpr std::int64_t kCancelledLine = 65535;

RegisterPointer pointerTo(std::uint32_t w) {
  RegisterPointer p;
  if (namesPsr(w)) {
    if (psrNumberOf(w) > kPanelMaxPsr) return p;
    p.kind = RegisterPointer::Kind::PSR;
    p.number = psrNumberOf(w);
  } else {
    p.kind = RegisterPointer::Kind::GPR;
    p.number = gprNumberOf(w);
  }
  return p;
}

}  // namespace

std::string traceDisplayText(const CommandRow& row, std::size_t line) {
  return "Line " + lineNumberText(line) + " : " + row.cells[kColOpcode] + " " + row.cells[kColDst] +
         " " + row.cells[kColSrc] + " : " + row.cells[kColLine];
}

RegisterPointer registerPointerFor(const NavCommand& c) {
  const OpcodeFields f = decodeOpcode(c.opcode);
  if (isPackedSetSystem(c.opcode)) return {};
  if (f.operandCount >= 1 && !f.dstImmediate) {
    const RegisterPointer p = pointerTo(c.dst);
    if (p.kind != RegisterPointer::Kind::None) return p;
  }
  if (f.operandCount >= 2 && !f.srcImmediate) return pointerTo(c.src);
  return {};
}

TraceStep traceStepAt(const CommandList& program, std::size_t line, CommandContext context) {
  TraceStep t;
  t.line = line;
  if (line >= program.size()) return t;
  t.row = commandRow(program[line], line, context);
  t.statusText = traceDisplayText(t.row, line);
  t.pointer = registerPointerFor(program[line]);
  return t;
}

ExecResult startObjectProgram(const CommandList& program, Registers& regs, RunState& run, Reporter& rep) {
  if (!run.traceInProgress()) run.line = run.trace ? -1 : 0;
  if (run.observer) run.observer->programLineChanged(run.line);
  return executeProgram(program, regs, run, rep);
}

ExecResult traceClickedLine(const CommandList& program, std::size_t line, Registers& regs,
                            RunState& run, Reporter& rep) {
  run.line = std::int64_t(line);
  if (run.observer) run.observer->programLineChanged(run.line);
  return executeProgram(program, regs, run, rep);
}

bool endTraceAfterRead(RunState& run) {
  if (!run.running || run.inRun()) return false;
  run.running = false;
  run.line = 0;
  return true;
}

void cancelRun(RunState& run) {
  run.line = kCancelledLine;
  if (run.inRun()) run.stopRequested = true;
}

ExecResult cancelObjectTrace(const CommandList& program, Registers& regs, RunState& run, Reporter& rep) {
  cancelRun(run);
  // The Start of a trace in progress: nothing executes from line 65535. A
  // plain Start would begin the program again when the running flag was left
  // set without the trace option (after a jump to a negative line).
  if (run.observer) run.observer->programLineChanged(run.line);
  return executeProgram(program, regs, run, rep);
}

}  // namespace mirdal
