// The fields of a command's opcode word, the name and operand-count tables
// the command editor offers, and the valid and forbidden word sets.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace mirdal {

// Which list a program belongs to: a movie object's program or the command
// list of a menu button. The forbidden words differ between the two.
enum class CommandContext { MovieObject, ButtonCommands };

struct OpcodeFields {
  int operandCount = 0;  // bits 31-29
  int group = 0;         // bits 28-27: 0 Branch, 1 Compare, 2 Set, 3 unnamed
  int subGroup = 0;      // bits 26-24
  bool dstImmediate = false;  // bit 23
  bool srcImmediate = false;  // bit 22
  int option = 0;  // branch option (group 0), compare option (1), set option (2), 0 for group 3
};

constexpr std::uint32_t kDstImmediateBit = 0x00800000;
constexpr std::uint32_t kSrcImmediateBit = 0x00400000;
constexpr std::uint32_t kRegisterIsPsr = 0x80000000;

OpcodeFields decodeOpcode(std::uint32_t opcode);

constexpr int operandCountOfWord(std::uint32_t opcode) { return int(opcode >> 29); }

// Register numbers named by an operand in register form.
constexpr bool namesPsr(std::uint32_t operand) { return (operand & kRegisterIsPsr) != 0; }
constexpr unsigned psrNumberOf(std::uint32_t operand) { return operand & 0x7F; }
constexpr unsigned gprNumberOf(std::uint32_t operand) { return operand & 0xFFF; }

// Name of a word's [group][sub-group][option] slot; empty for group 3 and
// for slots without a name.
std::string_view commandName(std::uint32_t opcode);
std::string_view commandName(int group, int subGroup, int option);

// Operand-count table entry; 0 outside the table.
int operandCountOf(int group, int subGroup, int option);

bool isValidOpcode(std::uint32_t opcode);
// Forbidden words are always valid ones; an invalid word is never forbidden.
bool isForbiddenOpcode(std::uint32_t opcode, CommandContext context);

// Ordered item lists of the command editor; a list runs up to the first
// empty slot of its table.
const std::vector<std::string_view>& groupNames();
std::vector<std::string_view> subGroupNames(int group);
std::vector<std::string_view> optionNames(int group, int subGroup);

// The SetSystem commands whose operands pack flags and values:
// SetStream, SetButtonPage and SetSecondaryStream, whatever their immediate
// flags. Other bits set make the word an ordinary one.
constexpr std::uint32_t kSetStream = 0x51000001;
constexpr std::uint32_t kSetButtonPage = 0x51000003;
constexpr std::uint32_t kSetSecondaryStream = 0x51000006;
constexpr std::uint32_t withoutImmediateFlags(std::uint32_t opcode) {
  return opcode & ~(kDstImmediateBit | kSrcImmediateBit);
}
constexpr bool isPackedSetSystem(std::uint32_t opcode) {
  const std::uint32_t base = withoutImmediateFlags(opcode);
  return base == kSetStream || base == kSetButtonPage || base == kSetSecondaryStream;
}

}  // namespace mirdal
