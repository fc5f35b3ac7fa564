// The rules on what the buttons and commands share: sound entries and
// general purpose registers.
#include <set>

#include "check/context.h"
#include "check/rule_set.h"

namespace mirdal {

namespace {

std::string andMore(const std::vector<const GprUse*>& uses) {
  std::string s = placeText(uses.front()->place);
  if (uses.size() > 1) s += " (and " + std::to_string(uses.size() - 1) + " more)";
  return s;
}

std::vector<const GprUse*> usesOf(const GprEntry& e, Access a) {
  std::vector<const GprUse*> v;
  for (const GprUse& u : e.uses)
    if (u.access == a) v.push_back(&u);
  return v;
}

Place registerPlace(unsigned gpr) {
  Place p;
  p.file = PlaceFile::Register;
  p.name = "GPR" + std::to_string(gpr);
  return p;
}

}  // namespace

void checkUnusedSounds(const CheckContext& ctx, FindingSink& out) {
  if (!ctx.menusComplete()) return;  // buttons the check cannot see may use it
  if (!ctx.files.sound || !ctx.files.sound->usable()) return;
  // Without a menu to look at, every sound would look unused.
  bool anyMenu = false;
  std::set<unsigned> used;
  for (const MenuFile& f : ctx.files.menus) {
    if (!f.usable()) continue;
    anyMenu = true;
    for (const IgPage& page : f.menu.ics.pages)
      for (const Bog& bog : page.bogs)
        for (const IgButton& b : bog.buttons) {
          used.insert(b.selectedSound);
          used.insert(b.activatedSound);
        }
  }
  if (!anyMenu) return;
  Place base;
  base.file = PlaceFile::Sound;
  base.name = ctx.files.sound->name;
  for (std::size_t i = 0; i < ctx.files.sound->model.entries.size(); ++i)
    if (!used.count(unsigned(i)))
      out(base.then(PlacePart::Entry, std::uint32_t(i)), "no button uses sound " + std::to_string(i));
}

void checkUnwrittenGprs(const CheckContext& ctx, FindingSink& out) {
  // Programs the check cannot see may use the register.
  if (!ctx.menusComplete() || !ctx.movieObjects) return;
  for (const GprEntry& e : ctx.gprs.registers)
    if (e.read() && !e.written())
      out(registerPlace(e.gpr), "read by " + andMore(usesOf(e, Access::Read)) + ", written by no command");
}

void checkUnreadGprs(const CheckContext& ctx, FindingSink& out) {
  // Programs the check cannot see may use the register.
  if (!ctx.menusComplete() || !ctx.movieObjects) return;
  for (const GprEntry& e : ctx.gprs.registers)
    if (e.written() && !e.read())
      out(registerPlace(e.gpr), "written by " + andMore(usesOf(e, Access::Write)) + ", read by no command");
}

}  // namespace mirdal
