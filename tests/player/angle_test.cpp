// PSR3, the angle, around playlists: SetStream sets it, and every playlist
// starts at angle 1 whatever it held, as libbluray plays them (seen on
// discs built for it, with one and with three angles).
#include <gtest/gtest.h>

#include "core/options.h"
#include "disc_builder.h"
#include "player/disc_script.h"

namespace mirdal::test {

namespace {

TEST(DiscPlayerAngle, PlaylistsStartAtAngleOne) {
  const struct {
    const char* program;
    std::vector<std::pair<unsigned, std::uint32_t>> gprs;
  } cases[] = {
      {"SetStream (0), (0), (0), 2\nMove GPR2, PSR3\nPlay PL 1\nMove GPR3, PSR3", {{2, 2}, {3, 1}}},
      {"SetStream (0), (0), (0), 5\nMove GPR4, PSR3\nPlay PL 1\nMove GPR5, PSR3", {{4, 5}, {5, 1}}},
      {"SetStream (0), (0), (0), 0\nMove GPR8, PSR3\nPlay PL 1\nMove GPR9, PSR3", {{8, 0}, {9, 1}}},
      // Without the angle flag SetStream leaves PSR3 alone.
      {"SetStream (0), (0), (0), 2\nSetStream (0), (0), (0), (3)\nMove GPR1, PSR3", {{1, 2}}},
  };
  for (const auto& c : cases) {
    ModelDisc disc = buildDisc(0, kNoObject, {}, {{std::string(c.program) + "\nBreak"}}, {{1, PlaylistSpec{{{1}}, {}, 0}}});
    Registers regs;
    resetRegisters(regs, Options{});
    for (unsigned n = 0; n < 10; ++n) regs.gpr[n] = 0xEEEE;
    DiscPlayer p(disc, regs);
    runDisc(p, std::nullopt, {}, 1000);
    EXPECT_EQ(p.stopped(), StopReason::ObjectEnded) << c.program;
    for (const auto& [n, v] : c.gprs) EXPECT_EQ(regs.gpr[n], v) << c.program << " GPR" << n;
  }
}

}  // namespace

}  // namespace mirdal::test
