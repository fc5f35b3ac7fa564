#include "nav/command_assembler.h"

#include <array>
#include <string>
#include <vector>

#include "nav/opcode.h"

namespace mirdal {

namespace {

// Bit 20 is interpreted by no command and set in no valid word: it keeps a
// line marked "!" invalid without changing what the line shows.
constexpr std::uint32_t kInvalidMarkBit = 0x00100000;

struct CommandSlot {
  int group = 0, subGroup = 0, option = 0;
};

struct NameEntry {
  std::string_view name;
  CommandSlot slot;
};

// Every named slot; "---" comes twice (Set and SetSystem), the Set one
// first.
const std::vector<NameEntry>& nameTable() {
  static const std::vector<NameEntry> t = [] {
    std::vector<NameEntry> r;
    for (int g = 0; g < 3; ++g)
      for (int s = 0; s < 8; ++s) {
        const std::vector<std::string_view> names = optionNames(g, s);
        for (std::size_t o = 0; o < names.size(); ++o) r.push_back({names[o], {g, s, int(o)}});
      }
    return r;
  }();
  return t;
}

// SetSystem options 16 and 17 have no name: a line without one that names a
// register is the first of them.
constexpr CommandSlot kUnnamedSetSystem{2, 1, 16};
constexpr CommandSlot kGroup3{3, 0, 0};

std::uint32_t opcodeWord(int count, CommandSlot s, bool dstImmediate, bool srcImmediate) {
  std::uint32_t w = std::uint32_t(count) << 29 | std::uint32_t(s.group) << 27 | std::uint32_t(s.subGroup) << 24;
  if (dstImmediate) w |= kDstImmediateBit;
  if (srcImmediate) w |= kSrcImmediateBit;
  const auto o = std::uint32_t(s.option);
  if (s.group == 0) w |= o << 16;
  else if (s.group == 1) w |= o << 8;
  else if (s.group == 2) w |= o;
  return w;
}

char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The length of the text at p matching `name` (either case, a blank of the
// name matching one or more blanks), ending where a word ends; 0 if none.
std::size_t matchName(std::string_view t, std::size_t p, std::string_view name) {
  std::size_t j = p;
  for (char c : name) {
    if (c == ' ') {
      if (j >= t.size() || !isBlank(t[j])) return 0;
      while (j < t.size() && isBlank(t[j])) ++j;
    } else {
      if (j >= t.size() || upper(t[j]) != upper(c)) return 0;
      ++j;
    }
  }
  if (j < t.size() && !isBlank(t[j]) && t[j] != ',' && t[j] != ';') return 0;
  return j - p;
}

struct Item {
  ScannedValue v;
  bool parenthesized = false;
  std::size_t column = 0;  // of the item, its "(" included
  bool number() const { return v.kind == ScannedValue::Kind::Number; }
  std::uint32_t word() const { return v.kind == ScannedValue::Kind::PSR ? kRegisterIsPsr | v.value : v.value; }
};

constexpr std::size_t kMaxItems = 4;  // SetStream and SetSecondaryStream: two values per operand

struct ParsedLine {
  bool invalidMark = false;
  std::size_t nameColumn = 0;
  std::string_view name;        // as written; empty when the line has none
  // What the name names: one slot, two for "---"; none without a name.
  std::array<CommandSlot, 2> slots{};
  std::size_t slotCount = 0;
  std::array<Item, kMaxItems> items;
  std::size_t count = 0;
  std::size_t end = 0;  // where the operands end (a comment or the line's end)
};

std::string operandsText(std::size_t n) {
  if (n == 0) return "no operand";
  return n == 1 ? "1 operand" : std::to_string(n) + " operands";
}

class Assembler {
 public:
  Assembler(std::string_view line, std::size_t start) : s_(line, start) {}

  NavCommand run() {
    parse();
    if (p_.invalidMark) return invalidWord();
    if (packed() && p_.count > 0) return packedWord();
    return plainWord();
  }

 private:
  void parse() {
    s_.skipBlanks();
    if (s_.accept('!')) p_.invalidMark = true;
    else s_.accept('*');
    s_.skipBlanks();
    p_.nameColumn = s_.pos();
    parseName();
    parseItems();
  }

  void parseName() {
    const std::string_view t = s_.text();
    std::size_t best = 0;
    for (const NameEntry& e : nameTable()) {
      const std::size_t n = matchName(t, s_.pos(), e.name);
      if (n > best) {
        best = n;
        p_.slots[0] = e.slot;
        p_.slotCount = 1;
      } else if (n == best && n > 0) {
        if (p_.slotCount < p_.slots.size()) p_.slots[p_.slotCount++] = e.slot;
      }
    }
    if (best > 0) {
      p_.name = t.substr(s_.pos(), best);
      s_.setPos(s_.pos() + best);
      return;
    }
    if (s_.atValue() || s_.peek() == '(') return;  // no name: the operands follow at once
    if (s_.atLineEnd()) {
      if (p_.invalidMark) return;  // "!  ; Invalid opcode": no name, no operand
      s_.fail(p_.nameColumn, "expected a command name");
    }
    s_.fail(p_.nameColumn, "unknown command '" + std::string(s_.wordAt(p_.nameColumn)) +
                               "': expected a command name such as Move, GoTo or Jump Title");
  }

  void parseItems() {
    if (s_.atLineEnd()) {
      p_.end = s_.pos();
      return;
    }
    const char* expected = "expected a register or a number";
    for (;;) {
      if (p_.count == kMaxItems) s_.fail(s_.pos(), "expected the end of the line: too many operands");
      Item& it = p_.items[p_.count++];
      it.column = s_.pos();
      if (s_.accept('(')) {
        it.parenthesized = true;
        s_.skipBlanks();
        it.v = s_.value(expected);
        s_.skipBlanks();
        if (!s_.accept(')')) s_.fail(s_.pos(), "expected ')'");
      } else {
        it.v = s_.value(expected);
      }
      if (s_.atLineEnd()) break;
      if (!s_.accept(',')) s_.fail(s_.pos(), "expected ',' or the end of the line, not '" +
                                                 std::string(s_.wordAt(s_.pos())) + "'");
      s_.skipBlanks();
      expected = "expected a register or a number after ','";
    }
    p_.end = s_.pos();
  }

  std::string nameText() const { return p_.name.empty() ? std::string("the command") : std::string(p_.name); }

  void noParentheses() const {
    for (std::size_t i = 0; i < p_.count; ++i)
      if (p_.items[i].parenthesized)
        s_.fail(p_.items[i].column,
                "expected a register or a number without parentheses (only SetStream, SetButtonPage and "
                "SetSecondaryStream put unused values in parentheses)");
  }

  // A word of the fields the line shows, made invalid where they would make
  // a valid one.
  NavCommand invalidWord() const {
    if (p_.count > 2) s_.fail(p_.items[2].column, "expected the end of the line: a command has at most 2 operands");
    noParentheses();
    const CommandSlot slot = p_.slotCount == 0 ? kGroup3 : p_.slots[0];
    NavCommand c;
    c.opcode = opcodeWord(int(p_.count), slot, p_.count >= 1 && p_.items[0].number(),
                          p_.count >= 2 && p_.items[1].number());
    if (isValidOpcode(c.opcode)) c.opcode |= kInvalidMarkBit;
    if (p_.count >= 1) c.dst = p_.items[0].word();
    if (p_.count >= 2) c.src = p_.items[1].word();
    return c;
  }

  // The slots a line may mean, with how many there are.
  std::pair<std::array<CommandSlot, 2>, std::size_t> candidates() const {
    if (p_.slotCount == 0) return {{kUnnamedSetSystem, CommandSlot{2, 1, 17}}, 2};
    return {p_.slots, p_.slotCount};
  }

  NavCommand plainWord() const {
    if (p_.count <= 2) {
      const bool d = p_.count >= 1 && p_.items[0].number(), s = p_.count >= 2 && p_.items[1].number();
      const auto [slots, n] = candidates();
      for (std::size_t k = 0; k < n; ++k) {
        const std::uint32_t w = opcodeWord(int(p_.count), slots[k], d, s);
        if (!isValidOpcode(w)) continue;
        noParentheses();
        NavCommand c{w, 0, 0};
        if (p_.count >= 1) c.dst = p_.items[0].word();
        if (p_.count >= 2) c.src = p_.items[1].word();
        return c;
      }
    }
    explainPlain();
  }

  // Why no valid word has the name, operand count and operand kinds of the
  // line: the first operand (or the missing one) that does not fit.
  [[noreturn]] void explainPlain() const {
    struct Form {
      std::size_t count;
      bool d, s;
    };
    std::vector<Form> forms;
    const auto [slots, slotCount] = candidates();
    for (std::size_t k = 0; k < slotCount; ++k)
      for (std::size_t n = 0; n <= 2; ++n)
        for (int f = 0; f < 4; ++f) {
          const bool d = f & 1, s = f & 2;
          if ((d && n < 1) || (s && n < 2)) continue;
          if (isValidOpcode(opcodeWord(int(n), slots[k], d, s))) forms.push_back({n, d, s});
        }
    const std::size_t n = p_.count;
    if (p_.slotCount == 0) {
      const std::size_t at = n > 0 ? p_.items[0].column : p_.nameColumn;
      s_.fail(at, "expected a command name, not '" + std::string(s_.wordAt(at)) + "'");
    }
    if (forms.empty())
      s_.fail(p_.nameColumn, "'" + nameText() + "' is no valid command; write '!" + nameText() +
                                 "' to keep an invalid word");
    std::size_t maxCount = 0, above = 3;
    bool countFits = false;
    for (const Form& f : forms) {
      maxCount = std::max(maxCount, f.count);
      countFits |= f.count == n;
      if (f.count > n) above = std::min(above, f.count);
    }
    if (!countFits) {
      if (n > maxCount)
        s_.fail(p_.items[maxCount].column,
                "expected the end of the line: " + nameText() + " takes " + operandsText(maxCount));
      s_.fail(p_.end, std::string(n == 0 ? "expected an operand" : "expected ',' and another operand") + ": " +
                          nameText() + " takes " + operandsText(above));
    }
    for (std::size_t i = 0; i < n; ++i) {
      bool fits = false;
      for (const Form& f : forms)
        if (f.count == n && f.d == p_.items[0].number() && (i < 1 || f.s == p_.items[1].number())) fits = true;
      if (!fits) {
        const Item& it = p_.items[i];
        s_.fail(it.column, std::string(it.number() ? "expected a register" : "expected a number") + ", not '" +
                               std::string(s_.wordAt(it.column)) + "' (" + nameText() + " takes " +
                               (it.number() ? "a register" : "a number") + " here)");
      }
    }
    s_.fail(p_.nameColumn, "'" + nameText() + "' with these operands is no valid command");
  }

  bool packed() const {
    return p_.slotCount == 1 && isPackedSetSystem(opcodeWord(2, p_.slots[0], false, false));
  }

  // A value of a packed operand in its field: a number up to `max`, or a
  // GPR when `registerForm`. Errors point at the value, inside any "(".
  std::uint32_t field(const Item& it, bool registerForm, std::uint32_t max) const {
    if (it.v.kind == ScannedValue::Kind::PSR)
      s_.fail(it.v.column, "expected a GPR or a number, not '" + std::string(s_.wordAt(it.v.column)) + "' (" +
                             nameText() + " names no PSR)");
    if (registerForm && it.number())
      s_.fail(it.v.column, "expected a GPR like the register before it, not '" +
                             std::string(s_.wordAt(it.v.column)) + "'");
    if (!registerForm && !it.number())
      s_.fail(it.v.column, "expected a number like the value before it, not '" +
                             std::string(s_.wordAt(it.v.column)) + "'");
    if (!registerForm && it.v.value > max)
      s_.fail(it.v.column, "number out of range: " + std::to_string(it.v.value) + " (0 to " + std::to_string(max) +
                             " here)");
    return it.v.value;
  }

  static std::uint32_t flag(const Item& it, std::uint32_t bit) { return it.parenthesized ? 0 : bit; }

  // Two flagged values of one operand: the first in bits 23-16 (27-16 for a
  // GPR) with its flag in bit 31, the second in the low bits with bit 15.
  // The first value tells the immediate form, except in SetSecondaryStream's
  // destination, whose first value is a number in both forms.
  std::uint32_t pair(const Item& a, const Item& b, std::uint32_t maxA, std::uint32_t maxB, bool firstAlwaysNumber,
                     bool& immediate) const {
    immediate = firstAlwaysNumber ? b.number() : a.number();
    if (firstAlwaysNumber && !a.number())
      s_.fail(a.v.column, "expected a number, not '" + std::string(s_.wordAt(a.v.column)) + "' (" + nameText() +
                              " takes a number first)");
    const std::uint32_t va = firstAlwaysNumber ? field(a, false, maxA) : field(a, !immediate, maxA);
    const std::uint32_t vb = field(b, !immediate, maxB);
    return flag(a, 0x80000000) | va << 16 | flag(b, 0x8000) | vb;
  }

  NavCommand packedWord() const {
    const CommandSlot slot = p_.slots[0];
    const std::uint32_t base = opcodeWord(2, slot, false, false);
    const std::size_t need = base == kSetButtonPage ? 2 : 4;
    const std::string perOperand = base == kSetButtonPage ? "one" : "two";
    if (p_.count < need)
      s_.fail(p_.end, "expected ',' and another value: " + nameText() + " takes " + std::to_string(need) +
                          " values, " + perOperand + " per operand");
    if (p_.count > need)
      s_.fail(p_.items[need].column, "expected the end of the line: " + nameText() + " takes " +
                                         std::to_string(need) + " values");
    const auto& it = p_.items;
    bool dImm = false, sImm = false;
    NavCommand c;
    if (base == kSetButtonPage) {
      dImm = it[0].number();
      sImm = it[1].number();
      c.dst = flag(it[0], 0x80000000) | field(it[0], !dImm, 0xFFFF);
      c.src = flag(it[1], 0x80000000) | field(it[1], !sImm, 0xFF);
    } else if (base == kSetStream) {
      c.dst = pair(it[0], it[1], 0xFF, 0xFFF, false, dImm);
      c.src = pair(it[2], it[3], 0xFF, 0xFF, false, sImm);
    } else {  // SetSecondaryStream
      c.dst = pair(it[0], it[1], 0xF, 0xFF, true, dImm);
      c.src = pair(it[2], it[3], 0xFF, 0xFFF, false, sImm);
    }
    c.opcode = opcodeWord(2, slot, dImm, sImm);
    return c;
  }

  LineScanner s_;
  ParsedLine p_;
};

}  // namespace

AssembledCommand assembleCommand(std::string_view line, std::size_t lineNumber, std::size_t start) {
  AssembledCommand r;
  try {
    r.command = Assembler(line, start).run();
  } catch (TextError& e) {
    e.line = lineNumber;
    r.error = std::move(e);
  }
  return r;
}

}  // namespace mirdal
