// Programs as text: any text either reads as a program or is refused with
// its reason. A program read is written as command lines and read again:
// the words and the lines stay the same from the second pass on (a line
// carries fewer bits than a word, and its comment may show bits it does not
// carry, so the first pass may change both).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "nav/program_text.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ProgramText p = assembleProgram(text);
  if (p.error) {
    FUZZ_CHECK(!p.error->what.empty());
    return 0;
  }
  FUZZ_CHECK(!p.commands.empty());
  for (CommandContext c : {CommandContext::MovieObject, CommandContext::ButtonCommands}) {
    const auto lines = [c](const CommandList& program) {
      return commandLinesText(program, 0, program.size() - 1, c);
    };
    const ProgramText once = assembleProgram(lines(p.commands));
    FUZZ_CHECK(!once.error && once.commands.size() == p.commands.size());
    const ProgramText twice = assembleProgram(lines(once.commands));
    FUZZ_CHECK(!twice.error && twice.commands == once.commands);
    FUZZ_CHECK(lines(twice.commands) == lines(once.commands));
  }
  return 0;
}
