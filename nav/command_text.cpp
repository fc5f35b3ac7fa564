#include "nav/command_text.h"

#include <charconv>

#include "core/display_text.h"
#include "core/report.h"
#include "nav/psr_names.h"

namespace mirdal {

namespace {

std::string dec(std::uint32_t v) { return std::to_string(v); }

void appendDec(std::string& s, std::uint32_t v) {
  char buf[10];
  s.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// A packed value whose flag is 0 is not used by the command: shown in
// parentheses.
std::string flagged(std::uint32_t value, bool flag) {
  if (flag) return dec(value);
  std::string s(1, '(');
  s += dec(value);
  s += ')';
  return s;
}

std::string flaggedGpr(std::uint32_t number, bool flag) {
  std::string s = flag ? std::string() : std::string(1, '(');
  s += "GPR";
  s += dec(number);
  if (!flag) s += ')';
  return s;
}

bool bit(std::uint32_t w, int n) { return (w >> n) & 1; }

// Operand text of SetStream, SetButtonPage and SetSecondaryStream, without
// the leading " " or ", ".
std::string packedOperand(std::uint32_t base, int which, bool immediate, std::uint32_t w) {
  const bool f31 = bit(w, 31), f15 = bit(w, 15);
  if (base == kSetStream) {
    if (immediate)
      return flagged((w >> 16) & 0xFF, f31) + ", " + flagged(which == 1 ? w & 0xFFF : w & 0xFF, f15);
    return flaggedGpr((w >> 16) & 0xFFF, f31) + ", " + flaggedGpr(w & 0xFFF, f15);
  }
  if (base == kSetButtonPage) {
    if (immediate) return flagged(which == 1 ? w & 0xFFFF : w & 0xFF, f31);
    return flaggedGpr(w & 0xFFF, f31);
  }
  // SetSecondaryStream
  if (which == 1) {
    const std::string first = flagged((w >> 16) & 0xF, f31);
    return first + ", " + (immediate ? flagged(w & 0xFF, f15) : flaggedGpr(w & 0xFFF, f15));
  }
  if (immediate) return flagged((w >> 16) & 0xFF, f31) + ", " + flagged(w & 0xFFF, f15);
  return flaggedGpr((w >> 16) & 0xFFF, f31) + ", " + flaggedGpr(w & 0xFFF, f15);
}

// Appends " x" (the first operand) or ", x" (the second) to s; true when x
// is shown in the plain register form naming a PSR. Written straight into
// the line: a program of thousands of lines is rendered at once.
bool appendOperand(std::string& s, std::uint32_t opcode, int which, bool immediate, std::uint32_t w) {
  s += which == 1 ? " " : ", ";
  if (isPackedSetSystem(opcode)) {
    s += packedOperand(withoutImmediateFlags(opcode), which, immediate, w);
    return false;
  }
  if (immediate) {
    appendDec(s, w);
    return false;
  }
  if (namesPsr(w)) {
    s += "PSR";
    appendDec(s, psrNumberOf(w));
    return true;
  }
  s += "GPR";
  appendDec(s, gprNumberOf(w));
  return false;
}

// The language or country code characters of a value: bits 23-16 (left out
// when zero), 15-8 and 7-0, one 8-bit character each.
std::string codeCharacters(std::uint32_t v) {
  std::string s;
  if ((v >> 16) & 0xFF) s += char((v >> 16) & 0xFF);
  s += char((v >> 8) & 0xFF);
  s += char(v & 0xFF);
  return s;
}

}  // namespace

std::string hex8(std::uint32_t v) { return hexText(v, 8); }

std::string lineNumberText(std::size_t line) { return zeroPadded(line, 4); }

const std::array<std::string, 5>& commandGridHeader() {
  static const std::array<std::string, 5> h = {"No.", "Opcode", "Destinat.", "Source", "Command line"};
  return h;
}

std::string commandLine(const NavCommand& c, CommandContext context) {
  const OpcodeFields f = decodeOpcode(c.opcode);
  const bool valid = isValidOpcode(c.opcode);
  const bool forbidden = valid && isForbiddenOpcode(c.opcode, context);

  std::string s;
  s.reserve(48);  // most lines without a PSR comment fit
  if (!valid) s.push_back('!');
  else if (forbidden) s.push_back('*');
  s += commandName(c.opcode);

  const bool psr1 = f.operandCount != 0 && appendOperand(s, c.opcode, 1, f.dstImmediate, c.dst);
  const bool psr2 = f.operandCount >= 2 && appendOperand(s, c.opcode, 2, f.srcImmediate, c.src);

  if (!valid) s += "  ; Invalid opcode";
  else if (forbidden) s += "  ; Forbidden opcode";

  if (!valid) return s;
  int p = -1;
  if (psr2) p = int(psrNumberOf(c.src));
  else if (psr1) p = int(psrNumberOf(c.dst));
  if (p < 0 || p >= int(kDescribedPsrs)) return s;
  s += "       ;PSR";
  appendDec(s, std::uint32_t(p));
  s += ": ";
  s += psrDescription(unsigned(p));
  if (p >= 16 && p <= 19) {
    s += "  [";
    s += codeCharacters(psr1 ? c.src : c.dst);
    s += ']';
  }
  return s;
}

namespace {

// hex8(v), with a space after it when `spaced`, built in place: a grid of
// thousands of rows is rendered at once, and the temporaries and copies of
// assigning each cell were a third of the time.
std::string hexCell(std::uint32_t v, bool spaced) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char buf[9];
  for (int i = 7; i >= 0; --i, v >>= 4) buf[i] = kDigits[v & 0xF];
  buf[8] = ' ';
  return std::string(buf, spaced ? 9 : 8);
}

}  // namespace

CommandRow commandRow(const NavCommand& c, std::size_t line, CommandContext context) {
  const int count = operandCountOfWord(c.opcode);
  // Each cell is constructed where it lies.
  return CommandRow{{lineNumberText(line), hexCell(c.opcode, false), hexCell(c.dst, count != 0),
                     hexCell(c.src, count == 2), commandLine(c, context)}};
}

std::vector<CommandRow> renderProgram(const CommandList& program, CommandContext context, Reporter& rep) {
  std::vector<CommandRow> rows;
  rows.reserve(program.size());
  if (!program.empty()) rep.setStatusPanel("Building commands...", 0);
  for (std::size_t i = 0; i < program.size(); ++i) {
    if (i % 128 == 0) rep.setStatusPanel(std::to_string(i + 1) + "/" + std::to_string(program.size()), 1);
    rows.push_back(commandRow(program[i], i, context));
  }
  rep.setStatusReady();
  return rows;
}

bool invalidLineBeeps(std::string_view commandLine) {
  return !commandLine.empty() && commandLine.front() == '!';
}

bool renderBeeps(const NavCommand& c, CommandContext context, bool forcedBeep) {
  return forcedBeep && context == CommandContext::ButtonCommands && !isValidOpcode(c.opcode);
}

}  // namespace mirdal
