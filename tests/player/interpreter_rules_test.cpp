// The interpreter's register rules inside the disc emulation: every case of
// the interpreter's own tables runs again as the First Playback object of a
// disc, from the player's registers, and must leave the same registers.
#include <gtest/gtest.h>

#include "core/options.h"
#include "disc_builder.h"
#include "player/disc_script.h"
#include "support/interpreter_cases.h"

namespace mirdal::test {

namespace {

TEST(DiscPlayerRules, InterpreterCasesHoldInTheDisc) {
  const std::vector<RegisterCase> cases = allRegisterCases();
  ASSERT_GT(cases.size(), 30u);
  for (const RegisterCase& c : cases) {
    SCOPED_TRACE(c.name);
    ModelDisc disc = buildDisc(0, kNoObject, {}, {{}}, {});
    disc.objectsModel.movieObjects.objects[0].commands = c.program;
    Registers regs;
    resetRegisters(regs, Options{});
    applyRegisterSettings(regs, c.before);
    DiscPlayer p(disc, regs);
    runDisc(p, std::nullopt, {}, 1000);
    // No navigation command: the object runs to its end and the disc stops there.
    EXPECT_EQ(p.stopped(), StopReason::ObjectEnded);
    for (const RegisterSetting& r : c.after)
      EXPECT_EQ(r.psr ? regs.psr[r.number] : regs.gpr[r.number], r.value) << (r.psr ? "PSR" : "GPR") << r.number;
  }
}

}  // namespace

}  // namespace mirdal::test
