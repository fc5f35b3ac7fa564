#include "nav/program_text.h"

#include "core/display_text.h"
#include "nav/command_assembler.h"
#include "nav/command_text.h"

namespace mirdal {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Up to 8 hexadecimal digits.
std::uint32_t hexWord(LineScanner& s, const char* which) {
  s.skipBlanks();
  const std::size_t start = s.pos();
  std::uint64_t v = 0;
  int d = 0;
  while (!s.atEnd() && (d = hexDigitValue(s.peek())) >= 0) {
    v = v * 16 + unsigned(d);
    s.setPos(s.pos() + 1);
    if (s.pos() - start > 8) s.fail(start, std::string("expected ") + which + " as up to 8 hexadecimal digits");
  }
  if (s.pos() == start) s.fail(start, std::string("expected ") + which + " as hexadecimal digits");
  s.skipBlanks();
  return std::uint32_t(v);
}

// "[opcode,dst,src]" at the scanner's position.
NavCommand bracketWords(LineScanner& s) {
  NavCommand c;
  c.opcode = hexWord(s, "the opcode word");
  if (!s.accept(',')) s.fail(s.pos(), "expected ',' after the opcode word");
  c.dst = hexWord(s, "the destination word");
  if (!s.accept(',')) s.fail(s.pos(), "expected ',' after the destination word");
  c.src = hexWord(s, "the source word");
  if (!s.accept(']')) s.fail(s.pos(), "expected ']' after the source word");
  return c;
}

// The command line of c without its comment, for messages.
std::string shownLine(const NavCommand& c) {
  std::string t = commandLine(c, CommandContext::MovieObject);
  t = t.substr(0, t.find(';'));
  while (!t.empty() && t.back() == ' ') t.pop_back();
  return t;
}

// One line that is not blank and no comment.
NavCommand programLine(std::string_view line, std::size_t lineNumber) {
  LineScanner s(line);
  s.skipBlanks();
  if (isDigit(s.peek())) {
    while (isDigit(s.peek())) s.setPos(s.pos() + 1);
    const char next = s.peek();
    if (s.atLineEnd()) s.fail(s.pos(), "expected a command line after the line number");
    if (next != ' ' && next != '\t' && next != '[')
      s.fail(s.pos(), "expected a blank after the line number, not '" + std::string(s.wordAt(s.pos())) + "'");
  }
  std::optional<NavCommand> words;
  if (s.accept('[')) words = bracketWords(s);
  s.skipBlanks();
  if (words && s.atLineEnd()) return *words;
  const std::size_t start = s.pos();
  AssembledCommand a = assembleCommand(line, lineNumber, start);
  if (a.error) throw *a.error;
  if (!words || a.command == *words) return words.value_or(a.command);
  const std::string said = shownLine(*words);
  if (shownLine(a.command) != said)
    s.fail(start, "the command line does not match the words [" + hex8(words->opcode) + "," + hex8(words->dst) +
                      "," + hex8(words->src) + "], which read '" + said + "': correct or remove one of them");
  return *words;
}

std::string_view nextLine(std::string_view& text) {
  const std::size_t nl = text.find('\n');
  std::string_view line = text.substr(0, nl);
  text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The code characters of a PSR 16-19 comment ("  [eng]") are the bytes of
// an operand; a line feed among them breaks the line ("...  [\0" LF "]").
// The characters after "  [" so far when the line ends inside them.
std::optional<std::string> openCodeCharacters(std::string_view line) {
  const std::size_t psr = line.find(";PSR1");
  if (psr == std::string_view::npos || psr + 6 >= line.size() || line[psr + 5] < '6' || line[psr + 5] > '9' ||
      line[psr + 6] != ':')
    return std::nullopt;
  const std::size_t code = line.rfind("  [");
  if (code == std::string_view::npos || code < psr) return std::nullopt;
  const std::string_view rest = line.substr(code + 3);
  if (rest.size() > 3 || (rest.size() == 3 && rest.back() == ']')) return std::nullopt;
  return std::string(rest);
}

}  // namespace

ProgramText assembleProgram(std::string_view text) {
  ProgramText r;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a UTF-8 mark some editors write
  std::size_t lineNumber = 0;
  std::size_t lastColumn = 1;
  while (!text.empty()) {
    const std::string_view line = nextLine(text);
    ++lineNumber;
    lastColumn = line.size() + 1;
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == ';') continue;
    try {
      r.commands.push_back(programLine(line, lineNumber));
    } catch (TextError& e) {
      e.line = lineNumber;
      r.error = std::move(e);
      r.commands.clear();
      return r;
    }
    // The pieces of a comment broken by a line feed among its code
    // characters belong to it: at most 3 characters and the "]".
    for (std::optional<std::string> code = openCodeCharacters(line); code && !text.empty();) {
      std::string_view rest = text;
      const std::string joined = *code + "\n" + std::string(nextLine(rest));
      if (joined.size() > 4) break;
      text = rest;
      ++lineNumber;
      if (joined.size() >= 3 && joined.back() == ']') break;
      code = joined;
    }
  }
  if (r.commands.empty())
    r.error = TextError{lineNumber == 0 ? 1 : lineNumber, lineNumber == 0 ? 1 : lastColumn,
                        "expected a command line: the text holds none"};
  return r;
}

std::string commandLinesText(const CommandList& program, std::size_t first, std::size_t last,
                             CommandContext context) {
  std::string out;
  for (std::size_t i = first; i <= last && i < program.size(); ++i) out += commandLine(program[i], context) + "\n";
  return out;
}

}  // namespace mirdal
