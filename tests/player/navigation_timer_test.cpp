// SetNVTimer in the disc player, as libbluray takes it (learned from its
// HDMV VM on discs built for it): PSR9 holds the time, a time of 0 clears
// it, a missing object or more than 300 s is passed over, and the timer
// never jumps: the playlist plays to its end and the object goes on.
#include <gtest/gtest.h>

#include "core/options.h"
#include "disc_builder.h"
#include "player/disc_script.h"

namespace mirdal::test {

namespace {

struct TimerCase {
  const char* name;
  std::string program;  // object 0; object 1 (GPR3 = 3) is the one a timer names
  std::uint32_t psr9;
  std::string skipped;  // the Skipped events, joined by " | "
};

class NavigationTimerTest : public ::testing::TestWithParam<TimerCase> {};

TEST_P(NavigationTimerTest, SetsPsr9AndNeverJumps) {
  const TimerCase& c = GetParam();
  ModelDisc disc = buildDisc(0, kNoObject, {{0}}, {{c.program + "\nPlay PL 1\nMove GPR2, 2\nBreak"}, {"Move GPR3, 3"}},
                             {{1, PlaylistSpec{{{5}}, {}, 0}}});
  Registers regs;
  resetRegisters(regs, Options{});
  regs.psr[9] = 0;
  DiscPlayer p(disc, regs);
  runDisc(p, std::nullopt, {}, 1000);
  std::string skipped;
  for (const DiscEvent& e : p.events())
    if (e.kind == DiscEvent::Kind::Skipped) skipped += (skipped.empty() ? "" : " | ") + e.text;
  EXPECT_EQ(skipped, c.skipped);
  EXPECT_EQ(regs.psr[9], c.psr9);
  EXPECT_EQ(regs.gpr[2], 2u) << "the object goes on after the playlist";
  EXPECT_EQ(regs.gpr[3], 0u) << "no jump to the timer's object";
  EXPECT_EQ(p.stopped(), StopReason::ObjectEnded);
  EXPECT_EQ(p.now(), 5 * kTicksPerSecond);
}

const std::vector<TimerCase> kTimers = {
    {"SetsTheTime", "SetNVTimer 1, 2", 2,
     "line 0: navigation timer 2 s for movie object 1 set in PSR9, not run"},
    {"AtMost300Seconds", "SetNVTimer 1, 300", 300,
     "line 0: navigation timer 300 s for movie object 1 set in PSR9, not run"},
    {"OverTheLimitIsPassedOver", "SetNVTimer 1, 301", 0, "line 0: SetNVTimer of 301 s: at most 300 s"},
    {"MissingObjectIsPassedOver", "SetNVTimer 99, 2", 0,
     "line 0: SetNVTimer names movie object 99, which is missing"},
    // Zero clears the timer before the object is looked at.
    {"ZeroClears", "SetNVTimer 1, 7\nSetNVTimer 99, 0", 0,
     "line 0: navigation timer 7 s for movie object 1 set in PSR9, not run"},
    // Only the low 16 bits of each operand count: 0x10000 s is 0.
    {"HighBitsIgnored", "SetNVTimer 1, 7\nMove GPR5, 0x10005\nSetNVTimer 0x10001, GPR5", 5,
     "line 0: navigation timer 7 s for movie object 1 set in PSR9, not run | "
     "line 2: navigation timer 5 s for movie object 1 set in PSR9, not run"},
};

INSTANTIATE_TEST_SUITE_P(Timers, NavigationTimerTest, ::testing::ValuesIn(kTimers),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace mirdal::test
