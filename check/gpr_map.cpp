#include "check/gpr_map.h"

#include <algorithm>
#include <map>

#include "check/context.h"
#include "check/rule_set.h"
#include "nav/opcode.h"

namespace mirdal {

bool GprEntry::read() const { return count(Access::Read) != 0; }
bool GprEntry::written() const { return count(Access::Write) != 0; }
std::size_t GprEntry::count(Access a) const {
  return std::size_t(std::count_if(uses.begin(), uses.end(), [a](const GprUse& u) { return u.access == a; }));
}

const GprEntry* GprMap::find(unsigned gpr) const {
  const auto it = std::lower_bound(registers.begin(), registers.end(), gpr,
                                   [](const GprEntry& e, unsigned g) { return e.gpr < g; });
  return it != registers.end() && it->gpr == gpr ? &*it : nullptr;
}

std::vector<RegisterAccess> gprAccesses(const NavCommand& c) {
  std::vector<RegisterAccess> out;
  if (!isValidOpcode(c.opcode)) return out;
  const OpcodeFields f = decodeOpcode(c.opcode);
  if (f.operandCount == 0) return out;
  const auto plain = [&](std::uint32_t operand, bool immediate, Access a) {
    if (immediate || namesPsr(operand)) return;
    // Add GPR1, GPR1 reads GPR1 once.
    const RegisterAccess r{gprNumberOf(operand), a, AccessForm::Direct};
    for (const RegisterAccess& o : out)
      if (o.gpr == r.gpr && o.access == r.access && o.form == r.form) return;
    out.push_back(r);
  };
  if (isPackedSetSystem(c.opcode)) {
    // Register form: the operands hold GPR numbers, flags beside them.
    const std::uint32_t base = withoutImmediateFlags(c.opcode);
    const auto packed = [&](std::uint32_t w, bool immediate, int which) {
      if (immediate) return;
      const auto use = [&](unsigned gpr) { out.push_back({gpr, Access::Read, AccessForm::Indirect}); };
      if (base == kSetButtonPage) {
        use(w & 0xFFF);
      } else if (base == kSetStream) {
        use((w >> 16) & 0xFFF);
        use(w & 0xFFF);
      } else if (which == 1) {  // SetSecondaryStream: the first value stays immediate
        use(w & 0xFFF);
      } else {
        use((w >> 16) & 0xFFF);
        use(w & 0xFFF);
      }
    };
    packed(c.dst, f.dstImmediate, 1);
    if (f.operandCount >= 2) packed(c.src, f.srcImmediate, 2);
    return out;
  }
  if (f.group == 2 && f.subGroup == 0) {  // Set
    const int op = f.option;
    if (op == 1 || op == 8) {  // Move, Rnd: the destination is only written
      plain(c.src, f.srcImmediate, Access::Read);
      plain(c.dst, f.dstImmediate, Access::Write);
    } else if (op == 2) {  // Swap
      plain(c.dst, f.dstImmediate, Access::Read);
      plain(c.src, f.srcImmediate, Access::Read);
      plain(c.dst, f.dstImmediate, Access::Write);
      plain(c.src, f.srcImmediate, Access::Write);
    } else {
      plain(c.dst, f.dstImmediate, Access::Read);
      plain(c.src, f.srcImmediate, Access::Read);
      plain(c.dst, f.dstImmediate, Access::Write);
    }
    return out;
  }
  // Compare, branch and the other SetSystem commands only read.
  plain(c.dst, f.dstImmediate, Access::Read);
  if (f.operandCount >= 2) plain(c.src, f.srcImmediate, Access::Read);
  return out;
}

GprMap buildGprMap(const std::vector<Program>& programs) {
  std::map<unsigned, GprEntry> m;
  for (const Program& p : programs)
    for (std::size_t line = 0; line < p.commands->size(); ++line) {
      const NavCommand& c = (*p.commands)[line];
      const std::vector<RegisterAccess> acc = gprAccesses(c);
      if (acc.empty()) continue;
      const std::string words = commandWords(c, p.context);
      for (const RegisterAccess& a : acc) {
        GprEntry& e = m[a.gpr];
        e.gpr = a.gpr;
        GprUse u{p.place.then(PlacePart::Line, std::uint32_t(line)), a.access, a.form, words, std::nullopt};
        const OpcodeFields f = decodeOpcode(c.opcode);
        if (a.access == Access::Write && f.option == 1 && f.srcImmediate) u.value = c.src;  // Move GPRn, value
        e.uses.push_back(std::move(u));
      }
    }
  GprMap map;
  for (auto& [gpr, e] : m) map.registers.push_back(std::move(e));
  return map;
}

}  // namespace mirdal
