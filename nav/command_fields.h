// The field editor of a movie object's command line: what it shows for a
// command and how each of its controls changes the command. Each action
// changes the command; the view then re-renders the row and shows
// editorViewOf() of the result again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nav/command.h"

namespace mirdal {

// Items of the operand kind lists, in this order: "GPR", "PSR", "Imm".
enum class OperandKind { GPR = 0, PSR = 1, Imm = 2 };
const std::vector<std::string_view>& operandKindNames();

struct OperandEditorView {
  bool enabled = false;  // kind list, number field and hex field
  bool checked = false;  // the "in use" check box
  OperandKind kind = OperandKind::GPR;
  std::uint32_t number = 0;  // the number field: register number or value
  std::uint32_t word = 0;    // the hex field
};

struct CommandEditorView {
  int group = 0, subGroup = 0, option = 0;  // selections of the three lists
  std::vector<std::string_view> subGroupItems;
  std::vector<std::string_view> optionItems;
  std::uint32_t opcode = 0;
  OperandEditorView op[2];  // destination, source
  std::string gridHint;     // "Navigation commands" or "PSR<n>: <description>"
};

CommandEditorView editorViewOf(const NavCommand& c);

// The three lists.
void chooseGroup(NavCommand& c, int group);
void chooseSubGroup(NavCommand& c, int subGroup);
// Also sets the operand check boxes (and so the operand count) from the
// operand-count table.
void chooseOption(NavCommand& c, int option);

// The "in use" check box of operand 0 (destination) or 1 (source): leaving
// the destination unchecked also unchecks the source, checking the source
// also checks the destination; the operand count follows the two boxes.
void setOperandInUse(NavCommand& c, int operand, bool checked);

// The kind list of an operand.
void chooseOperandKind(NavCommand& c, int operand, OperandKind kind);

// Leaving the number field: the number typed becomes the operand word; a PSR
// number gets the PSR selector bit (0x80000000 subtracted modulo 2^32).
void enterOperandNumber(NavCommand& c, int operand, std::uint32_t number);

// Leaving the hex fields. An opcode of 0 clears both operands.
void enterOpcodeWord(NavCommand& c, std::uint32_t opcode);
void enterOperandWord(NavCommand& c, int operand, std::uint32_t word);

// The number field accepts up to 10 decimal digits; a value beyond 32 bits
// or anything else is refused (the field shows the old value again).
std::optional<std::uint32_t> parseOperandNumber(std::string_view text);
// The hex fields take up to 8 hexadecimal digits.
std::optional<std::uint32_t> parseHexWord(std::string_view text);

}  // namespace mirdal
