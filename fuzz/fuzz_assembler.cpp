// Programs as text: any text either reads as a program or is refused with a
// line and a column inside it. A program read is written as command lines
// and read again: the lines and the words they give stay the same from then
// on (a line carries fewer bits than a word, so the first pass may drop
// some; the second may not).
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
    const std::string lines = commandLinesText(p.commands, 0, p.commands.size() - 1, c);
    const ProgramText once = assembleProgram(lines);
    FUZZ_CHECK(!once.error && once.commands.size() == p.commands.size());
    const std::string again = commandLinesText(once.commands, 0, once.commands.size() - 1, c);
    FUZZ_CHECK(again == lines);
    FUZZ_CHECK(assembleProgram(again).commands == once.commands);
  }
  return 0;
}
