#include "nav/command_fields.h"

#include <charconv>

#include "nav/opcode.h"
#include "nav/psr_names.h"

namespace mirdal {

namespace {

constexpr std::uint32_t kCountMask = 0xE0000000;

bool isStreamCommand(std::uint32_t opcode) {
  const std::uint32_t base = withoutImmediateFlags(opcode);
  return base == kSetStream || base == kSetSecondaryStream;
}

std::uint32_t& operandWord(NavCommand& c, int operand) { return operand == 0 ? c.dst : c.src; }
std::uint32_t immediateBit(int operand) { return operand == 0 ? kDstImmediateBit : kSrcImmediateBit; }

bool dstInUse(std::uint32_t opcode) { return (opcode >> 29) % 4 != 0; }
bool srcInUse(std::uint32_t opcode) { return (opcode & 0x40000000) != 0; }

void setOperandCount(NavCommand& c, bool op1, bool op2) {
  const std::uint32_t count = (op1 ? 1u : 0u) + (op2 ? 1u : 0u);
  c.opcode = (c.opcode & ~kCountMask) | (count << 29);
}

}  // namespace

const std::vector<std::string_view>& operandKindNames() {
  static const std::vector<std::string_view> k = {"GPR", "PSR", "Imm"};
  return k;
}

CommandEditorView editorViewOf(const NavCommand& c) {
  CommandEditorView v;
  const OpcodeFields f = decodeOpcode(c.opcode);
  v.group = f.group;
  v.subGroup = f.subGroup;
  v.option = f.option;
  v.subGroupItems = subGroupNames(f.group);
  v.optionItems = optionNames(f.group, f.subGroup);
  v.opcode = c.opcode;
  v.gridHint = "Navigation commands";

  const bool inUse[2] = {dstInUse(c.opcode), srcInUse(c.opcode)};
  const bool immediate[2] = {f.dstImmediate, f.srcImmediate};
  const std::uint32_t words[2] = {c.dst, c.src};
  for (int i = 0; i < 2; ++i) {
    OperandEditorView& o = v.op[i];
    o.enabled = o.checked = inUse[i];
    o.word = o.number = words[i];
    if (immediate[i]) {
      o.kind = OperandKind::Imm;
    } else if (isStreamCommand(c.opcode)) {
      // Their register references always name GPRs and pack several numbers;
      // the number field shows the whole word.
      o.kind = OperandKind::GPR;
    } else if (namesPsr(words[i])) {
      o.kind = OperandKind::PSR;
      o.number = psrNumberOf(words[i]);
      if (o.number <= 40)
        v.gridHint = "PSR" + std::to_string(o.number) + ": " + std::string(psrDescription(o.number));
    } else {
      o.kind = OperandKind::GPR;
      o.number = gprNumberOf(words[i]);
    }
  }
  return v;
}

void chooseGroup(NavCommand& c, int group) {
  // Operand count and immediate flags stay; sub-group and options restart.
  c.opcode = (std::uint32_t(group & 3) << 27) + (c.opcode & 0xE0C00000);
}

void chooseSubGroup(NavCommand& c, int subGroup) {
  c.opcode = (std::uint32_t(subGroup & 7) << 24) + (c.opcode & 0xF8C00000);
}

void chooseOption(NavCommand& c, int option) {
  const OpcodeFields f = decodeOpcode(c.opcode);
  std::uint32_t value;
  switch (f.group) {
    case 0: value = std::uint32_t(option & 0xF) << 16; break;
    case 1: value = std::uint32_t(option & 0xF) << 8; break;
    case 2: value = std::uint32_t(option & 0x1F); break;
    default: return;  // group 3 has no options
  }
  c.opcode = value + (c.opcode & 0xFFF00000);
  const int count = operandCountOf(f.group, f.subGroup, option);
  setOperandCount(c, count >= 1, count == 2);
}

void setOperandInUse(NavCommand& c, int operand, bool checked) {
  bool op1 = dstInUse(c.opcode), op2 = srcInUse(c.opcode);
  if (operand == 0) {
    op1 = checked;
    if (!checked) op2 = false;
  } else {
    op2 = checked;
    if (checked) op1 = true;
  }
  setOperandCount(c, op1, op2);
}

void chooseOperandKind(NavCommand& c, int operand, OperandKind kind) {
  const std::uint32_t imm = immediateBit(operand);
  if (kind == OperandKind::Imm) {
    c.opcode |= imm;
    return;
  }
  c.opcode &= ~imm;
  if (isStreamCommand(c.opcode)) return;  // bit 31 is one of their flags
  std::uint32_t& w = operandWord(c, operand);
  w = kind == OperandKind::PSR ? (w | kRegisterIsPsr) : (w & ~kRegisterIsPsr);
}

void enterOperandNumber(NavCommand& c, int operand, std::uint32_t number) {
  const OperandKind kind = editorViewOf(c).op[operand].kind;
  operandWord(c, operand) = kind == OperandKind::PSR ? number - kRegisterIsPsr : number;
}

void enterOpcodeWord(NavCommand& c, std::uint32_t opcode) {
  c.opcode = opcode;
  if (opcode == 0) c.dst = c.src = 0;
}

void enterOperandWord(NavCommand& c, int operand, std::uint32_t word) {
  operandWord(c, operand) = word;
}

std::optional<std::uint32_t> parseOperandNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::uint64_t v = 0;
  const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 10);
  if (ec != std::errc() || p != text.data() + text.size() || v > 0xFFFFFFFFull) return std::nullopt;
  return std::uint32_t(v);
}

std::optional<std::uint32_t> parseHexWord(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t v = 0;
  const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 16);
  if (ec != std::errc() || p != text.data() + text.size()) return std::nullopt;
  return v;
}

}  // namespace mirdal
