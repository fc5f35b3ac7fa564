// The interpreter's register rules as tables of programs: registers set
// before, the program run from line 0, the registers it leaves. The
// interpreter's own tests run them on a bare register file; the disc
// player's run them again as the movie object of a disc, so the rules are
// seen to hold inside the disc emulation too.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "nav/command.h"
#include "nav/register_settings.h"

namespace mirdal::test {

struct RegisterCase {
  std::string name;
  CommandList program;
  std::vector<RegisterSetting> before, after;
};

inline RegisterSetting gpr(unsigned n, std::uint32_t v) { return {false, n, v}; }
inline RegisterSetting psr(unsigned n, std::uint32_t v) { return {true, n, v}; }

inline std::string hexText(std::uint32_t v) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  do {
    s.insert(s.begin(), digits[v & 15]);
    v >>= 4;
  } while (v);
  return s;
}

// Set with a register destination and an immediate source on GPR3.
inline std::vector<RegisterCase> setOperationCases() {
  struct Row {
    std::uint32_t op;  // set option
    std::uint32_t n, m, result;
  } rows[] = {
      {0x1, 7, 5, 5},
      {0x3, 0xFFFFFFFF, 2, 1},
      {0x4, 10, 11, 0xFFFFFFFF},
      {0x5, 0x10000, 0x10001, 0x10000},
      {0x6, 7, 2, 3},
      {0x6, 7, 0, 0xFFFFFFFF},
      {0x7, 7, 2, 1},
      {0x7, 7, 0, 0xFFFFFFFF},
      {0x9, 0xF0F0, 0xFF00, 0xF000},
      {0xA, 0xF0F0, 0xFF00, 0xFFF0},
      {0xB, 0xF0F0, 0xFF00, 0x0FF0},
      {0xC, 0, 33, 2},
      {0xC, 0, 31, 0x80000000},
      {0xD, 0xFFFFFFFF, 32, 0xFFFFFFFE},
      {0xD, 0x4, 0, 0x4},
      {0xE, 3, 33, 6},
      {0xE, 3, 31, 0x80000000},
      {0xF, 0x80000000, 31, 1},
      {0xF, 0x80000000, 64, 0x80000000},
  };
  std::vector<RegisterCase> out;
  for (const Row& r : rows)
    out.push_back({"option " + hexText(r.op) + " n=" + hexText(r.n) + " m=" + hexText(r.m),
                   {{0x50400000 | r.op, 3, r.m}},
                   {gpr(3, r.n)},
                   {gpr(3, r.result)}});
  return out;
}

// A compare on GPR0 and an immediate; the line after it (GPR9 = 1) runs
// only when it is true.
inline std::vector<RegisterCase> compareCases() {
  struct Row {
    std::uint32_t opcode, n, m;
    bool result;
  } rows[] = {
      {0x48400100, 6, 3, true},   {0x48400100, 4, 3, false},
      {0x48400200, 3, 3, true},   {0x48400200, 3, 4, false},
      {0x48400300, 3, 4, true},   {0x48400300, 4, 4, false},
      {0x48400400, 4, 4, true},   {0x48400400, 3, 4, false},
      {0x48400500, 5, 4, true},   {0x48400500, 4, 4, false},
      {0x48400600, 4, 4, true},   {0x48400600, 5, 4, false},
      {0x48400700, 3, 4, true},   {0x48400700, 0xFFFFFFFF, 1, false},
      {0x48400000, 0, 0, false},  // no comparison: the false start value
      {0x48400A00, 3, 3, true},   // bits 10-8 choose the comparison
  };
  std::vector<RegisterCase> out;
  for (const Row& r : rows)
    out.push_back({hexText(r.opcode) + " " + hexText(r.n) + " " + hexText(r.m),
                   {{r.opcode, 0, r.m}, {0x50400001, 9, 1}, {0x00020000, 0, 0}},
                   {gpr(0, r.n)},
                   {gpr(9, r.result ? 1 : 0)}});
  // Compare option 0 keeps the previous result of the same program.
  out.push_back({"option 0 keeps the result", {{0x48400200, 0, 0}, {0x48400000, 0, 0}, {0x50400001, 9, 1}}, {},
                 {gpr(9, 1)}});
  // The immediate-destination form is invalid but runs by the same rules.
  out.push_back({"immediate destination", {{0x48800200, 7, 5}, {0x50400001, 8, 1}}, {}, {gpr(8, 0)}});
  return out;
}

// SetStream on PSR0-3, with immediate and register operands.
inline std::vector<RegisterCase> setStreamCases() {
  struct Row {
    NavCommand c;
    std::array<std::uint32_t, 4> psr0to3;
  } rows[] = {
      // Start values: PSR0 11, PSR1 22, PSR2 0xF0F0F0F0, PSR3 44.
      {{0x51C00001, 0x80058000, 0x00000000}, {11, 5, 0x00F00000, 44}},
      {{0x51C00001, 0x0005C123, 0x80078009}, {7, 22, 0x80F00123, 9}},
      {{0x51C00001, 0x00000000, 0x00070009}, {11, 22, 0xF0F0F0F0, 44}},
      // Register forms: the GPR numbers in the packed fields give the values.
      {{0x51000001, 0x80018002, 0x80038004}, {0x33, 0x11, 0x00F00222, 0x44}},
  };
  std::vector<RegisterCase> out;
  for (const Row& r : rows) {
    RegisterCase c{"SetStream " + hexText(r.c.dst) + " " + hexText(r.c.src), {r.c},
                   {psr(0, 11), psr(1, 22), psr(2, 0xF0F0F0F0), psr(3, 44), gpr(1, 0x111), gpr(2, 0xF222),
                    gpr(3, 0x133), gpr(4, 0x144)},
                   {}};
    for (unsigned i = 0; i < 4; ++i) c.after.push_back(psr(i, r.psr0to3[i]));
    out.push_back(c);
  }
  return out;
}

// Every table above.
inline std::vector<RegisterCase> allRegisterCases() {
  std::vector<RegisterCase> all;
  for (auto&& table : {setOperationCases(), compareCases(), setStreamCases()})
    all.insert(all.end(), table.begin(), table.end());
  return all;
}

}  // namespace mirdal::test
