// Navigation commands: any words render, run (within a step limit) and edit
// without fault, and the interpreter touches nothing outside the registers.
#include <cstddef>
#include <cstdint>

#include "core/report.h"
#include "nav/program_edit.h"
#include "nav/command_fields.h"
#include "nav/command_text.h"
#include "nav/interpreter.h"
#include "nav/program_export.h"
#include "fuzz_check.h"
#include "tests/support/recording_reporter.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CommandList p;
  FieldReader r(data, size);
  while (r.remaining() >= 12) {
    NavCommand c;
    c.opcode = r.readU32();
    c.dst = r.readU32();
    c.src = r.readU32();
    p.push_back(c);
  }
  for (std::size_t i = 0; i < p.size(); ++i) {
    commandRow(p[i], i, CommandContext::MovieObject);
    commandRow(p[i], i, CommandContext::ButtonCommands);
    editorViewOf(p[i]);
  }
  FUZZ_CHECK(programBinary(p).size() == 12 * p.size());

  mirdal::test::testReporter().setActivationDelay(0);
  Registers regs;
  RunState run;
  run.rng.seed(1);
  run.maxSteps = 10000;
  run.line = 0;
  const ExecResult res = executeProgram(p, regs, run, mirdal::test::testReporter());
  FUZZ_CHECK(res.executed <= run.maxSteps);
  FUZZ_CHECK(!res.running || (run.line >= 0 && std::size_t(run.line) < p.size()));

  CommandList copy = p;
  const std::size_t n = size % 7;
  insertCommands(copy, {n, n}, p);
  deleteCommands(copy, {n, n + size % 3});
  nopCommands(copy, {0, 0});
  return 0;
}
