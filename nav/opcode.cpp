#include "nav/opcode.h"

#include <algorithm>
#include <array>

namespace mirdal {

namespace {

struct SubGroupTable {
  std::vector<std::string_view> names;  // options 0, 1, ... up to the first empty slot
  std::vector<int> counts;              // operand counts, same index
};

// [group][sub-group]; slots not listed are empty.
const std::array<std::array<SubGroupTable, 8>, 3>& tables() {
  static const std::array<std::array<SubGroupTable, 8>, 3> t = [] {
    std::array<std::array<SubGroupTable, 8>, 3> r{};
    r[0][0] = {{"NOP", "GoTo", "Break"}, {0, 1, 0}};
    r[0][1] = {{"Jump Object", "Jump Title", "Call Object", "Call Title", "Resume"}, {1, 1, 1, 1, 0}};
    r[0][2] = {{"Play PL", "Play PL_PI", "Play PL_MK", "Terminate PL", "Link PI", "Link MK"},
               {1, 2, 2, 0, 1, 1}};
    r[1][0] = {{"--", "BC", "EQ", "NE", "GE", "GT", "LE", "LT"}, {0, 2, 2, 2, 2, 2, 2, 2}};
    r[2][0] = {{"---", "Move", "Swap", "Add", "Sub", "Mul", "Div", "Mod", "Rnd", "And", "Or", "Xor",
                "Bit Set", "Bit Clear", "Shift Left", "Shift Right"},
               {0, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}};
    r[2][1] = {{"---", "SetStream", "SetNVTimer", "SetButtonPage", "EnableButton", "DisableButton",
                "SetSecondaryStream", "PopUpMenu Off", "Still On", "Still Off"},
               {0, 2, 2, 2, 1, 1, 2, 0, 0, 0}};
    return r;
  }();
  return t;
}

const std::array<std::vector<std::string_view>, 3> kSubGroupNames = {{
    {"GoTo", "Jump", "Play"},
    {"-"},
    {"Set", "SetSystem"},
}};

std::vector<std::uint32_t> buildValidWords() {
  std::vector<std::uint32_t> v = {
      0x00000000,                                      // NOP
      0x20010000, 0x20810000,                          // GoTo
      0x00020000,                                      // Break
      0x21000000, 0x21800000, 0x21010000, 0x21810000,  // Jump Object, Jump Title
      0x21020000, 0x21820000, 0x21030000, 0x21830000,  // Call Object, Call Title
      0x01040000,                                      // Resume
      0x22000000, 0x22800000,                          // Play PL
      0x42010000, 0x42410000, 0x42810000, 0x42C10000,  // Play PL_PI
      0x42020000, 0x42420000, 0x42820000, 0x42C20000,  // Play PL_MK
      0x02030000,                                      // Terminate PL
      0x22040000, 0x22840000, 0x22050000, 0x22850000,  // Link PI, Link MK
      0x31000004, 0x31800004, 0x31000005, 0x31800005,  // EnableButton, DisableButton
      0x31000010, 0x31000011,                          // SetSystem options 16, 17
  };
  for (std::uint32_t nn : {0x01u, 0x02u, 0x03u, 0x06u})
    for (std::uint32_t flags : {0x00000000u, 0x00400000u, 0x00800000u, 0x00C00000u})
      v.push_back(0x51000000 | flags | nn);
  for (std::uint32_t nn = 1; nn <= 9; ++nn) v.push_back(0x11000000 | nn);
  for (std::uint32_t n = 1; n <= 7; ++n) {
    // The immediate-destination, register-source compare is not a valid form.
    for (std::uint32_t base : {0x48000000u, 0x48400000u, 0x48C00000u, 0x08000000u})
      v.push_back(base | (n << 8));
  }
  for (std::uint32_t nn = 1; nn <= 0xF; ++nn) {
    v.push_back(0x50000000 | nn);
    v.push_back(0x50400000 | nn);
    v.push_back(0x10000000 | nn);
  }
  std::sort(v.begin(), v.end());
  return v;
}

bool contains(const std::vector<std::uint32_t>& sorted, std::uint32_t w) {
  return std::binary_search(sorted.begin(), sorted.end(), w);
}

const std::vector<std::uint32_t>& validWords() {
  static const std::vector<std::uint32_t> v = buildValidWords();
  return v;
}

const std::vector<std::uint32_t>& forbiddenIn(CommandContext c) {
  static const std::vector<std::uint32_t> movie = [] {
    std::vector<std::uint32_t> v = {0x02030000, 0x22050000, 0x22850000, 0x22040000,
                                    0x22840000, 0x31000004, 0x31800004, 0x31000005,
                                    0x31800005, 0x11000007, 0x11000008, 0x11000009};
    std::sort(v.begin(), v.end());
    return v;
  }();
  static const std::vector<std::uint32_t> button = [] {
    std::vector<std::uint32_t> v = {0x22000000, 0x22800000, 0x42010000, 0x42810000,
                                    0x42410000, 0x42C10000, 0x42020000, 0x42820000,
                                    0x42420000, 0x42C20000};
    std::sort(v.begin(), v.end());
    return v;
  }();
  return c == CommandContext::MovieObject ? movie : button;
}

}  // namespace

OpcodeFields decodeOpcode(std::uint32_t op) {
  OpcodeFields f;
  f.operandCount = int(op >> 29);
  f.group = int((op >> 27) & 3);
  f.subGroup = int((op >> 24) & 7);
  f.dstImmediate = (op & kDstImmediateBit) != 0;
  f.srcImmediate = (op & kSrcImmediateBit) != 0;
  switch (f.group) {
    case 0: f.option = int((op >> 16) & 0xF); break;
    case 1: f.option = int((op >> 8) & 0xF); break;
    case 2: f.option = int(op & 0x1F); break;
    default: f.option = 0; break;
  }
  return f;
}

std::string_view commandName(int group, int subGroup, int option) {
  if (group < 0 || group > 2 || subGroup < 0 || subGroup > 7 || option < 0) return {};
  const auto& names = tables()[group][subGroup].names;
  return std::size_t(option) < names.size() ? names[option] : std::string_view{};
}

std::string_view commandName(std::uint32_t opcode) {
  const OpcodeFields f = decodeOpcode(opcode);
  return commandName(f.group, f.subGroup, f.option);
}

int operandCountOf(int group, int subGroup, int option) {
  if (group < 0 || group > 2 || subGroup < 0 || subGroup > 7 || option < 0) return 0;
  const auto& counts = tables()[group][subGroup].counts;
  return std::size_t(option) < counts.size() ? counts[option] : 0;
}

bool isValidOpcode(std::uint32_t opcode) { return contains(validWords(), opcode); }

bool isForbiddenOpcode(std::uint32_t opcode, CommandContext context) {
  return contains(forbiddenIn(context), opcode);
}

const std::vector<std::string_view>& groupNames() {
  static const std::vector<std::string_view> g = {"Branch", "Compare", "Set"};
  return g;
}

std::vector<std::string_view> subGroupNames(int group) {
  if (group < 0 || group > 2) return {};
  return kSubGroupNames[group];
}

std::vector<std::string_view> optionNames(int group, int subGroup) {
  if (group < 0 || group > 2 || subGroup < 0 || subGroup > 7) return {};
  return tables()[group][subGroup].names;
}

}  // namespace mirdal
